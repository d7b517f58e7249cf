#include "system/substring_search.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using n_zql::n_system::FindSubstring;

// What std::wstring_view::find gives, from every place of the text and from one past its end. The texts grow past
// one and two blocks of the vectorised loop (8 units of 2 bytes on Windows, 4 of 4 bytes here), so that matches and
// near misses of one-, two- and three-unit queries fall on every lane, on the blocks' edges and in the last place.
TEST(FindSubstring, GivesWhatFindGives) {
    std::vector<std::pair<std::wstring, std::wstring>> cases{
        {L"", L""}, {L"abc", L""}, {L"", L"a"}, {L"ab", L"abc"}, {L"x\xFFFF\x8000\xFFFF\x8000", L"\xFFFF\x8000"}};
    for (std::size_t size = 1; size <= 20; ++size)
        for (std::size_t at = 0; at < size; ++at)
            for (const wchar_t* query : {L"b", L"ab", L"ba", L"aab"})
                cases.emplace_back(std::wstring(size, L'a').replace(at, 1, L"b"), query);
    for (const auto& [text, query] : cases)
        for (std::size_t from = 0; from <= text.size() + 1; ++from)
            ASSERT_EQ(FindSubstring(text, query, from), std::wstring_view(text).find(query, from))
                << testing::PrintToString(text) << " " << testing::PrintToString(query) << " from " << from;
}
