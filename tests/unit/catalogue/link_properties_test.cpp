// Properties read from a shell link's own bytes: links assembled here field by field, and the links Windows 7
// wrote into a custom jump-list file.

#include "catalogue/link_properties.h"

#include "link_property_block.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <initializer_list>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

using namespace n_ombrix;
using namespace n_ombrix_test;

namespace {

using t_Bytes = std::vector<std::byte>;

constexpr std::uint32_t unicode = 0x80;
constexpr std::uint32_t propertyStore = 0xA0000009;

t_Bytes Join(std::initializer_list<t_Bytes> parts) {
    t_Bytes out;
    for (const t_Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
    return out;
}

t_Bytes U16(std::uint32_t value) { return {std::byte(value & 0xFF), std::byte((value >> 8) & 0xFF)}; }
t_Bytes U32(std::uint32_t value) { return Join({U16(value & 0xFFFF), U16(value >> 16)}); }
t_Bytes Filler(std::size_t size) { return t_Bytes(size, std::byte{0x5A}); }

t_Bytes Id(const t_FormatId& id) {
    t_Bytes out;
    for (const std::uint8_t byte : id) out.push_back(std::byte{byte});
    return out;
}

const t_FormatId shellLinkClassId = FormatId(0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46});

t_Bytes Header(std::uint32_t flags) { return Join({U32(0x4C), Id(shellLinkClassId), U32(flags), Filler(52)}); }

t_Bytes Utf16(std::u16string_view text) {
    t_Bytes out;
    for (const char16_t unit : text) out = Join({out, U16(unit)});
    return out;
}

// StringData: a count of characters, then UTF-16LE or, without IsUnicode, one byte each.
t_Bytes UnicodeString(std::u16string_view text) { return Join({U16(text.size()), Utf16(text)}); }
t_Bytes AnsiString(std::string_view text) {
    t_Bytes out = U16(text.size());
    for (const char c : text) out.push_back(std::byte(c));
    return out;
}

t_Bytes Block(std::uint32_t signature, const t_Bytes& payload) {
    return Join({U32(8 + payload.size()), U32(signature), payload});
}
const t_Bytes terminal = U32(0);

// TypedPropertyValues.
t_Bytes Lpwstr(std::u16string_view text, std::uint32_t count) {
    t_Bytes out = Join({U16(0x1F), U16(0), U32(count), Utf16(text), U16(0)});
    return Join({out, Filler((4 - out.size() % 4) % 4)});
}
t_Bytes Lpwstr(std::u16string_view text) { return Lpwstr(text, static_cast<std::uint32_t>(text.size() + 1)); }
t_Bytes Bool(bool value) { return Join({U16(0x0B), U16(0), U16(value ? 0xFFFF : 0), U16(0)}); }
t_Bytes Ui4(std::uint32_t value) { return Join({U16(0x13), U16(0), U32(value)}); }
t_Bytes I4(std::uint32_t value) { return Join({U16(0x03), U16(0), U32(value)}); }
t_Bytes Clsid() { return Join({U16(0x48), U16(0), Id(shellLinkClassId)}); }

t_Bytes Value(std::uint32_t id, const t_Bytes& typed) {
    return Join({U32(9 + typed.size()), U32(id), {std::byte{0}}, typed});
}
t_Bytes NamedValue(std::u16string_view name, const t_Bytes& typed) {
    const t_Bytes nameBytes = Join({Utf16(name), U16(0)});
    return Join({U32(9 + nameBytes.size() + typed.size()), U32(nameBytes.size()), {std::byte{0}}, nameBytes, typed});
}
t_Bytes Storage(const t_FormatId& formatId, std::initializer_list<t_Bytes> values) {
    const t_Bytes body = Join({Id(formatId), Join(values), U32(0)});
    return Join({U32(8 + body.size()), U32(0x53505331), body});
}

std::span<const std::byte> Prefix(const t_Bytes& bytes, std::size_t size) { return {bytes.data(), size}; }

const t_FormatId otherFormatId = FormatId(0x12345678, 0x9ABC, 0xDEF0, {1, 2, 3, 4, 5, 6, 7, 8});

t_Bytes TypicalPropertyBlock() {
    return Block(
        propertyStore,
        Join({
            Storage(stringNamedFormatId, {NamedValue(u"Name", Lpwstr(u"named"))}),
            Storage(appUserModelFormatId, {Value(5, Lpwstr(u"Vendor.Editor")), Value(8, Bool(true)),
                                           Value(6, Bool(false)), Value(9, Clsid()), Value(11, I4(0xFFFFFFFE))}),
            Storage(summaryInformationFormatId, {Value(2, Lpwstr(u"@shell32.dll,-21")), Value(3, Ui4(7))}),
            // A later value of a key already read is dropped.
            Storage(appUserModelFormatId, {Value(5, Lpwstr(u"Other.Editor"))}),
            U32(0),
        }));
}

// A link as the shell writes one: ID list, link information, strings, another extra block before the properties.
t_Bytes TypicalLink() {
    return Join({Header(0x1 | 0x2 | 0x4 | 0x10 | 0x20 | unicode), U16(6), Filler(6), U32(12), Filler(8),
                 UnicodeString(u"Edits text"), UnicodeString(u"C:\\Tools"), UnicodeString(u"--new"),
                 Block(0xA0000003, Filler(88)), TypicalPropertyBlock(), terminal});
}

} // namespace

