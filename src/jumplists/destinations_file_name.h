#pragma once
// The names of the shell's jump-list files: the application identity's hash as lowercase hexadecimal, then
// ".automaticDestinations-ms" or ".customDestinations-ms". Platform-neutral.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace n_ombrix {

inline constexpr std::wstring_view automaticDestinationsSuffix = L".automaticDestinations-ms";
inline constexpr std::wstring_view customDestinationsSuffix = L".customDestinations-ms";

// The hash as the shell writes it in file names: lowercase hexadecimal without leading zeros.
std::wstring DestinationsFileStem(std::uint64_t hash);

// The hash a listed file name stands for: hexadecimal digits from the very start (leading zeros allowed, upper
// or lower case), at least one, fitting 64 bits, then the suffix (which starts with its ".", matched ignoring
// ASCII case as the file system does) and nothing after it. 0 and all ones stand for no identity and are
// refused. Unlike wcstoull, no leading blank, sign or "0x" is taken: "-2" would stand for a hash whose file has
// another name.
std::optional<std::uint64_t> ParseDestinationsFileName(std::wstring_view name, std::wstring_view suffix);

} // namespace n_ombrix
