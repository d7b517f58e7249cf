#include "system/substring_search.h"

#include <gtest/gtest.h>

using n_zql::n_system::FindSubstring;

// What std::wstring_view::find gives, in every first part of a text and from every place of it and one past its end.
// The runs of 'a' grow past one and two blocks of the vectorised loop (8 units of 2 bytes on Windows, 4 of 4 bytes
// here), so that matches and near misses of one-, two- and three-unit queries fall on every lane, on the blocks'
// edges and in the last place; units with the high bit set match as they are.
TEST(FindSubstring, GivesWhatFindGives) {
    const std::wstring_view all = L"aaaaaaaaaaaaaaaaaabaaaaaaaaaaaaaaaaaaaaab x\xFFFF\x8000\xFFFF\x8000";
    for (std::size_t end = 0; end <= all.size(); ++end)
        for (const wchar_t* query : {L"", L"b", L"ab", L"ba", L"aab", L"abc", L"\xFFFF\x8000"})
            for (std::size_t from = 0; from <= end + 1; ++from)
                ASSERT_EQ(FindSubstring(all.substr(0, end), query, from), all.substr(0, end).find(query, from))
                    << "in the first " << end << " units: " << testing::PrintToString(query) << " from " << from;
}
