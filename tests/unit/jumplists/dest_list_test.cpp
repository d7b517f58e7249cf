// The DestList stream of automatic jump-list files: streams assembled here record by record in versions 1 and 3,
// links that load or not as each test says, and every edit checked on the bytes it leaves and on what the next
// open reads from them.

#include "jumplists/dest_list.h"

#include "error_result.h"
#include "memory_byte_stream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

using namespace n_ombrix;
using n_ombrix_test::ResultOf;

namespace {

using t_Bytes = std::vector<std::byte>;
using t_Entries = std::vector<std::pair<std::int32_t, std::int32_t>>; // number, pin position

void Put(t_Bytes& out, std::size_t at, std::size_t size, std::uint64_t value) {
    for (std::size_t i = 0; i < size; ++i) out[at + i] = std::byte((value >> (8 * i)) & 0xFF);
}
std::uint64_t Get(const t_Bytes& bytes, std::size_t at, std::size_t size) {
    std::uint64_t value = 0;
    for (std::size_t i = size; i-- > 0;) value = (value << 8) | std::to_integer<std::uint64_t>(bytes[at + i]);
    return value;
}

struct t_Record {
    std::int32_t number = 0;
    std::int32_t pin = -1;
    bool badChecksum = false;
};

// A record as the shell might have written it: the bytes we do not interpret hold a pattern, so that a test sees
// whether they were kept.
t_Bytes Record(std::uint32_t version, const t_Record& fields) {
    const std::u16string path = u"C:\\Docs\\a.txt";
    const std::size_t fixed = version == 1 ? 114 : 130;
    t_Bytes out(fixed + 2 * path.size() + (version == 1 ? 0 : 4), std::byte{0xA5});
    for (std::size_t i = 8; i < fixed; ++i) out[i] = std::byte((i * 7 + fields.number) & 0xFF);
    Put(out, 88, 4, static_cast<std::uint32_t>(fields.number));
    Put(out, 108, 4, static_cast<std::uint32_t>(fields.pin));
    Put(out, version == 1 ? 112 : 128, 2, path.size());
    for (std::size_t i = 0; i < path.size(); ++i) Put(out, fixed + 2 * i, 2, path[i]);
    Put(out, 0, 8, DestListRecordChecksum(std::span(out).first(fixed)) ^ (fields.badChecksum ? 1 : 0));
    return out;
}

struct t_Header {
    std::uint32_t version = 3, entryCount = 0, pinnedCount = 0, unknown = 0xC0FFEE;
    std::uint64_t lastIssued = 0x1234567800000000, revision = 0xABCD000000000010;
    bool counted = true; // entry count, pinned count and last issued from the records
};

t_Bytes Stream(t_Header header, const std::vector<t_Record>& records = {}) {
    if (header.counted) {
        header.entryCount = static_cast<std::uint32_t>(records.size());
        std::int32_t highest = -1;
        for (const t_Record& record : records) {
            highest = std::max(highest, record.number);
            header.pinnedCount += record.pin != -1;
        }
        header.lastIssued = (header.lastIssued & 0xFFFFFFFF00000000) | static_cast<std::uint32_t>(highest);
    }
    t_Bytes out(32);
    Put(out, 0, 4, header.version);
    Put(out, 4, 4, header.entryCount);
    Put(out, 8, 4, header.pinnedCount);
    Put(out, 12, 4, header.unknown);
    Put(out, 16, 8, header.lastIssued);
    Put(out, 24, 8, header.revision);
    for (const t_Record& record : records) {
        const t_Bytes bytes = Record(header.version, record);
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    return out;
}

// Links of every entry number load unless broken; the key is 0x5000 + the number unless given.
struct t_FakeLinks : t_DestListLinks {
    std::set<std::uint32_t> broken;
    std::map<std::uint32_t, std::uint64_t> keys;
    t_LinkState CheckLink(std::uint32_t number, std::wstring_view) override {
        return broken.contains(number) ? t_LinkState::broken : t_LinkState::loads;
    }
    std::optional<std::uint64_t> LoadLink(std::uint32_t number, std::wstring_view) override {
        if (broken.contains(number)) n_zql::n_system::n_windows::n_com::ThrowHResult(failureResult);
        return keys.contains(number) ? keys[number] : 0x5000 + number;
    }
};

constexpr auto eFail = static_cast<std::int32_t>(0x80004005u);
constexpr auto eInvalidArgument = static_cast<std::int32_t>(0x80070057u);

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

// A copy of the stream opens without a write to the entries the list holds.
void ExpectReopensAs(const t_MemoryByteStream& stream, const t_DestList& list, t_FakeLinks links = {}) {
    t_MemoryByteStream copy(stream.Bytes());
    t_DestList again;
    ASSERT_EQ(ResultOf([&] { Open(again, copy, links); }), 0);
    EXPECT_EQ(copy.ChangeCount(), 0u);
    EXPECT_EQ(Entries(again), Entries(list));
    EXPECT_EQ(again.PinnedEntryNumbers(), list.PinnedEntryNumbers());
}

} // namespace

// The limit keeps the first records in file order, but never at the cost of a pin the header goes on counting.
TEST(DestListRepair, KeepsTheFirst64RecordsAsTheyWereAndEveryPin) {
    std::vector<t_Record> records;
    for (int number = 80; number >= 1; --number) records.push_back({.number = number});
    records.push_back({.number = 0, .pin = 0});
    const t_Bytes original = Stream({}, records);
    t_MemoryByteStream stream(original);
    t_FakeLinks links;
    t_DestList list;
    const std::set<std::uint32_t> kept = Open(list, stream, links);

    EXPECT_EQ(kept, [] {
        std::set<std::uint32_t> expected{0};
        for (std::uint32_t number = 18; number <= 80; ++number) expected.insert(number);
        return expected;
    }());
    EXPECT_EQ(list.PinnedEntryNumbers(), std::vector<std::uint32_t>{0});
    EXPECT_EQ(list.Header().lastIssued, 0x1234567800000050u);
    EXPECT_EQ(list.Header().revision, 0xABCD000000000011u);
    EXPECT_EQ(list.Header().unknown, 0xC0FFEEu);
    // The file's own bytes: its first 63 records and its last.
    const std::size_t length = list.Records()[0].end - 32, kept63 = 32 + 63 * length;
    const t_Bytes& now = stream.Bytes();
    ASSERT_EQ(now.size(), kept63 + length);
    EXPECT_TRUE(std::equal(now.begin() + 32, now.begin() + kept63, original.begin() + 32));
    EXPECT_TRUE(std::equal(now.rbegin(), now.rend() - kept63, original.rbegin()));
    ExpectReopensAs(stream, list);
}

TEST(DestListRepair, KeepsPinsWhoseLinksLoadAndNumbersThemWithoutGaps) {
    for (const std::uint32_t version : {1u, 3u}) {
        SCOPED_TRACE(version);
        // Positions 7 and 3 under a pinned count of 3; a pin whose link is gone; a second record for pin 3; a
        // second record with number 4; an unpinned record whose link is gone.
        t_MemoryByteStream stream(
            Stream({.version = version, .entryCount = 8, .pinnedCount = 3, .lastIssued = 9, .counted = false},
                   {{.number = 9},
                    {.number = 8, .pin = 7},
                    {.number = 7, .pin = 2},
                    {.number = 6, .pin = 3},
                    {.number = 5, .pin = 3},
                    {.number = 4},
                    {.number = 4},
                    {.number = 3}}));
        t_FakeLinks links;
        links.broken = {7, 3};
        t_DestList list;
        EXPECT_EQ(Open(list, stream, links), (std::set<std::uint32_t>{9, 8, 6, 4}));
        EXPECT_EQ(Entries(list), (t_Entries{{9, -1}, {8, 1}, {6, 0}, {4, -1}}));
        EXPECT_EQ(list.PinnedEntryNumbers(), (std::vector<std::uint32_t>{6, 8}));
        EXPECT_EQ(list.Header().pinnedCount, 2u);
        EXPECT_EQ(list.Header().revision, 0xABCD000000000011u);
        // A renumbered record has a new checksum (Load checked it) and otherwise the file's bytes.
        t_Bytes expected = Record(version, {.number = 8, .pin = 1});
        expected.resize(list.FindByNumber(8)->fixedPart.size());
        EXPECT_EQ(list.FindByNumber(8)->fixedPart, expected);
    }
}

// Closing a gap changes no count, yet the loader rejects gaps: the file is rewritten so that its entries show.
TEST(DestListRepair, APinGapUnderMatchingCountsIsClosedAndWritten) {
    const t_Bytes gap = Stream({}, {{.number = 2, .pin = 5}, {.number = 1, .pin = 0}, {.number = 0}});
    t_MemoryByteStream stream(gap);
    t_FakeLinks links;
    t_DestList list;
    Open(list, stream, links);
    EXPECT_EQ(Entries(list), (t_Entries{{2, 1}, {1, 0}, {0, -1}}));
    EXPECT_EQ(list.Header().revision, 0xABCD000000000011u);
    ExpectReopensAs(stream, list);

    t_MemoryByteStream unrepaired(gap);
    EXPECT_EQ(ResultOf([&] { list.Load(unrepaired, links); }), eFail);
    EXPECT_TRUE(list.Records().empty());
    EXPECT_EQ(list.Header().version, 0u);
}

TEST(DestListOpen, AFileThatBreaksTheFormatFailsWholeAndIsNotWritten) {
    const std::vector<t_Record> good{{.number = 1, .pin = 0}, {.number = 0}};
    t_Bytes truncated = Stream({}, good);
    truncated.pop_back();
    t_Bytes hugePath = Stream({}, {{.number = 0}});
    Put(hugePath, 32 + 128, 2, 0xFFFF);
    Put(hugePath, 32, 8, DestListRecordChecksum(std::span(hugePath).subspan(32, 130)));
    t_Bytes aboveLastIssued = Stream({}, {{.number = 3}, {.number = 1}});
    Put(aboveLastIssued, 16, 4, 2);
    const std::vector<std::pair<const char*, t_Bytes>> cases{
        {"version 2", Stream({.version = 2}, good)},
        {"too many entries", Stream({.entryCount = 0x10001, .counted = false})},
        {"more pins than entries", Stream({.entryCount = 1, .pinnedCount = 2, .counted = false}, good)},
        {"short header", t_Bytes(31)},
        {"bad checksum in a pin", Stream({}, {{.number = 1, .pin = 0, .badChecksum = true}, {.number = 0}})},
        {"bad checksum later", Stream({}, {{.number = 1, .pin = 0}, {.number = 0, .badChecksum = true}})},
        {"negative number", Stream({}, {{.number = -2}})},
        {"path past the end", truncated},
        {"path length past the end", hugePath},
        {"fewer records than counted", Stream({.entryCount = 1, .counted = false})},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        t_MemoryByteStream stream(bytes);
        t_FakeLinks links;
        t_DestList list;
        EXPECT_EQ(ResultOf([&] { Open(list, stream, links); }), eFail);
        EXPECT_EQ(ResultOf([&] { list.Load(stream, links); }), eFail);
        EXPECT_EQ(stream.ChangeCount(), 0u);
        EXPECT_TRUE(list.Records().empty());
    }
    // What the repair pass leaves alone, the loader refuses: a number above the last issued one (Load alone), two
    // links with one key.
    t_MemoryByteStream stream(aboveLastIssued);
    t_FakeLinks links;
    t_DestList list;
    EXPECT_EQ(ResultOf([&] { list.Load(stream, links); }), eFail);
    links.keys = {{3, 77}, {1, 77}};
    EXPECT_EQ(ResultOf([&] { Open(list, stream, links); }), eFail);
}

TEST(DestListAddFront, NumbersFollowTheLastIssuedAndRecordsMatchTheVersion) {
    t_FakeLinks links;
    t_DestList list;
    // Every entry dropped: the last issued number becomes -1, so the first new entry is 0.
    links.broken = {0, 1};
    t_MemoryByteStream emptied(Stream({}, {{.number = 1}, {.number = 0}}));
    Open(list, emptied, links);
    EXPECT_EQ(list.Header().lastIssued, 0x12345678FFFFFFFFu);
    EXPECT_EQ(list.AddFront(emptied, L"C:\\x", 7, 1), 0u);
    links.broken.clear();

    for (const std::uint32_t version : {1u, 3u}) {
        SCOPED_TRACE(version);
        t_MemoryByteStream stream;
        list.Create(stream, version);
        EXPECT_EQ(stream.Bytes(),
                  Stream({.version = version, .unknown = 0, .lastIssued = 0, .revision = 0, .counted = false}));
        // A character beyond 16 bits goes as its surrogate pair, whatever the width of wchar_t.
        EXPECT_EQ(list.AddFront(stream, L"C:\\\U0001F600", 0x01D0AABBCCDDEEFF, 0x5001), 1u);
        const std::size_t fixed = version == 1 ? 114 : 130;
        const std::u16string path = u"C:\\\U0001F600";
        t_Bytes expected(fixed + 2 * path.size() + (version == 1 ? 0 : 4));
        Put(expected, 88, 4, 1);
        Put(expected, 96, 4, 0x3F800000);
        Put(expected, 100, 8, 0x01D0AABBCCDDEEFF);
        Put(expected, 108, 4, 0xFFFFFFFF);
        if (version != 1) Put(expected, 112, 4, 0xFFFFFFFF);
        Put(expected, version == 1 ? 112 : 128, 2, path.size());
        for (std::size_t i = 0; i < path.size(); ++i) Put(expected, fixed + 2 * i, 2, path[i]);
        Put(expected, 0, 8, DestListRecordChecksum(std::span(expected).first(fixed)));
        EXPECT_EQ(t_Bytes(stream.Bytes().begin() + 32, stream.Bytes().end()), expected);
        EXPECT_EQ(Get(stream.Bytes(), 4, 4), 1u);
        EXPECT_EQ(Get(stream.Bytes(), 16, 8), 1u);
        EXPECT_EQ(Get(stream.Bytes(), 24, 8), 1u);

        // The next entry goes in front; the first moves behind it unchanged.
        EXPECT_EQ(list.AddFront(stream, L"D:\\y", 5, 0x5002), 2u);
        EXPECT_TRUE(std::equal(expected.rbegin(), expected.rend(), stream.Bytes().rbegin()));
        EXPECT_EQ(list.FindByKey(0x5001)->start, stream.Bytes().size() - expected.size());
        ExpectReopensAs(stream, list);

        const t_Bytes before = stream.Bytes();
        EXPECT_EQ(ResultOf([&] { list.AddFront(stream, L"z", 0, 0x5001); }), eInvalidArgument);
        EXPECT_EQ(ResultOf([&] { list.AddFront(stream, std::wstring(0x10000, L'x'), 0, 3); }), eInvalidArgument);
        EXPECT_EQ(stream.Bytes(), before);
    }
    // No number left: the next would be negative, which no reader takes.
    t_MemoryByteStream full(Stream({}, {{.number = 0x7FFFFFFF}}));
    Open(list, full, links);
    EXPECT_EQ(ResultOf([&] { list.AddFront(full, L"c", 0, 9); }), eFail);
}

TEST(DestListPin, PinAndUnpinRewriteOnlyTheCommonPartOfTheRecordsTheyTouch) {
    for (const std::uint32_t version : {1u, 3u}) {
        SCOPED_TRACE(version);
        t_MemoryByteStream stream(Stream(
            {.version = version}, {{.number = 3}, {.number = 2, .pin = 0}, {.number = 1}, {.number = 0, .pin = 1}}));
        t_FakeLinks links;
        t_DestList list;
        Open(list, stream, links);
        const std::vector<t_DestListRecord> records = list.Records();
        // Outside the header and the first 114 bytes of the records given, nothing changed.
        const auto expectChangedOnly = [&](const t_Bytes& before, std::set<std::size_t> touched) {
            ASSERT_EQ(before.size(), stream.Bytes().size());
            for (std::size_t i = 32; i < before.size(); ++i) {
                const bool mayChange = std::any_of(touched.begin(), touched.end(), [&](std::size_t r) {
                    return i >= records[r].start && i < records[r].start + 114;
                });
                if (!mayChange) {
                    ASSERT_EQ(before[i], stream.Bytes()[i]) << i;
                }
            }
        };

        t_Bytes before = stream.Bytes();
        list.Pin(stream, 3);
        list.Pin(stream, 3); // already pinned: stays
        expectChangedOnly(before, {0});
        EXPECT_EQ(list.PinnedEntryNumbers(), (std::vector<std::uint32_t>{2, 0, 3}));
        EXPECT_EQ(Get(stream.Bytes(), 8, 4), 3u);
        EXPECT_EQ(Get(stream.Bytes(), 24, 8), 0xABCD000000000011u);

        before = stream.Bytes();
        list.Unpin(stream, 2);
        expectChangedOnly(before, {0, 1, 3});
        EXPECT_EQ(Entries(list), (t_Entries{{3, 1}, {2, -1}, {1, -1}, {0, 0}}));
        EXPECT_EQ(Get(stream.Bytes(), 8, 4), 2u);
        EXPECT_EQ(Get(stream.Bytes(), 24, 8), 0xABCD000000000012u);
        EXPECT_EQ(ResultOf([&] { list.Unpin(stream, 9); }), eInvalidArgument);
        ExpectReopensAs(stream, list);
    }
}

TEST(DestListRemove, MovesLaterRecordsBackAndCountsTwice) {
    t_MemoryByteStream stream(
        Stream({}, {{.number = 5, .pin = 0}, {.number = 4}, {.number = 3, .pin = 1}, {.number = 2}}));
    t_FakeLinks links;
    t_DestList list;
    Open(list, stream, links);
    const t_Bytes before = stream.Bytes();
    const t_DestListRecord removed = list.Records()[1];
    const auto start = static_cast<std::ptrdiff_t>(removed.start), end = static_cast<std::ptrdiff_t>(removed.end);

    list.Remove(stream, 4);
    const t_Bytes& after = stream.Bytes();
    ASSERT_EQ(after.size(), before.size() - (end - start));
    EXPECT_TRUE(std::equal(before.begin() + 32, before.begin() + start, after.begin() + 32));
    EXPECT_TRUE(std::equal(before.begin() + end, before.end(), after.begin() + start));
    EXPECT_EQ(list.Records()[1].start, removed.start);
    EXPECT_EQ(Get(after, 24, 8), 0xABCD000000000012u);
    EXPECT_EQ(list.FindByKey(0x5004), nullptr);

    // A pinned entry is unpinned first (one more revision), and the last issued number falls to the highest left.
    list.Remove(stream, 5);
    EXPECT_EQ(Entries(list), (t_Entries{{3, 0}, {2, -1}}));
    EXPECT_EQ(Get(stream.Bytes(), 24, 8), 0xABCD000000000015u);
    EXPECT_EQ(list.Header().lastIssued, 0x1234567800000003u);
    ExpectReopensAs(stream, list);
}

namespace {

// A stream whose writes stop working after a number of them, as a full disk or a lost volume would.
struct t_FailingStream : t_MemoryByteStream {
    t_FailingStream(t_Bytes bytes, std::size_t writesLeft)
        : t_MemoryByteStream(std::move(bytes)), writesLeft(writesLeft) {}
    void WriteAt(std::uint64_t offset, std::span<const std::byte> bytes) override {
        Spend();
        t_MemoryByteStream::WriteAt(offset, bytes);
    }
    void SetSize(std::uint64_t size) override {
        Spend();
        t_MemoryByteStream::SetSize(size);
    }
    void Spend() {
        if (writesLeft-- == 0) n_zql::n_system::n_windows::n_com::ThrowHResult(failureResult);
    }
    std::size_t writesLeft;
};

} // namespace

// An edit cut short leaves the model as it was and a stream that the next open reads with every entry.
TEST(DestListEdits, AnEditCutShortLosesNoEntry) {
    const std::vector<std::pair<const char*, std::function<void(t_DestList&, t_ByteStream&)>>> edits{
        {"pin", [](t_DestList& list, t_ByteStream& stream) { list.Pin(stream, 2); }},
        {"unpin first", [](t_DestList& list, t_ByteStream& stream) { list.Unpin(stream, 4); }},
        {"unpin middle", [](t_DestList& list, t_ByteStream& stream) { list.Unpin(stream, 3); }},
        {"add", [](t_DestList& list, t_ByteStream& stream) { list.AddFront(stream, L"n", 0, 0x7777); }},
        {"remove", [](t_DestList& list, t_ByteStream& stream) { list.Remove(stream, 1); }},
    };
    for (const auto& [name, edit] : edits) {
        for (std::size_t writes = 0; writes < 4; ++writes) {
            SCOPED_TRACE(std::string(name) + " after " + std::to_string(writes) + " writes");
            t_FailingStream stream(
                Stream({},
                       {{.number = 4, .pin = 0}, {.number = 3, .pin = 1}, {.number = 2}, {.number = 1, .pin = 2}, {}}),
                ~std::size_t{0});
            t_FakeLinks links;
            t_DestList list;
            Open(list, stream, links);
            const t_Entries entries = Entries(list);
            stream.writesLeft = writes;
            if (ResultOf([&] { edit(list, stream); }) == 0) continue;
            if (std::string(name) != "remove") { // which unpins first, and keeps that
                EXPECT_EQ(Entries(list), entries);
            }

            t_MemoryByteStream reopened(stream.Bytes());
            t_DestList again;
            ASSERT_EQ(ResultOf([&] { Open(again, reopened, links); }), 0);
            for (const auto& [number, pin] : entries) {
                if (std::string(name) != "remove" || number != 1) {
                    EXPECT_NE(again.FindByNumber(static_cast<std::uint32_t>(number)), nullptr) << number;
                }
            }
        }
    }
}
