#pragma once
// Text arithmetic on paths that needs no file system. Platform-neutral.

#include <string>
#include <string_view>

namespace n_zql::n_system {

// The folder part of a file path: everything up to and including the last '\' or '/', whichever stands later;
// empty when there is neither.
std::wstring FolderOfPath(std::wstring_view path);

// The path with exactly one added backslash unless it already ends in one.
std::wstring WithTrailingBackslash(std::wstring_view path);

} // namespace n_zql::n_system
