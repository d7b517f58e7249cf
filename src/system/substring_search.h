#pragma once
// The substring search under every keystroke: the catalogue's names and descriptions and the launch histories are
// searched for the typed text, about a megabyte per keystroke at worst. Platform-neutral; the same answers as
// std::wstring_view::find.

#include <bit>
#include <cstddef>
#include <string_view>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define OMBRIX_SUBSTRING_SSE2 1
#endif

namespace n_zql::n_system {

namespace n_substring_search {

// Whether the query stands at that place of the text; the caller leaves room for all of it.
inline bool MatchesAt(std::wstring_view text, std::size_t place, std::wstring_view query) noexcept {
    std::size_t matched = 0;
    while (matched < query.size() && text[place + matched] == query[matched]) ++matched;
    return matched == query.size();
}

} // namespace n_substring_search

// Where the query first occurs wholly inside the text at or after from; npos when it does not (an empty query
// occurs at from, unless from is past the end). Places where the query's first two units stand are looked for
// 16 bytes' worth at a time with SSE2, which every x64 processor has; every such place is checked in order, so the
// first occurrence found is the first there is.
inline std::size_t FindSubstring(std::wstring_view text, std::wstring_view query, std::size_t from = 0) noexcept {
    using n_substring_search::MatchesAt;
    if (from > text.size() || text.size() - from < query.size()) return std::wstring_view::npos;
    if (query.empty()) return from;
    const std::size_t end = text.size() - query.size() + 1; // one past the last place the query fits
    // A one-unit query has no second unit: the first one stands in for it.
    const std::size_t second = query.size() > 1 ? 1 : 0;
    std::size_t place = from;
#if defined(OMBRIX_SUBSTRING_SSE2)
    if constexpr (sizeof(wchar_t) == 2 || sizeof(wchar_t) == 4) {
        constexpr std::size_t lanes = sizeof(__m128i) / sizeof(wchar_t);
        const auto spread = [](wchar_t c) {
            if constexpr (sizeof(wchar_t) == 2)
                return _mm_set1_epi16(static_cast<short>(c));
            else
                return _mm_set1_epi32(static_cast<int>(c));
        };
        const auto equal = [](__m128i a, __m128i b) {
            if constexpr (sizeof(wchar_t) == 2)
                return _mm_cmpeq_epi16(a, b);
            else
                return _mm_cmpeq_epi32(a, b);
        };
        const __m128i firstPattern = spread(query[0]);
        const __m128i secondPattern = spread(query[second]);
        for (; place + lanes <= end; place += lanes) {
            const __m128i word = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + place));
            const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + place + second));
            // Each lane gives sizeof(wchar_t) bits of the mask.
            unsigned marks = static_cast<unsigned>(
                _mm_movemask_epi8(_mm_and_si128(equal(word, firstPattern), equal(next, secondPattern))));
            while (marks != 0) {
                const unsigned lane = static_cast<unsigned>(std::countr_zero(marks)) / sizeof(wchar_t);
                if (MatchesAt(text, place + lane, query)) return place + lane;
                marks &= ~0u << ((lane + 1) * sizeof(wchar_t));
            }
        }
    }
#endif
    for (; place < end; ++place)
        if (MatchesAt(text, place, query)) return place;
    return std::wstring_view::npos;
}

} // namespace n_zql::n_system
