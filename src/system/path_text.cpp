#include "system/path_text.h"

namespace n_zql::n_system {

std::wstring FolderOfPath(std::wstring_view path) {
    const std::size_t separator = path.find_last_of(L"\\/");
    if (separator == std::wstring_view::npos) return {};
    return std::wstring(path.substr(0, separator + 1));
}

std::wstring WithTrailingBackslash(std::wstring_view path) {
    std::wstring result(path);
    if (result.empty() || result.back() != L'\\') result.push_back(L'\\');
    return result;
}

} // namespace n_zql::n_system
