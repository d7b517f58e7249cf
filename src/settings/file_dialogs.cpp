#include "settings/file_dialogs.h"

#include "system/com_ptr.h"

#include <shlobj.h>

namespace n_ombrix {

namespace {

using n_zql::n_system::n_windows::n_com::t_ComPtr;
using n_zql::n_system::n_windows::n_com::t_CoTaskMemString;

// {5B0E2A61-3C4D-4E8F-9A17-2D6C8B41F093} and the two after it.
constexpr GUID programsClient{0x5b0e2a61, 0x3c4d, 0x4e8f, {0x9a, 0x17, 0x2d, 0x6c, 0x8b, 0x41, 0xf0, 0x93}};
constexpr GUID locationsClient{0x5b0e2a62, 0x3c4d, 0x4e8f, {0x9a, 0x17, 0x2d, 0x6c, 0x8b, 0x41, 0xf0, 0x93}};
constexpr GUID colorSchemesClient{0x5b0e2a63, 0x3c4d, 0x4e8f, {0x9a, 0x17, 0x2d, 0x6c, 0x8b, 0x41, 0xf0, 0x93}};

constexpr FILEOPENDIALOGOPTIONS openOptions =
    FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST | FOS_FILEMUSTEXIST | FOS_NODEREFERENCELINKS | FOS_DONTADDTORECENT;
constexpr FILEOPENDIALOGOPTIONS saveOptions = FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST | FOS_NOREADONLYRETURN |
                                              FOS_OVERWRITEPROMPT | FOS_NODEREFERENCELINKS | FOS_DONTADDTORECENT;

const GUID& ClientOf(t_FileDialogPurpose purpose) noexcept {
    switch (purpose) {
    case t_FileDialogPurpose::programs:
        return programsClient;
    case t_FileDialogPurpose::locations:
        return locationsClient;
    case t_FileDialogPurpose::colorSchemes:
        break;
    }
    return colorSchemesClient;
}

} // namespace

std::optional<std::wstring> ShowFileDialog(HWND owner, const t_FileDialogRequest& request) noexcept {
    const bool save = request.kind == t_FileDialogKind::saveFile;
    t_ComPtr<IFileDialog> dialog;
    if (FAILED(CoCreateInstance(save ? CLSID_FileSaveDialog : CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(dialog.Put()))))
        return std::nullopt;
    // Ours join the dialog's own (keeping the process's current folder where it is, among them).
    FILEOPENDIALOGOPTIONS options = 0;
    if (FAILED(dialog->GetOptions(&options))) return std::nullopt;
    options |= save ? saveOptions : openOptions;
    if (request.kind == t_FileDialogKind::pickFolder) options |= FOS_PICKFOLDERS;
    // Only the options matter; the rest is a comfort that a dialog without it still offers.
    if (FAILED(dialog->SetOptions(options))) return std::nullopt;
    dialog->SetClientGuid(ClientOf(request.purpose));
    if (request.title) dialog->SetTitle(request.title);
    if (!request.fileTypes.empty())
        dialog->SetFileTypes(static_cast<UINT>(request.fileTypes.size()), request.fileTypes.data());
    if (request.defaultExtension) dialog->SetDefaultExtension(request.defaultExtension);
    if (!request.fileName.empty()) dialog->SetFileName(request.fileName.c_str());
    if (!request.folder.empty()) {
        t_ComPtr<IShellItem> folder;
        if (SUCCEEDED(SHCreateItemFromParsingName(request.folder.c_str(), nullptr, IID_PPV_ARGS(folder.Put()))))
            dialog->SetFolder(folder.Get());
    }
    t_ComPtr<IShellItem> result;
    t_CoTaskMemString path;
    if (FAILED(dialog->Show(owner)) || FAILED(dialog->GetResult(result.Put())) ||
        FAILED(result->GetDisplayName(SIGDN_FILESYSPATH, path.Put())) || !path.Get())
        return std::nullopt;
    return std::wstring(path.Get());
}

} // namespace n_ombrix
