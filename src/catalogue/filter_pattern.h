#pragma once
// The filter patterns that keep uninstallers, read-me files and the like out of the catalogue. Platform-neutral.

#include <string>
#include <string_view>
#include <vector>

namespace n_ombrix {

// Whether the whole text matches the pattern, which is already upper case: each text unit is upper-cased with
// towupper (in the character-type locale set at start-up) as it is compared. '*' stands for any run of characters,
// none included; '?' for exactly one. Linear in the text for a pattern without stars, O(text x pattern) at worst:
// file names and link targets come from anywhere, so no input may make matching blow up.
bool MatchesPattern(std::wstring_view text, std::wstring_view upperPattern) noexcept;

// Whether any of the patterns matches the text.
bool MatchesAnyPattern(std::wstring_view text, const std::vector<std::wstring>& upperPatterns) noexcept;

} // namespace n_ombrix
