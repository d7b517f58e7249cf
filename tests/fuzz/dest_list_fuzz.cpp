// libFuzzer target for the DestList stream of automatic jump-list files, which the shell and other programs
// write. The input's first 8 bytes say which entry numbers' links fail to load (bit n % 64), the 9th how identity
// keys collide (key = number modulo it, unless 0), the 10th which edits to try, the 11th whether the records'
// checksums are made right first (odd), so that mutations of numbers and pins get past them; the rest is the
// stream.
// Opening (repair, then load) may fail but must not crash, read out of bounds or hang, and a failing step writes
// nothing. An open that succeeds leaves a stream that opens again without a write and reads the same. Edits on
// an open list leave a stream that opens again to what the model says. Any difference aborts.
//
// With OMBRIX_DEST_LIST_CORPUS naming a folder, the target writes its starting corpus there and ends.

#include "jumplists/dest_list.h"
#include "memory_byte_stream.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
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

    bool LinkLoads(std::uint32_t number) override {
        if (const auto found = stored.find(number); found != stored.end()) return found->second != 0;
        return !((brokenMask >> (number % 64)) & 1);
    }
    std::uint64_t LoadLink(std::uint32_t number) override {
        if (!LinkLoads(number)) n_zql::n_system::n_windows::n_com::ThrowHResult(failureResult);
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
        at += fixed + (version == 1 ? 2 * get(at + 112, 2) : 2 * get(at + 128, 2) + 4);
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

// The starting corpus: small streams as the shell writes them.
void Put(std::vector<std::uint8_t>& out, std::size_t at, std::size_t size, std::uint64_t value) {
    if (out.size() < at + size) out.resize(at + size);
    for (std::size_t i = 0; i < size; ++i) out[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::vector<std::uint8_t> StartingInput(std::uint32_t version, std::uint32_t pinnedCount, std::uint8_t edits,
                                        std::vector<std::pair<std::int32_t, std::int32_t>> records) { // number, pin
    std::vector<std::uint8_t> out(controlSize);
    out[9] = edits;
    out[10] = 1;
    std::int32_t highest = -1;
    for (const auto& [number, pin] : records) highest = std::max(highest, number);
    Put(out, controlSize, 4, version);
    Put(out, controlSize + 4, 4, records.size());
    Put(out, controlSize + 8, 4, pinnedCount);
    Put(out, controlSize + 16, 4, static_cast<std::uint32_t>(highest));
    Put(out, controlSize + 24, 4, 41);
    const std::size_t fixed = version == 1 ? 114 : 130;
    for (const auto& [number, pin] : records) {
        const std::u16string path = u"C:\\Users\\me\\" + std::u16string(1, static_cast<char16_t>(u'a' + number % 26));
        std::vector<std::uint8_t> record(fixed);
        Put(record, 88, 4, static_cast<std::uint32_t>(number));
        Put(record, 96, 4, 0x3F800000);
        Put(record, 100, 8, 0x01D5000000000000 + number);
        Put(record, 108, 4, static_cast<std::uint32_t>(pin));
        if (version != 1) Put(record, 112, 4, 0xFFFFFFFF);
        Put(record, version == 1 ? 112 : 128, 2, path.size());
        for (const char16_t unit : path) Put(record, record.size(), 2, unit);
        if (version != 1) Put(record, record.size(), 4, 0);
        Put(record, 0, 8, DestListRecordChecksum(std::as_bytes(std::span(record).first(fixed))));
        out.insert(out.end(), record.begin(), record.end());
    }
    return out;
}

void WriteStartingCorpus(const std::string& folder) {
    const std::vector<std::pair<const char*, std::vector<std::uint8_t>>> inputs{
        {"v1-three", StartingInput(1, 1, 0x1B, {{2, -1}, {1, 0}, {0, -1}})},
        {"v3-pins", StartingInput(3, 2, 0xE4, {{4, -1}, {3, 1}, {2, -1}, {1, 0}, {0, -1}})},
        {"v3-gap", StartingInput(3, 2, 0x93, {{3, 4}, {2, -1}, {1, 0}})},
        {"v3-duplicate", StartingInput(3, 0, 0x0C, {{1, -1}, {1, -1}, {0, -1}})},
        {"v4-empty", StartingInput(4, 0, 0x00, {})},
    };
    for (const auto& [name, bytes] : inputs) {
        std::ofstream(folder + "/" + name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (const char* folder = std::getenv("OMBRIX_DEST_LIST_CORPUS")) {
        WriteStartingCorpus(folder);
        std::exit(0);
    }
    return 0;
}

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
