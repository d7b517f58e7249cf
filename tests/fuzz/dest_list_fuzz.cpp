// libFuzzer target for the DestList stream of automatic jump-list files, which the shell and other programs
// write. The input's first 8 bytes say which entry numbers' links fail to load (bit n % 64), the 9th how identity
// keys collide (key = number modulo it, unless 0), the 10th which edits to try, the 11th whether the records'
// checksums are made right first (odd), so that mutations of numbers and pins get past them; the rest is the
// stream.
// Opening (repair, then load) may fail but must not crash, read out of bounds or hang, and a failing step writes
// nothing. An open that succeeds leaves a stream that opens again without a write and reads the same. Edits on
// an open list leave a stream that opens again to what the model says. Any difference aborts.

#include "jumplists/dest_list.h"
#include "memory_byte_stream.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <span>
#include <string>
#include <vector>

using namespace n_ombrix;

namespace {

constexpr std::size_t controlSize = 11;

[[noreturn]] void Abandon(const char* why) {
    std::fprintf(stderr, "dest_list_fuzz: %s\n", why);
    std::abort();
}

struct t_FuzzLinks : t_DestListLinks {
    std::uint64_t brokenMask = 0;
    std::uint32_t keyModulus = 0;
    std::map<std::uint32_t, std::uint64_t> stored; // links stored by edits; a key of 0 means destroyed

