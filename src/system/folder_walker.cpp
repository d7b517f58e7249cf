#include "system/folder_walker.h"

#include "system/unique_handle.h"

namespace n_zql::n_system::n_windows {

const char* t_FolderWalkerBase::t_ErrorException::what() const noexcept {
    return "/zql/system/windows/folder walker/error exception";
}

void t_FolderWalkerBase::Walk(const std::wstring& pattern) {
    WIN32_FIND_DATAW entry{};
    t_FindHandle find(FindFirstFileW(pattern.c_str(), &entry));
    if (!find) throw t_ErrorException(HResultFromWin32(GetLastError()));
    do {
        OnEntry(entry);
    } while (FindNextFileW(find.Get(), &entry));
    const DWORD error = GetLastError();
    if (error != ERROR_NO_MORE_FILES) throw t_ErrorException(HResultFromWin32(error));
}

} // namespace n_zql::n_system::n_windows