TEST(LinkProperties, ReadsStringsBooleansAndIntegersFromEveryPropertySet) {
    const t_Bytes link = TypicalLink();
    const t_Bytes twoLinks = Join({link, link});
    const t_LinkProperties read = ReadLinkProperties(twoLinks);

    EXPECT_EQ(read.status, t_LinkReadStatus::complete);
    EXPECT_EQ(read.size, link.size()); // where the next link of a jump list starts
    const t_PropertyValues& values = read.properties;
    EXPECT_EQ(values.String(appUserModelIdKey), L"Vendor.Editor");
    EXPECT_EQ(values.Bool(startMenuExclusionKey), true);
    EXPECT_EQ(values.Bool(isDestListSeparatorKey), false);
    EXPECT_EQ(values.Integer({appUserModelFormatId, 11}), 0xFFFFFFFEu);
    EXPECT_EQ(values.String(titleKey), L"@shell32.dll,-21");
    EXPECT_EQ(values.Integer({summaryInformationFormatId, 3}), 7u);
    // Asked for the wrong kind, or for what is not there (or of a type not read), there is no answer.
    EXPECT_EQ(values.Bool(appUserModelIdKey), std::nullopt);
    EXPECT_EQ(values.String(startMenuExclusionKey), std::nullopt);
    EXPECT_EQ(values.Integer({appUserModelFormatId, 9}), std::nullopt);
    EXPECT_EQ(values.String({otherFormatId, 5}), std::nullopt);
    EXPECT_EQ(values.All().size(), 6u);
}

TEST(LinkProperties, AnsiStringDataIsCountedInBytesAndALinkMayHaveNoExtraData) {
    const t_Bytes properties = Join({Storage(appUserModelFormatId, {Value(5, Lpwstr(u"A.B"))}), U32(0)});
    const t_Bytes ansi = Join({Header(0x4 | 0x8 | 0x40), AnsiString("Notes"), AnsiString("..\\n.exe"),
                               AnsiString("n.exe"), Block(propertyStore, properties), terminal});
    EXPECT_EQ(ReadLinkProperties(ansi).status, t_LinkReadStatus::complete);
    EXPECT_EQ(ReadLinkProperties(ansi).size, ansi.size());
    EXPECT_EQ(ReadLinkProperties(ansi).properties.String(appUserModelIdKey), L"A.B");

    const t_Bytes bare = Join({Header(unicode), terminal});
    EXPECT_EQ(ReadLinkProperties(bare).status, t_LinkReadStatus::complete);
    EXPECT_EQ(ReadLinkProperties(bare).size, 80u);
    EXPECT_TRUE(ReadLinkProperties(bare).properties.All().empty());
}

