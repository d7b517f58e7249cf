// The DestList stream of automatic jump-list files: streams assembled here record by record, links that load or not
// as each test says, and every edit checked on the bytes it leaves. The fuzz target checks on random streams that
// whatever opens or is written opens again the same; these tests pin down which entries are kept and where bytes go.

#include "jumplists/dest_list.h"

#include "error_result.h"
#include "memory_byte_stream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace n_ombrix;
using n_ombrix_test::ResultOf;

namespace {

using t_Bytes = std::vector<std::byte>;
using t_Entries = std::vector<std::pair<std::int32_t, std::int32_t>>; // number, pin position

constexpr std::int32_t eFail = failureResult, eInvalidArgument = invalidArgumentResult;

t_Bytes Put(t_Bytes out, std::size_t at, std::size_t size, std::uint64_t value) {
    for (std::size_t i = 0; i < size; ++i) out[at + i] = std::byte((value >> (8 * i)) & 0xFF);
    return out;
}

struct t_Record {
    std::int32_t number = 0;
    std::int32_t pin = -1;         // its position, -1 when not pinned
    std::size_t propertyStore = 0; // bytes after the path (versions 3 and 4)
    bool badChecksum = false;
};

// A stream as the shell might have written it: the header counts the records, and the bytes we do not interpret
// hold a pattern, so that a test sees whether they were kept.
t_Bytes Stream(const std::vector<t_Record>& records, std::uint32_t version = 3) {
    std::int32_t highest = -1, pins = 0;
    t_Bytes out(32);
    for (const t_Record& record : records) {
        const std::u16string path = u"C:\\Docs\\" + std::u16string(1, char16_t(u'a' + record.number % 26));
        const std::size_t start = out.size(), fixed = version == 1 ? 114 : 130, pathEnd = fixed + 2 * path.size();
        out.resize(start + pathEnd + (version == 1 ? 0 : 4 + record.propertyStore), std::byte{0xA5});
        for (std::size_t i = 8; i < fixed; ++i) out[start + i] = std::byte((i * 7 + record.number) & 0xFF);
        out = Put(out, start + 88, 4, static_cast<std::uint32_t>(record.number));
        out = Put(out, start + 108, 4, static_cast<std::uint32_t>(record.pin));
        out = Put(out, start + (version == 1 ? 112 : 128), 2, path.size());
        for (std::size_t i = 0; i < path.size(); ++i) out = Put(out, start + fixed + 2 * i, 2, path[i]);
        if (version != 1) out = Put(out, start + pathEnd, 4, record.propertyStore);
        const std::uint64_t checksum = DestListRecordChecksum(std::span(out).subspan(start, fixed));
        out = Put(out, start, 8, checksum ^ (record.badChecksum ? 1 : 0));
        highest = std::max(highest, record.number);
        pins += record.pin != -1;
    }
    out = Put(Put(Put(out, 0, 4, version), 4, 4, records.size()), 8, 4, static_cast<std::uint32_t>(pins));
    return Put(Put(out, 16, 8, 0x1234567800000000 | static_cast<std::uint32_t>(highest)), 24, 8, 0xABCD000000000010);
}

// Links of every entry number load unless broken or unavailable; the key is 0x5000 + the number. The paths the
// records gave are noted.
struct t_FakeLinks : t_DestListLinks {
    std::set<std::uint32_t> broken, unavailable;
    std::map<std::uint32_t, std::wstring> paths;
    t_LinkState CheckLink(std::uint32_t number, std::wstring_view path) override {
        paths[number] = path;
        return broken.contains(number)        ? t_LinkState::broken
               : unavailable.contains(number) ? t_LinkState::unavailable
                                              : t_LinkState::loads;
    }
    std::optional<std::uint64_t> LoadLink(std::uint32_t number, std::wstring_view path) override {
        if (CheckLink(number, path) == t_LinkState::broken) n_zql::n_system::n_windows::ThrowHResult(eFail);
        return unavailable.contains(number) ? std::nullopt : std::optional<std::uint64_t>(0x5000 + number);
    }
};

std::set<std::uint32_t> Open(t_DestList& list, t_ByteStream& stream, t_DestListLinks& links) {
    std::set<std::uint32_t> kept = list.Repair(stream, links);
    list.Load(stream, links);
    return kept;
}

t_Entries Entries(const t_DestList& list) {
    t_Entries entries;
    for (const t_DestListRecord& record : list.Records())
        entries.emplace_back(record.EntryNumber(), record.PinPosition());
    return entries;
}

// What the next open of these bytes finds.
t_Entries Reread(const t_Bytes& bytes, t_FakeLinks& links) {
    t_MemoryByteStream copy(bytes);
    t_DestList again;
    Open(again, copy, links);
    return Entries(again);
}

} // namespace

