#pragma once
// The six folders the system works in, each ending in exactly one backslash.

#include <array>
#include <string>

#include <shtypes.h>
#include <windows.h>

namespace n_ombrix {

class t_KnownFolders {
public:
    // Reads the folders from the shell; a failing look-up throws the Windows error exception with its HRESULT.
    explicit t_KnownFolders(HINSTANCE instance);

    // The program's own folder; empty if the program path has no separator.
    const std::wstring& ProgramFolder() const noexcept { return folders_[0]; }
    // The per-user data folder (roaming application data + "Ombrix\"); created only when state is first saved.
    const std::wstring& DataFolder() const noexcept { return folders_[1]; }
    const std::wstring& AutomaticDestinationsFolder() const noexcept { return folders_[2]; }
    const std::wstring& CustomDestinationsFolder() const noexcept { return folders_[3]; }
    const std::wstring& CommonStartMenuFolder() const noexcept { return folders_[4]; }
    const std::wstring& UserStartMenuFolder() const noexcept { return folders_[5]; }

private:
    std::array<std::wstring, 6> folders_;
};

// The path of a known folder with one trailing backslash.
std::wstring KnownFolderPath(const KNOWNFOLDERID& id);

} // namespace n_ombrix