    bool Loads(std::uint32_t number) const {
        if (const auto found = stored.find(number); found != stored.end()) return found->second != 0;
        return !((brokenMask >> (number % 64)) & 1);
    }
    t_LinkState CheckLink(std::uint32_t number, std::wstring_view) override {
        return Loads(number) ? t_LinkState::loads : t_LinkState::broken;
    }
    std::optional<std::uint64_t> LoadLink(std::uint32_t number, std::wstring_view) override {
        if (!Loads(number)) n_zql::n_system::n_windows::n_com::ThrowHResult(failureResult);
        if (const auto found = stored.find(number); found != stored.end()) return found->second;
        return keyModulus == 0 ? number : number % keyModulus;
    }
};

enum class t_Opening { repairFailed, loadFailed, opened };

// A failing step writes nothing: the stream is as the step before left it.
t_Opening Open(t_DestList& list, t_MemoryByteStream& stream, t_DestListLinks& links) {
    using n_zql::n_system::n_windows::n_com::t_ErrorException;
    const std::vector<std::byte> before = stream.Bytes();
    const std::size_t changesBefore = stream.ChangeCount();
    try {
        list.Repair(stream, links);
    } catch (const t_ErrorException&) {
        if (stream.ChangeCount() != changesBefore || stream.Bytes() != before) Abandon("a failed repair wrote");
        return t_Opening::repairFailed;
    }
    const std::vector<std::byte> repaired = stream.Bytes();
    const std::size_t changesRepaired = stream.ChangeCount();
    try {
        list.Load(stream, links);
    } catch (const t_ErrorException&) {
        if (stream.ChangeCount() != changesRepaired || stream.Bytes() != repaired) Abandon("a failed load wrote");
        if (!list.Records().empty() || list.Header().version != 0) Abandon("a failed open left entries");
        return t_Opening::loadFailed;
    }
    return t_Opening::opened;
}

bool SameRecords(const t_DestList& a, const t_DestList& b) {
    if (a.Records().size() != b.Records().size() || a.PinnedEntryNumbers() != b.PinnedEntryNumbers()) return false;
    for (std::size_t i = 0; i < a.Records().size(); ++i) {
        const t_DestListRecord& x = a.Records()[i];
        const t_DestListRecord& y = b.Records()[i];
        if (x.start != y.start || x.end != y.end || x.fixedPart != y.fixedPart || x.identityKey != y.identityKey) {
            return false;
        }
    }
    return true;
}

// What the model says about the stream it was read from or has written.
void CheckModel(const t_DestList& list, t_MemoryByteStream& stream) {
    std::uint64_t at = destListHeaderSize;
    for (const t_DestListRecord& record : list.Records()) {
        if (record.start != at || record.end <= record.start) Abandon("records are not back to back");
        at = record.end;
        if (list.FindByNumber(static_cast<std::uint32_t>(record.EntryNumber())) != &record ||
            list.FindByKey(record.identityKey) != &record) {
            Abandon("an entry is not found by its number or key");
        }
    }
    if (!list.Records().empty() && at != stream.Size()) Abandon("the stream does not end after the last record");
    if (list.Header().entryCount != list.Records().size() ||
        list.Header().pinnedCount != list.PinnedEntryNumbers().size()) {
        Abandon("the header does not count the entries");
    }
    const std::vector<std::uint32_t> pinned = list.PinnedEntryNumbers();
    for (std::size_t p = 0; p < pinned.size(); ++p) {
        const t_DestListRecord* record = list.FindByNumber(pinned[p]);
        if (!record || record->PinPosition() != static_cast<std::int32_t>(p)) Abandon("a pin is out of place");
    }
}

// Reopens a copy of the stream; when nothing is left for the next repair to do, it writes nothing and reads the
// same as the model.
void CheckReopens(const t_DestList& list, const t_MemoryByteStream& stream, t_FuzzLinks links, bool repairable) {
    t_MemoryByteStream copy(stream.Bytes());
    t_DestList again;
    if (Open(again, copy, links) != t_Opening::opened) Abandon("a stream we wrote or opened does not open");
    if (repairable) return;
    if (copy.ChangeCount() != 0) Abandon("opening again wrote to the stream");
    if (!SameRecords(list, again)) Abandon("opening again reads other records");
}

// Walks the records as the header's version lays them out and gives each the checksum of its bytes.
void MakeChecksumsRight(std::vector<std::byte>& stream) {
    const auto get = [&](std::size_t at, std::size_t size) {
        std::uint64_t value = 0;
        for (std::size_t i = size; i-- > 0;) value = (value << 8) | std::to_integer<std::uint64_t>(stream[at + i]);
        return value;
    };
    if (stream.size() < destListHeaderSize) return;
    const std::uint64_t version = get(0, 4);
    const std::size_t fixed = version == 1 ? 114 : 130;
    std::size_t at = destListHeaderSize;
    for (std::uint64_t i = 0; i < get(4, 4) && stream.size() - at >= fixed; ++i) {
        const std::uint64_t checksum = DestListRecordChecksum(std::span(stream).subspan(at, fixed));
        for (std::size_t b = 0; b < 8; ++b) stream[at + b] = static_cast<std::byte>(checksum >> (8 * b));
        at += fixed + 2 * get(at + (version == 1 ? 112 : 128), 2);
        if (version != 1) at = at + 4 > stream.size() ? stream.size() + 1 : at + 4 + get(at, 4);
        if (at > stream.size()) return;
    }
}

void Edit(t_DestList& list, t_MemoryByteStream& stream, t_FuzzLinks& links, std::uint8_t edits) {
    std::uint64_t nextKey = 0xF000000000000000;
    for (int step = 0; step < 4; ++step) {
        const int edit = (edits >> (2 * step)) & 3;
        const std::size_t count = list.Records().size();
        try {
            if (edit == 0) {
                const std::wstring path = L"C:\\fuzz\\" + std::to_wstring(step);
                const std::uint32_t number = list.AddFront(stream, path, 0x01D000000000000 + step, nextKey);
                links.stored[number] = nextKey++;
            } else if (edit == 1 && count != 0) {
                list.Pin(stream, static_cast<std::uint32_t>(list.Records()[step % count].EntryNumber()));
            } else if (edit == 2 && !list.PinnedEntryNumbers().empty()) {
                list.Unpin(stream, list.PinnedEntryNumbers()[step % list.PinnedEntryNumbers().size()]);
            } else if (edit == 3 && count > 1) {
                const auto number = static_cast<std::uint32_t>(list.Records()[(step * 7) % count].EntryNumber());
                list.Remove(stream, number);
                links.stored[number] = 0;
            }
        } catch (const n_zql::n_system::n_windows::n_com::t_ErrorException&) {
            // Refused (no number left, too many pins): nothing may have been written, and the model is unchanged.
        }
        CheckModel(list, stream);
        CheckReopens(list, stream, links, list.Records().size() > 64);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < controlSize) return 0;
    t_FuzzLinks links;
    for (std::size_t i = 0; i < 8; ++i) links.brokenMask |= std::uint64_t{data[i]} << (8 * i);
    links.keyModulus = data[8];
    const std::uint8_t edits = data[9];
    const auto* bytes = reinterpret_cast<const std::byte*>(data + controlSize);
    std::vector<std::byte> input(bytes, bytes + (size - controlSize));
    if (data[10] & 1) MakeChecksumsRight(input);

    t_MemoryByteStream stream(input);
    t_DestList list;
    if (Open(list, stream, links) != t_Opening::opened) return 0;
    CheckModel(list, stream);
    CheckReopens(list, stream, links, false);
    Edit(list, stream, links, edits);
    return 0;
}