TEST(DestListRepair, KeepsPinsWhoseLinksAreNotBrokenAndNumbersThemWithoutGaps) {
    for (const std::uint32_t version : {1u, 3u}) {
        SCOPED_TRACE(version);
        // Positions 7 and 3; a pin whose link is broken; a second record for pin 3; a second record with number 4;
        // an unpinned record whose link is broken; one this machine cannot load just now.
        const t_Bytes bytes = Stream({{9}, {8, 7}, {7, 2}, {6, 3}, {5, 3}, {4}, {4}, {3}, {2}}, version);
        t_MemoryByteStream stream(bytes), unrepaired(bytes);
        t_FakeLinks links;
        links.broken = {7, 3};
        links.unavailable = {2};
        t_DestList list;
        // The loader alone refuses the gaps in the pin positions, which the repair closes.
        EXPECT_EQ(ResultOf([&] { list.Load(unrepaired, links); }), eFail);
        EXPECT_EQ(Open(list, stream, links), (std::set<std::uint32_t>{9, 8, 6, 4, 2}));
        EXPECT_EQ(Entries(list), (t_Entries{{9, -1}, {8, 1}, {6, 0}, {4, -1}, {2, -1}}));
        EXPECT_EQ(list.PinnedEntryNumbers(), (std::vector<std::uint32_t>{6, 8}));
        // The entry whose link did not load here stays in the file, found by number but not by key.
        EXPECT_TRUE(list.FindByNumber(2) && !list.FindByKey(0x5002));
    }
}

TEST(DestListOpen, AFileThatBreaksTheFormatFailsWholeAndIsNotWritten) {
    const t_Bytes good = Stream({{1, 0}, {0}});
    const t_Bytes storeless = Stream({{0, -1, 8}});
    const std::vector<std::pair<const char*, t_Bytes>> cases{
        {"version 2", Put(good, 0, 4, 2)},
        {"too many entries", Put(Stream({}), 4, 4, 0x10001)},
        {"more pins than entries", Put(good, 8, 4, 3)},
        {"bad checksum in a pin", Stream({{.number = 1, .pin = 0, .badChecksum = true}, {0}})},
        {"bad checksum later", Stream({{1, 0}, {.number = 0, .badChecksum = true}})},
        {"negative number", Stream({{-2}})},
        {"path past the end", t_Bytes(good.begin(), good.end() - 1)},
        {"property store past the end", t_Bytes(storeless.begin(), storeless.end() - 4)}};
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        t_MemoryByteStream stream(bytes);
        t_FakeLinks links;
        t_DestList list;
        EXPECT_EQ(ResultOf([&] { Open(list, stream, links); }), eFail);
        EXPECT_TRUE(stream.ChangeCount() == 0 && list.Records().empty());
    }
}

// That what AddFront writes opens again as the model says is the fuzz target's; here the numbers, a path beyond
// 16 bits, and the refusals.
TEST(DestListAddFront, NumbersFollowTheLastIssuedAndRefusalsWriteNothing) {
    t_DestList list;
    t_MemoryByteStream stream;
    list.Create(stream, 3);
    // A character beyond 16 bits goes as its surrogate pair, whatever the width of wchar_t.
    const std::wstring path = L"C:\\\U0001F600";
    EXPECT_EQ(list.AddFront(stream, path, 0x01D0AABBCCDDEEFF, 0x5001), 1u);
    EXPECT_EQ(list.AddFront(stream, L"D:\\y", 5, 0x5002), 2u);
    t_FakeLinks links;
    Reread(stream.Bytes(), links);
    EXPECT_EQ(links.paths[1], path);
    const t_Bytes before = stream.Bytes();
    EXPECT_EQ(ResultOf([&] { list.AddFront(stream, L"z", 0, 0x5001); }), eInvalidArgument);
    EXPECT_EQ(ResultOf([&] { list.AddFront(stream, std::wstring(0x10000, L'x'), 0, 3); }), eInvalidArgument);
    EXPECT_EQ(stream.Bytes(), before);
    // No number left: the next would be negative, which no reader takes.
    t_MemoryByteStream full(Stream({{0x7FFFFFFF}}));
    Open(list, full, links);
    EXPECT_EQ(ResultOf([&] { list.AddFront(full, L"c", 0, 9); }), eFail);
}