TEST(LinkProperties, AnythingButAShellLinkHeaderIsNotALink) {
    t_Bytes wrongSize = Join({Header(unicode), terminal});
    wrongSize[0] = std::byte{0x4D};
    t_Bytes wrongClass = Join({Header(unicode), terminal});
    wrongClass[19] = std::byte{0x47};
    for (const t_Bytes& bytes : {wrongSize, wrongClass, t_Bytes{}, Filler(200)}) {
        EXPECT_EQ(ReadLinkProperties(bytes).status, t_LinkReadStatus::notALink);
    }
}

TEST(LinkProperties, EveryPrefixIsNotALinkOrTruncatedAndNeverReadsAWrongValue) {
    const t_Bytes link = TypicalLink();
    const t_PropertyValues whole = ReadLinkProperties(link).properties;
    for (std::size_t size = 0; size < link.size(); ++size) {
        const t_LinkProperties read = ReadLinkProperties(Prefix(link, size));
        EXPECT_EQ(read.status, size < 76 ? t_LinkReadStatus::notALink : t_LinkReadStatus::truncated) << size;
        EXPECT_LE(read.size, size);
        for (const t_Property& property : read.properties.All()) {
            EXPECT_EQ(whole.String(property.key), read.properties.String(property.key)) << size;
            EXPECT_EQ(whole.Bool(property.key), read.properties.Bool(property.key)) << size;
            EXPECT_EQ(whole.Integer(property.key), read.properties.Integer(property.key)) << size;
        }
    }
    // The storages alone, cut anywhere: what was read before the cut is kept, and only a cut between storages
    // (where the ending zero may be missing) reads as whole.
    const t_Bytes first = Storage(appUserModelFormatId, {Value(5, Lpwstr(u"First"))});
    const t_Bytes second = Storage(summaryInformationFormatId, {Value(2, Lpwstr(u"Second"))});
    const t_Bytes storages = Join({first, second, U32(0)});
    for (std::size_t size = 0; size <= storages.size(); ++size) {
        t_PropertyValues values;
        const bool whole = ReadPropertyStorages(Prefix(storages, size), values);
        const std::size_t bothEnd = first.size() + second.size();
        EXPECT_EQ(whole, size == 0 || size == first.size() || size == bothEnd || size == storages.size()) << size;
        EXPECT_EQ(values.String(appUserModelIdKey).has_value(), size >= first.size()) << size;
        EXPECT_EQ(values.String(titleKey).has_value(), size >= bothEnd) << size;
    }
}

