#pragma once
// Real .lnk files for tests, made through IShellLinkW and saved through IPersistFile, as the shell makes them.

#include "system/com_ptr.h"

#include <shlobj.h>

#include <string>

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
n_zql::n_system::n_windows::n_com::t_ComPtr<IShellLinkW> MakeShellLink(const std::wstring& linkPath,
                                                                       const t_ShellLinkFields& fields);

} // namespace n_ombrix_test