// Pins and unpins rewrite only the first 114 bytes of the records they touch; a removal moves the later records back
// with what follows their paths, and counts twice in the revision.
TEST(DestListEdits, TouchOnlyTheBytesTheyMust) {
    t_MemoryByteStream stream(Stream({{3, -1, 6}, {2, 0}, {1, -1, 10}, {0, 1}}));
    t_FakeLinks links;
    t_DestList list;
    Open(list, stream, links);
    const std::vector<t_DestListRecord> records = list.Records();
    // The edit changes no byte outside the first 114 of the records touched.
    const auto expectTouches = [&](const std::function<void()>& edit, std::set<std::size_t> touched) {
        const t_Bytes before = stream.Bytes();
        edit();
        for (std::size_t i = 32; i < before.size(); ++i) {
            const auto inTouched = [&](std::size_t r) { return i >= records[r].start && i < records[r].start + 114; };
            EXPECT_TRUE(before[i] == stream.Bytes().at(i) || std::ranges::any_of(touched, inTouched)) << i;
        }
    };
    expectTouches([&] { list.Pin(stream, 3), list.Pin(stream, 3); }, {0}); // the second finds it pinned: stays
    expectTouches([&] { list.Unpin(stream, 2); }, {0, 1, 3});
    EXPECT_EQ(Entries(list), (t_Entries{{3, 1}, {2, -1}, {1, -1}, {0, 0}}));
    EXPECT_EQ(ResultOf([&] { list.Unpin(stream, 9); }), eInvalidArgument);

    t_Bytes expected = stream.Bytes();
    expected.erase(expected.begin() + records[1].start, expected.begin() + records[1].end);
    list.Remove(stream, 2);
    EXPECT_TRUE(std::equal(expected.begin() + 32, expected.end(), stream.Bytes().begin() + 32, stream.Bytes().end()));
    // A pinned entry is unpinned first (one more revision), and the last issued number falls to the highest left.
    list.Remove(stream, 3);
    EXPECT_EQ(Entries(list), (t_Entries{{1, -1}, {0, 0}}));
    EXPECT_EQ(list.Header().revision, 0xABCD000000000017u);
    EXPECT_EQ(list.Header().lastIssued, 0x1234567800000001u);
}

// An edit cut short leaves the model as it was and a stream that the next open reads with every entry.
TEST(DestListEdits, AnEditCutShortLosesNoEntry) {
    const std::vector<std::pair<const char*, std::function<void(t_DestList&, t_ByteStream&)>>> edits{
        {"pin", [](auto& list, auto& stream) { list.Pin(stream, 2); }},
        {"unpin", [](auto& list, auto& stream) { list.Unpin(stream, 4); }}, // the first of three pins
        {"add", [](auto& list, auto& stream) { list.AddFront(stream, L"n", 0, 0x7777); }},
        {"remove", [](auto& list, auto& stream) { list.Remove(stream, 1); }},
    };
    for (const auto& [name, edit] : edits) {
        for (std::size_t writes = 0; writes < 4; ++writes) {
            SCOPED_TRACE(std::string(name) + " after " + std::to_string(writes) + " writes");
            t_MemoryByteStream stream(Stream({{4, 0}, {3, 1}, {2}, {1, 2}, {0}}));
            t_FakeLinks links;
            t_DestList list;
            Open(list, stream, links);
            const t_Entries entries = Entries(list);
            stream.writesLeft = writes;
            if (ResultOf([&] { edit(list, stream); }) == 0) continue;
            const bool removing = std::string(name) == "remove"; // which unpins first, and keeps that
            EXPECT_TRUE(removing || Entries(list) == entries);
            const t_Entries reread = Reread(stream.Bytes(), links);
            for (const auto& [number, pin] : entries) {
                const bool found = std::ranges::find(reread, number, &t_Entries::value_type::first) != reread.end();
                EXPECT_TRUE(found || (removing && number == 1)) << number;
            }
        }
    }
}