TEST(LinkProperties, LyingLengthsStopReadingAndKeepWhatWasRead) {
    // A value claiming more bytes than its storage has stops the storage and everything after it.
    const t_Bytes valueTooLong = Join({U32(60), U32(5), {std::byte{0}}, Lpwstr(u"x")});
    t_PropertyValues values;
    EXPECT_FALSE(ReadPropertyStorages(Join({Storage(appUserModelFormatId, {Value(8, Bool(true)), valueTooLong}),
                                            Storage(summaryInformationFormatId, {Value(2, Lpwstr(u"Title"))}), U32(0)}),
                                      values));
    EXPECT_EQ(values.Bool(startMenuExclusionKey), true);
    EXPECT_EQ(values.String(appUserModelIdKey), std::nullopt);
    EXPECT_EQ(values.String(titleKey), std::nullopt);

    // A string whose count exceeds its value is dropped alone; the value size still leads to the next value, and a
    // huge count allocates nothing.
    values = {};
    EXPECT_TRUE(ReadPropertyStorages(
        Join({Storage(appUserModelFormatId,
                      {Value(5, Lpwstr(u"Vendor.App", 14)), Value(6, Lpwstr(u"y", 0xFFFFFFFF)), Value(8, Bool(false))}),
              U32(0)}),
        values));
    EXPECT_EQ(values.String(appUserModelIdKey), std::nullopt);
    EXPECT_EQ(values.String(isDestListSeparatorKey), std::nullopt);
    EXPECT_EQ(values.Bool(startMenuExclusionKey), false);

    // A storage larger than the block, a string name larger than its value, a value size too small for its header.
    for (const t_Bytes& storages : {Join({U32(0x1000), U32(0x53505331), Id(appUserModelFormatId), Value(5, Bool(1))}),
                                    Storage(stringNamedFormatId, {Join({U32(13), U32(200), Filler(5)})}),
                                    Storage(appUserModelFormatId, {Join({U32(5), Filler(12)})})}) {
        values = {};
        EXPECT_FALSE(ReadPropertyStorages(storages, values));
        EXPECT_TRUE(values.All().empty());
    }

    // In the link: an ID list, link information, a string or an extra block longer than the bytes left.
    const t_Bytes block = Block(propertyStore, Join({Storage(appUserModelFormatId, {Value(5, Lpwstr(u"A"))}), U32(0)}));
    for (const t_Bytes& link : {Join({Header(0x1 | unicode), U16(0xFFFF), Filler(20), block, terminal}),
                                Join({Header(0x2 | unicode), U32(0x7FFFFFFF), Filler(20), block, terminal}),
                                Join({Header(0x2 | unicode), U32(2), Filler(20), block, terminal}),
                                Join({Header(0x4 | unicode), U16(0x8000), Filler(20), block, terminal}),
                                Join({Header(unicode), block, U32(0x1000), U32(0xA0000003), Filler(8)}),
                                Join({Header(unicode), block, U32(6), Filler(8)})}) {
        const t_LinkProperties read = ReadLinkProperties(link);
        EXPECT_EQ(read.status, t_LinkReadStatus::truncated);
        EXPECT_LE(read.size, link.size());
    }
    // Blocks read before the lie keep their values.
    EXPECT_EQ(
        ReadLinkProperties(Join({Header(unicode), block, U32(6), Filler(8)})).properties.String(appUserModelIdKey),
        L"A");
}

TEST(LinkProperties, WrittenBlocksReadBackAndReplaceTheLinksOwn) {
    const std::wstring beyondSixteenBits = sizeof(wchar_t) > 2 ? std::wstring(1, wchar_t(0x1F600)) : L"\xD83D\xDE00";
    const std::vector<t_Property> properties{
        {appUserModelIdKey, L"Vendor.App" + beyondSixteenBits},
        {startMenuExclusionKey, true},
        {titleKey, L"Odd"},
        {isDestListSeparatorKey, false},
        {{otherFormatId, 4}, std::uint32_t{0x80000001}},
    };
    const t_Bytes block = PropertyStoreDataBlock(properties);

    const t_Bytes link = TypicalLink();
    const t_Bytes rewritten = WithPropertyStoreDataBlock(link, block);
    const t_LinkProperties read = ReadLinkProperties(rewritten);
    EXPECT_EQ(read.status, t_LinkReadStatus::complete);
    EXPECT_EQ(read.size, rewritten.size());
    EXPECT_EQ(read.properties.String(appUserModelIdKey), L"Vendor.App" + beyondSixteenBits);
    EXPECT_EQ(read.properties.Bool(startMenuExclusionKey), true);
    EXPECT_EQ(read.properties.String(titleKey), L"Odd");
    EXPECT_EQ(read.properties.Bool(isDestListSeparatorKey), false);
    EXPECT_EQ(read.properties.Integer({otherFormatId, 4}), 0x80000001u);
    // The link's own block is gone (its VT_I4 with it); the other extra block stays, before the new one.
    EXPECT_EQ(read.properties.All().size(), properties.size());
    const t_Bytes tracker = Block(0xA0000003, Filler(88));
    EXPECT_EQ(rewritten.size(), link.size() - TypicalPropertyBlock().size() + block.size());
    EXPECT_NE(std::search(rewritten.begin(), rewritten.end(), tracker.begin(), tracker.end()), rewritten.end());
    EXPECT_TRUE(std::equal(block.begin(), block.end(), rewritten.end() - 4 - block.size()));
    // Only a whole link is rewritten.
    EXPECT_TRUE(WithPropertyStoreDataBlock(Prefix(link, link.size() - 1), block).empty());
}

