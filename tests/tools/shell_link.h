#pragma once
// Real .lnk files for tests, made through IShellLinkW and saved through IPersistFile, as the shell makes them.

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

// Writes the link; a failure throws the COM error exception. COM must be initialised on the calling thread.
void MakeShellLink(const std::wstring& linkPath, const t_ShellLinkFields& fields);

} // namespace n_ombrix_test
