#pragma once
// Which applications have jump-list files: the hashes named by the files of one suffix in a destinations folder.

#include <cstdint>
#include <set>
#include <string>
#include <string_view>

namespace n_ombrix {

// The folder ends in a backslash; a folder that cannot be listed gives an empty set.
std::set<std::uint64_t> DestinationsFileHashes(const std::wstring& folder, std::wstring_view suffix);

} // namespace n_ombrix
