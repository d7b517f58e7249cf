#pragma once
// The shell's file and folder dialogs as the settings window uses them. Each purpose has a client identifier of its
// own, so that the shell remembers a folder per purpose.

#include <windows.h>

#include <shobjidl.h>

#include <optional>
#include <string>
#include <vector>

namespace n_ombrix {

enum class t_FileDialogPurpose : std::uint8_t { programs, locations, colorSchemes };
enum class t_FileDialogKind : std::uint8_t { openFile, saveFile, pickFolder };

struct t_FileDialogRequest {
    t_FileDialogPurpose purpose = t_FileDialogPurpose::programs;
    t_FileDialogKind kind = t_FileDialogKind::openFile;
    const wchar_t* title = nullptr;
    std::wstring folder{};   // where it starts; the shell's choice when empty or missing
    std::wstring fileName{}; // proposed
    std::vector<COMDLG_FILTERSPEC> fileTypes{};
    const wchar_t* defaultExtension = nullptr; // without the dot
};

// Shows the dialog, modal to the owner, and gives the chosen file system path; nothing when the user cancelled or
// the dialog failed.
std::optional<std::wstring> ShowFileDialog(HWND owner, const t_FileDialogRequest& request) noexcept;

} // namespace n_ombrix
