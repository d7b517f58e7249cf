// Properties read from a shell link's own bytes: links assembled here field by field, and the links Windows 7
// wrote into a custom jump-list file.

#include "catalogue/link_properties.h"

#include "link_property_block.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <tuple>

using namespace n_ombrix;
using enum t_LinkReadStatus;

namespace {

using t_Bytes = std::vector<std::byte>;
using t_Parts = std::initializer_list<t_Bytes>;

constexpr std::uint32_t unicode = 0x80;
constexpr std::uint32_t propertyStore = 0xA0000009;
const t_FormatId appModel = appUserModelFormatId;
const t_FormatId shellLinkClassId = FormatId(0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46});

t_Bytes Join(t_Parts parts) {
    t_Bytes out;
    for (const t_Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
    return out;
}
t_Bytes U16(std::uint32_t value) { return {std::byte(value & 0xFF), std::byte((value >> 8) & 0xFF)}; }
t_Bytes U32(std::uint32_t value) { return Join({U16(value & 0xFFFF), U16(value >> 16)}); }
t_Bytes Filler(std::size_t size) { return t_Bytes(size, std::byte{0x5A}); }
t_Bytes Id(const t_FormatId& id) { return {std::as_bytes(std::span(id)).begin(), std::as_bytes(std::span(id)).end()}; }
t_Bytes Utf16(std::string_view text) { return text.empty() ? t_Bytes{} : Join({U16(text[0]), Utf16(text.substr(1))}); }

t_Bytes Header(std::uint32_t flags) { return Join({U32(0x4C), Id(shellLinkClassId), U32(flags), Filler(52)}); }
// StringData: a count of characters of this many bytes each.
t_Bytes StringData(std::size_t count, std::size_t unitSize) { return Join({U16(count), Filler(count * unitSize)}); }
// An extra-data block, or a property storage (its version where the signature is).
t_Bytes Block(std::uint32_t signature, t_Bytes data) { return Join({U32(8 + data.size()), U32(signature), data}); }
const t_Bytes terminal = U32(0);

t_Bytes Typed(std::uint16_t type, const t_Bytes& data) { return Join({U16(type), U16(0), data}); }
// A count of 0 stands for the text's own, its NUL included; the characters are padded to a multiple of 4 bytes.
t_Bytes Lpwstr(std::string_view s, std::uint32_t count = 0) {
    return Typed(0x1F, Join({U32(count ? count : s.size() + 1), Utf16(s), U16(0), Filler(s.size() % 2 ? 0 : 2)}));
}
t_Bytes Value(std::uint32_t id, t_Bytes typed) { return Join({U32(9 + typed.size()), U32(id), t_Bytes(1), typed}); }
t_Bytes Storage(const t_FormatId& id, t_Parts all) { return Block(0x53505331, Join({Id(id), Join(all), U32(0)})); }

// Read only while every property-store block before it told the truth.
const t_Bytes blockA = Block(propertyStore, Storage(appModel, {Value(99, Lpwstr("A"))}));
t_Bytes InLink(t_Bytes storages) { return Join({Header(unicode), Block(propertyStore, storages), blockA, terminal}); }

// A link as the shell writes one: ID list, link information and arguments (flags 0x23), another extra block before
// the properties.
const t_Bytes typicalStorages = Join({
    // A storage of another version, skipped whole.
    Block(0x53505332, Join({Id(appModel), Value(5, Lpwstr("Other.Editor")), U32(0)})),
    // A CLSID and a VT_EMPTY, which are not read; a VT_BOOL of 1, which is true; a VT_I4.
    Storage(appModel, {Value(5, Lpwstr("Vendor.Editor")), Value(17, Typed(0x48, Id(shellLinkClassId))),
                       Value(18, Typed(0, {})), Value(6, Typed(0x0B, U32(1))), Value(11, Typed(3, U32(~1u)))}),
    Storage(summaryInformationFormatId, {Value(2, Lpwstr("@shell32.dll,-21")), Value(3, Typed(0x13, U32(7)))}),
});
const t_Bytes typical = Join({Header(0x23 | unicode), U16(6), Filler(6), U32(12), Filler(8), StringData(5, 2),
                              Block(0xA0000003, Filler(88)), Block(propertyStore, typicalStorages), terminal});

// "5=A;6=true;": the values read, by identifier, in the order read.
std::wstring Rendered(const t_PropertyValues& values) {
    std::wostringstream out;
    for (const t_Property& p : values.All())
        std::visit([&](const auto& v) { out << p.key.id << L'=' << std::boolalpha << v << L';'; }, p.value);
    return out.str();
}

} // namespace

