#include "system/text_file.h"

#include "system/error_exception.h"
#include "system/memory_mapped_file.h"

namespace n_zql::n_system::n_windows {

std::wstring ReadTextFile(const std::wstring& path) { return t_MemoryMappedFile(path, false).ReadText(); }

void WriteTextFileAtomically(const std::wstring& path, std::wstring_view text) {
    // The temporary file is in the same folder, so the move never crosses volumes and stays atomic.
    const std::wstring temporary = path + L".new";
    try {
        t_MemoryMappedFile file(temporary, true);
        file.WriteText(text);
        file.Close();
        if (!MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            ThrowWin32Error(GetLastError());
    } catch (...) {
        DeleteFileW(temporary.c_str());
        throw;
    }
}

void CreateFolderIfMissing(const std::wstring& folder) {
    if (folder.empty() || CreateDirectoryW(folder.c_str(), nullptr)) return; // empty: the current folder
    const DWORD error = GetLastError();
    if (error != ERROR_ALREADY_EXISTS) ThrowWin32Error(error);
}

} // namespace n_zql::n_system::n_windows
