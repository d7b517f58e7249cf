#include "catalogue/filter_pattern.h"

#include "system/upper_case.h"

namespace n_ombrix {

using n_zql::n_system::UpperCased;

bool MatchesPattern(std::wstring_view text, std::wstring_view upperPattern) noexcept {
    // Two cursors; on a mismatch the last star takes one more character and matching resumes after it. Only the
    // last star ever needs to grow: the earlier ones are already matched as short as they can be, and any match a
    // longer earlier run allows, a longer last run allows too.
    std::size_t at = 0;
    std::size_t in = 0;
    std::size_t star = std::wstring_view::npos;
    std::size_t starAt = 0;
    while (at < text.size()) {
        if (in < upperPattern.size() && upperPattern[in] == L'*') {
            star = in++;
            starAt = at;
        } else if (in < upperPattern.size() && (upperPattern[in] == L'?' || upperPattern[in] == UpperCased(text[at]))) {
            ++in;
            ++at;
        } else if (star != std::wstring_view::npos) {
            in = star + 1;
            at = ++starAt;
        } else {
            return false;
        }
    }
    while (in < upperPattern.size() && upperPattern[in] == L'*') ++in;
    return in == upperPattern.size();
}

bool MatchesAnyPattern(std::wstring_view text, const std::vector<std::wstring>& upperPatterns) noexcept {
    for (const std::wstring& pattern : upperPatterns)
        if (MatchesPattern(text, pattern)) return true;
    return false;
}

} // namespace n_ombrix
