// The hash text of jump-list file names, and which listed names stand for a hash.

#include "jumplists/destinations_file_name.h"

#include <gtest/gtest.h>

using namespace n_ombrix;

TEST(DestinationsFileName, OnlyAHashFollowedByTheSuffixIsAcceptedAndAStemReadsBack) {
    const std::wstring_view suffix = automaticDestinationsSuffix;
    EXPECT_EQ(ParseDestinationsFileName(L"5d696d521de238c3.automaticDestinations-ms", suffix), 0x5D696D521DE238C3u);
    EXPECT_EQ(ParseDestinationsFileName(L"00AB.AUTOMATICDESTINATIONS-MS", suffix), 0xABu);
    for (const wchar_t* refused : {
             L".automaticDestinations-ms",                  // no digits
             L"0.automaticDestinations-ms",                 // no identity
             L"ffffffffffffffff.automaticDestinations-ms",  // the empty identity
             L"10000000000000000.automaticDestinations-ms", // overflows
             L"ab.automaticDestinations-ms~",               // goes on after the suffix
             L"abx.automaticDestinations-ms",               // not digits up to the dot
             L"ab.customDestinations-ms",                   // the other suffix
             L" ab.automaticDestinations-ms",               // blanks and prefixes, which wcstoull would take
             L"0xab.automaticDestinations-ms",
         }) {
        EXPECT_EQ(ParseDestinationsFileName(refused, suffix), std::nullopt) << refused;
    }
    // Leading zeros do not count towards the 64 bits; the stem is lowercase hex without them and reads back.
    EXPECT_EQ(ParseDestinationsFileName(L"000000001ffffffffffffffe.automaticDestinations-ms", suffix),
              0x1FFFFFFFFFFFFFFEu);
    EXPECT_EQ(DestinationsFileStem(0xABC), L"abc");
    EXPECT_EQ(ParseDestinationsFileName(DestinationsFileStem(~std::uint64_t{1}) + L".customDestinations-ms",
                                        customDestinationsSuffix),
              ~std::uint64_t{1});
}
