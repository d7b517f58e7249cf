// Filter patterns as the settings give them (upper case) against file names, display names and link targets.

#include "catalogue/filter_pattern.h"
#include "config/configuration.h"

#include <gtest/gtest.h>

#include <string>

using namespace n_ombrix;

TEST(FilterPattern, FactoryFiltersRejectUninstallersDesktopLinksAndInternetShortcuts) {
    const std::vector<std::wstring> factory = FactoryFilters();
    EXPECT_TRUE(MatchesAnyPattern(L"Uninstall Foo.lnk", factory));
    EXPECT_TRUE(MatchesAnyPattern(L"C:\\Program Files\\Foo\\unINSTALL.exe", factory)); // a link's target
    EXPECT_TRUE(MatchesAnyPattern(L"desktop.lnk", factory));
    EXPECT_TRUE(MatchesAnyPattern(L"DeskTop.LNK", factory));
    EXPECT_TRUE(MatchesAnyPattern(L"Project Site.url", factory));
    EXPECT_TRUE(MatchesAnyPattern(L".url", factory));
    // Anchored at both ends: only the whole name counts.
    EXPECT_FALSE(MatchesAnyPattern(L"My Desktop.lnk", factory));
    EXPECT_FALSE(MatchesAnyPattern(L"Desktop.lnk.bak", factory));
    EXPECT_FALSE(MatchesAnyPattern(L"Site.url.lnk", factory));
    EXPECT_FALSE(MatchesAnyPattern(L"Installer.lnk", factory));
    EXPECT_FALSE(MatchesAnyPattern(L"Foo", factory));
    EXPECT_FALSE(MatchesAnyPattern(L"", factory));
    EXPECT_FALSE(MatchesAnyPattern(L"Uninstall Foo.lnk", {}));
}

TEST(FilterPattern, QuestionMarkTakesExactlyOneCharacterAndNeverTheEnd) {
    EXPECT_TRUE(MatchesPattern(L"abc", L"A?C"));
    EXPECT_FALSE(MatchesPattern(L"ac", L"A?C"));
    EXPECT_FALSE(MatchesPattern(L"abbc", L"A?C"));
    EXPECT_FALSE(MatchesPattern(L"ab", L"AB?"));
    EXPECT_FALSE(MatchesPattern(L"", L"?"));
    EXPECT_FALSE(MatchesPattern(L"", L"*?"));
    EXPECT_TRUE(MatchesPattern(L"x", L"*?"));
    EXPECT_TRUE(MatchesPattern(L"?", L"?")); // pattern characters in the text are plain characters
    EXPECT_TRUE(MatchesPattern(L"*", L"?"));
}

TEST(FilterPattern, StarsTakeAnyRunAndBackTrackWhereAShortRunFails) {
    EXPECT_TRUE(MatchesPattern(L"", L""));
    EXPECT_FALSE(MatchesPattern(L"a", L""));
    EXPECT_TRUE(MatchesPattern(L"", L"**"));
    EXPECT_TRUE(MatchesPattern(L"ab", L"A*B"));
    EXPECT_TRUE(MatchesPattern(L"a..b", L"A*B"));
    EXPECT_FALSE(MatchesPattern(L"a..b.", L"A*B"));
    EXPECT_TRUE(MatchesPattern(L"xxaYYbZZc", L"*A*B*C*"));
    EXPECT_FALSE(MatchesPattern(L"cba", L"*A*B*C*"));
    // The first place a run could end is not the right one.
    EXPECT_TRUE(MatchesPattern(L"ababc", L"*ABC"));
    EXPECT_TRUE(MatchesPattern(L"abcbcd", L"A*BCD"));
    EXPECT_TRUE(MatchesPattern(L"mississippi", L"M*ISS*PI"));
    EXPECT_FALSE(MatchesPattern(L"mississippi", L"M*ISS*PIX"));
    // Only the text is upper-cased; a pattern that is not upper case matches no letters.
    EXPECT_FALSE(MatchesPattern(L"uninstall", L"*uninstall*"));
    EXPECT_TRUE(MatchesPattern(L"42 Tools.lnk", L"?? TOOLS.*"));
}

TEST(FilterPattern, ManyStarsOverALongTextDoNotBlowUp) {
    // Naive backtracking tries every split of the text among the stars: billions of years for this one.
    const std::wstring text(20000, L'a');
    std::wstring pattern;
    for (int star = 0; star < 200; ++star) pattern += L"*A";
    EXPECT_TRUE(MatchesPattern(text, pattern));
    EXPECT_FALSE(MatchesPattern(text, pattern + L"*B"));
    EXPECT_FALSE(MatchesPattern(text + L"b", pattern + L"?C"));
}
