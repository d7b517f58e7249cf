#pragma once
// Real .lnk files for tests, made through IShellLinkW and saved through IPersistFile, as the shell makes them.

#include "catalogue/link_properties.h"
#include "link_property_block.h"
#include "scratch_folder.h"
#include "system/com_ptr.h"

#include <shlobj.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace n_ombrix_test {

struct t_ShellLinkFields {
    std::wstring target{};
    std::wstring arguments{};
    std::wstring workingFolder{};
    std::wstring description{};
    std::wstring iconPath{}; // empty: no icon location
    int iconIndex = 0;
};

// Writes the link and gives the link object that wrote it; a failure throws the COM error exception. COM must be
// initialised on the calling thread.
inline n_zql::n_system::n_windows::n_com::t_ComPtr<IShellLinkW> MakeShellLink(const std::wstring& linkPath,
                                                                              const t_ShellLinkFields& fields) {
    using namespace n_zql::n_system::n_windows::n_com;
    t_ComPtr<IShellLinkW> link;
    ThrowIfFailed(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(link.Put())));
    ThrowIfFailed(link->SetPath(fields.target.c_str()));
    if (!fields.arguments.empty()) ThrowIfFailed(link->SetArguments(fields.arguments.c_str()));
    if (!fields.workingFolder.empty()) ThrowIfFailed(link->SetWorkingDirectory(fields.workingFolder.c_str()));
    if (!fields.description.empty()) ThrowIfFailed(link->SetDescription(fields.description.c_str()));
    if (!fields.iconPath.empty()) ThrowIfFailed(link->SetIconLocation(fields.iconPath.c_str(), fields.iconIndex));
    ThrowIfFailed(link.Query<IPersistFile>()->Save(linkPath.c_str(), TRUE));
    return link;
}

// Puts properties into a saved link as the shell itself stores them: a property-store block before the link's
// terminal block (Wine's link IPropertyStore stores nothing, and a value read first wins, so a link saved without
// properties, as Wine saves them, reads these). Throws std::runtime_error when the file is not a whole shell link.
inline void AddLinkProperties(const std::wstring& linkPath, const std::vector<n_ombrix::t_Property>& properties) {
    const std::string text = ReadFileBytes(linkPath);
    const std::vector<std::byte> rewritten =
        WithPropertyStoreDataBlock(std::as_bytes(std::span(text)), PropertyStoreDataBlock(properties));
    if (rewritten.empty()) throw std::runtime_error("AddLinkProperties: not a whole shell link");
    WriteFileBytes(linkPath, std::string_view(reinterpret_cast<const char*>(rewritten.data()), rewritten.size()));
}

} // namespace n_ombrix_test