TEST(LinkProperties, WindowsSevenJumpListLinksHaveResourceTitles) {
    std::ifstream file(OMBRIX_SHARED_TESTDATA "/jumplists/win7-5afe4de1b92fc382.customDestinations-ms",
                       std::ios::binary);
    if (!file) GTEST_SKIP() << "the shared test data is not there";
    t_Bytes bytes;
    std::transform(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>(), std::back_inserter(bytes),
                   [](char c) { return std::byte(static_cast<unsigned char>(c)); });

    // The first link is found by its header; each further one follows the previous link's end and the shell-link
    // class identifier that the file writes before every link, so the reported sizes are checked too.
    const t_Bytes linkStart = Join({U32(0x4C), Id(shellLinkClassId)});
    auto at = static_cast<std::size_t>(std::search(bytes.begin(), bytes.end(), linkStart.begin(), linkStart.end()) -
                                       bytes.begin());
    std::vector<std::wstring> titles;
    while (at < bytes.size()) {
        const t_LinkProperties read = ReadLinkProperties(std::span(bytes).subspan(at));
        ASSERT_EQ(read.status, t_LinkReadStatus::complete) << "link at " << at;
        const std::optional<std::wstring> title = read.properties.String(titleKey);
        ASSERT_TRUE(title) << "link at " << at;
        EXPECT_EQ(read.properties.String(appUserModelIdKey), std::nullopt);
        titles.push_back(*title);
        at += read.size;
        if (bytes.size() - at < 36 || !std::equal(linkStart.begin() + 4, linkStart.end(), bytes.begin() + at) ||
            !std::equal(linkStart.begin(), linkStart.end(), bytes.begin() + at + 16)) {
            break;
        }
        at += 16;
    }
    ASSERT_EQ(titles.size(), 9u);
    for (std::size_t i = 0; i < titles.size(); ++i) {
        std::cout << "title " << i + 1 << ": " << std::string(titles[i].begin(), titles[i].end()) << '\n';
        // Indirect strings from the Getting Started folder's resources, -1101, -1121, ... -1261.
        EXPECT_EQ(titles[i], L"@%systemroot%\\system32\\oobefldr.dll,-" + std::to_wstring(1101 + 20 * i));
    }
}

TEST(LinkProperties, AValueOfAnyTypeButEmptyIsThereEvenWhenItIsNotRead) {
    const t_Bytes link =
        Join({Header(unicode),
              Block(propertyStore,
                    Join({Storage(appUserModelFormatId, {Value(17, Clsid()), Value(18, Join({U16(0), U16(0)})),
                                                         Value(5, Lpwstr(u"Vendor.App"))}),
                          U32(0)})),
              terminal});
    const t_PropertyValues values = ReadLinkProperties(link).properties;
    EXPECT_TRUE(values.Has({appUserModelFormatId, 17})); // a type we skip
    EXPECT_EQ(values.Bool({appUserModelFormatId, 17}), std::nullopt);
    EXPECT_FALSE(values.Has({appUserModelFormatId, 18})); // VT_EMPTY is no value
    EXPECT_TRUE(values.Has(appUserModelIdKey));
    EXPECT_FALSE(values.Has({appUserModelFormatId, 19}));
}