TEST(LinkProperties, ReadsUpToTheLinksEndOrTheFirstLieKeepsWhatWasReadAndNotesWhatItDoesNotRead) {
    // A block written here goes after the link's own: the link's values come first and win; its CLSID at the
    // exclusion key is no value to win with.
    const t_Property written[]{
        {appUserModelIdKey, L"B"}, {startMenuExclusionKey, true}, {{titleKey.formatId, 4}, L"\U0001F600"}};
    const std::tuple<t_Bytes, t_LinkReadStatus, std::wstring> cases[] = {
        {typical, complete, L"5=Vendor.Editor;6=true;11=4294967294;2=@shell32.dll,-21;3=7;"},
        {n_ombrix_test::WithPropertyStoreDataBlock(typical, n_ombrix_test::PropertyStoreDataBlock(written)), complete,
         L"5=Vendor.Editor;6=true;11=4294967294;2=@shell32.dll,-21;3=7;17=true;4=\U0001F600;"},
        // ANSI string data is counted in bytes.
        {Join({Header(0x4 | 0x8), StringData(5, 1), StringData(7, 1), blockA, terminal}), complete, L"99=A;"},
        // Storages that lie: a value longer than its storage, a storage longer than its block, bytes after the last
        // storage, a string name longer than its value, a value too short for its header.
        {InLink(Storage(appModel, {Value(6, Typed(3, U32(1))), U32(60), Filler(12)})), complete, L"6=1;"},
        {InLink(U32(0x1000)), complete, L""},
        {InLink(Join({Storage(appModel, {Value(6, Typed(3, U32(1)))}), U16(0)})), complete, L"6=1;"},
        {InLink(Storage(stringNamedFormatId, {Join({U32(13), U32(200), Filler(5)})})), complete, L""},
        {InLink(Storage(appModel, {Join({U32(5), Filler(1)})})), complete, L""},
        // "ab" has room for four units: its count may take the padding, no more. A count past its value drops that
        // value alone, and a huge one allocates nothing.
        {InLink(Storage(appModel, {Value(5, Lpwstr("ab", 5)), Value(7, Lpwstr("ab", ~0u)), Value(4, Lpwstr("ab", 4))})),
         complete, L"4=ab;99=A;"},
        // An ID list, link information (too long or too short), a string or an extra block longer than the bytes
        // left.
        {Join({Header(0x1 | unicode), U16(0xFFFF), Filler(20), blockA, terminal}), truncated, L""},
        {Join({Header(0x2 | unicode), U32(0x7FFFFFFF), Filler(20), blockA, terminal}), truncated, L""},
        {Join({Header(0x2 | unicode), U32(0), Filler(20), blockA, terminal}), truncated, L""},
        {Join({Header(0x4 | unicode), U16(0x8000), Filler(20), blockA, terminal}), truncated, L""},
        {Join({Header(unicode), blockA, U32(0x1000), U32(0xA0000003), Filler(8)}), truncated, L"99=A;"},
        {Join({Header(unicode), blockA, U32(6), U32(propertyStore), Filler(4)}), truncated, L"99=A;"},
        // A wrong header size or class identifier.
        {Join({U32(0x4D), Id(shellLinkClassId), Filler(56), terminal}), notALink, L""},
        {Join({U32(0x4C), Id(appModel), Filler(56), terminal}), notALink, L""},
    };
    for (const auto& [link, status, values] : cases) {
        SCOPED_TRACE(testing::Message() << "link of " << link.size() << " bytes");
        // Followed by more, as in a jump-list file: a link ends with its terminal block.
        const t_LinkProperties read = ReadLinkProperties(Join({link, blockA}));
        EXPECT_EQ(std::pair(read.status, Rendered(read.properties)), std::pair(status, values));
        EXPECT_TRUE(status == complete ? read.size == link.size() : read.size <= link.size()) << read.size;
        // Cut anywhere, the link is not whole and reads no value that it does not read whole.
        for (std::size_t size = 0; size < link.size(); ++size) {
            const t_LinkProperties cut = ReadLinkProperties(std::span(link).first(size));
            const bool notWhole = cut.status == (size < 76 || status == notALink ? notALink : truncated);
            EXPECT_TRUE(notWhole && cut.size <= size && values.starts_with(Rendered(cut.properties))) << size;
        }
    }
    // A CLSID is no value but is there, which is all the Start menu exclusion asks; VT_EMPTY is not there.
    const t_PropertyValues own = ReadLinkProperties(typical).properties;
    EXPECT_TRUE(own.Has(startMenuExclusionKey) && !own.Has({appModel, 18}));
    EXPECT_TRUE(own.Bool(isDestListSeparatorKey) == true && !own.Bool(appUserModelIdKey) && own.Has(titleKey));
}

TEST(LinkProperties, WindowsSevenJumpListLinksHaveResourceTitles) {
    std::ifstream file(OMBRIX_SHARED_TESTDATA "/jumplists/win7-5afe4de1b92fc382.customDestinations-ms",
                       std::ios::binary);
    if (!file) GTEST_SKIP() << "the shared test data is not there";
    const std::string text{std::istreambuf_iterator<char>(file), {}};
    // The file writes the shell-link class identifier (16 bytes) before every link, so each link's size must lead to
    // the next, which must then read whole.
    std::size_t at = text.find(std::string(reinterpret_cast<const char*>(shellLinkClassId.data()), 16));
    for (int i = 0; i < 9; ++i) {
        const auto [status, size, values] = ReadLinkProperties(std::as_bytes(std::span(text)).subspan(at + 16));
        ASSERT_EQ(status, complete) << "link " << i;
        // Indirect strings from the Getting Started folder's resources, -1101, -1121, ... -1261.
        EXPECT_EQ(values.String(titleKey), L"@%systemroot%\\system32\\oobefldr.dll,-" + std::to_wstring(1101 + 20 * i));
        at += 16 + size;
    }
}
