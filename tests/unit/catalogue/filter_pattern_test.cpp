// Filter patterns as the settings give them (upper case) against file names, display names and link targets.

#include "catalogue/filter_pattern.h"

#include <gtest/gtest.h>

#include <string>

using namespace n_ombrix;

namespace {

// "text|PATTERN"
bool Matches(std::wstring_view pair) {
    return MatchesPattern(pair.substr(0, pair.find(L'|')), pair.substr(pair.find(L'|') + 1));
}

} // namespace

TEST(FilterPattern, TheWholeTextMatchesUpperCasedWithStarsAndQuestionMarks) {
    // '?' takes exactly one character, never the end; '?' and '*' in the text are plain characters. '*' takes any
    // run, none included; where a short run fails a longer one is tried. Only the text is upper-cased: a pattern that
    // is not matches no letters.
    for (const wchar_t* pair : {L"abc|A?C", L"x|*?", L"*|?", L"|", L"|**", L"a..b|A*B", L"xxaYYbZZc|*A*B*C*",
                                L"ababc|*ABC", L"abcbcd|A*BCD", L"mississippi|M*ISS*PI", L"42 Tools.lnk|?? TOOLS.*"})
        EXPECT_TRUE(Matches(pair)) << pair;
    for (const wchar_t* pair : {L"ac|A?C", L"ab|AB?", L"|*?", L"a|", L"a..b.|A*B", L"cba|*A*B*C*",
                                L"mississippi|M*ISS*PIX", L"uninstall|*uninstall*"})
        EXPECT_FALSE(Matches(pair)) << pair;
    // Naive backtracking would try every split of the text among the stars: billions of years.
    std::wstring stars;
    for (int star = 0; star < 200; ++star) stars += L"*A";
    EXPECT_TRUE(MatchesPattern(std::wstring(20000, L'a'), stars));
    EXPECT_FALSE(MatchesPattern(std::wstring(20000, L'a'), stars + L"?B"));
}
