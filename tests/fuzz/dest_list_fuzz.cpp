// libFuzzer target for the DestList stream of automatic jump-list files, which the shell and other programs
// write. The input's first 8 bytes say which entry numbers' links fail to load (bit n % 64), the 9th how identity
// keys collide (key = number modulo it, unless 0), the 10th which edits to try, the 11th whether the records'
// checksums are made right first (odd), so that mutations of numbers and pins get past them; the rest is the
// stream.
// Opening (repair, then load) may fail but must not crash, read out of bounds or hang, and a failing step writes
// nothing and leaves an empty model. An open that succeeds, and every edit after it, leaves a stream that opens
// again, without a write, to what the model says; an edit that is refused writes nothing and leaves the model as it
// was. Any difference aborts.

#include "fuzz_check.h"
#include "jumplists/dest_list.h"
#include "memory_byte_stream.h"

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

using namespace n_ombrix;
using namespace n_ombrix_fuzz;

namespace {

constexpr std::size_t controlSize = 11;

struct t_FuzzLinks : t_DestListLinks {
    std::uint64_t brokenMask = 0;
    std::uint32_t keyModulus = 0;
    std::map<std::uint32_t, std::optional<std::uint64_t>> stored; // links stored by edits; nothing once destroyed

    // The identity key of the entry's link; nothing when its data is broken.
    std::optional<std::uint64_t> Key(std::uint32_t number) const {
        if (const auto found = stored.find(number); found != stored.end()) return found->second;
        if ((brokenMask >> (number % 64)) & 1) return std::nullopt;
        return keyModulus == 0 ? number : number % keyModulus;
    }
    t_LinkState CheckLink(std::uint32_t number, std::wstring_view) override {
        return Key(number) ? t_LinkState::loads : t_LinkState::broken;
    }
    std::optional<std::uint64_t> LoadLink(std::uint32_t number, std::wstring_view) override {
        if (!Key(number)) n_zql::n_system::n_windows::n_com::ThrowHResult(failureResult);
        return Key(number);
    }
};

// The header, records and pins of the two lists agree.
bool Same(const t_DestList& a, const t_DestList& b) {
    const auto header = [](const t_DestListHeader& h) {
        return std::tie(h.version, h.entryCount, h.pinnedCount, h.unknown, h.lastIssued, h.revision);
    };
    const auto record = [](const t_DestListRecord& r) { return std::tie(r.start, r.end, r.fixedPart, r.identityKey); };
    return header(a.Header()) == header(b.Header()) && a.PinnedEntryNumbers() == b.PinnedEntryNumbers() &&
           std::ranges::equal(a.Records(), b.Records(), {}, record, record);
}

// Repairs, then loads; whether that opened the list. A failed open leaves nothing in the model.
bool Open(t_DestList& list, t_MemoryByteStream& stream, t_DestListLinks& links) {
    const bool opened = Attempt(stream, [&] { list.Repair(stream, links); }) == 0 &&
                        Attempt(stream, [&] { list.Load(stream, links); }) == 0;
    if (!opened && (!list.Records().empty() || list.Header().version != 0)) Abandon("a failed open left entries");
    return opened;
}

// Every entry is found by its number and key, and a copy of the stream opens again and, when nothing is left for
// the next repair to do, without a write to the same list.
void CheckModel(const t_DestList& list, const t_MemoryByteStream& stream, t_FuzzLinks links, bool repairable) {
    for (const t_DestListRecord& record : list.Records())
        if (list.FindByNumber(static_cast<std::uint32_t>(record.EntryNumber())) != &record ||
            list.FindByKey(record.identityKey) != &record)
            Abandon("an entry is not found by its number or key");
    t_MemoryByteStream copy(stream.Bytes());
    t_DestList again;
    if (!Open(again, copy, links)) Abandon("a stream we wrote or opened does not open");
    if (!repairable && (copy.ChangeCount() != 0 || !Same(list, again))) Abandon("opening again wrote or differs");
}

// Walks the records as the header's version lays them out and gives each the checksum of its bytes.
void MakeChecksumsRight(std::vector<std::byte>& stream) {
    if (stream.size() < destListHeaderSize) return;
    const std::uint64_t version = Get(stream, 0, 4);
    const std::size_t fixed = version == 1 ? 114 : 130;
    std::size_t at = destListHeaderSize;
    for (std::uint64_t i = 0; i < Get(stream, 4, 4) && stream.size() - at >= fixed; ++i) {
        Put(stream, at, 8, DestListRecordChecksum(std::span(stream).subspan(at, fixed)));
        at += fixed + 2 * Get(stream, at + (version == 1 ? 112 : 128), 2);
        if (version != 1) at = at + 4 > stream.size() ? stream.size() + 1 : at + 4 + Get(stream, at, 4);
        if (at > stream.size()) return;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < controlSize) return 0;
    const std::span<const std::byte> input = std::as_bytes(std::span(data, size));
    t_FuzzLinks links;
    links.brokenMask = Get(input, 0, 8);
    links.keyModulus = data[8];
    std::vector<std::byte> bytes(input.begin() + controlSize, input.end());
    if (data[10] & 1) MakeChecksumsRight(bytes);
    t_MemoryByteStream stream(bytes);
    t_DestList list;
    if (!Open(list, stream, links)) return 0;
    CheckModel(list, stream, links, false);

    // Four edits, two bits each: add at the front, pin, unpin, remove.
    for (std::uint32_t step = 0; step < 4; ++step) {
        const std::size_t count = list.Records().size();
        const std::vector<std::uint32_t> pinned = list.PinnedEntryNumbers();
        const t_DestList before = list;
        const auto edit = [&] {
            const int kind = (data[9] >> (2 * step)) & 3;
            if (kind == 0) {
                const std::uint64_t key = 0xF000000000000000 + step;
                links.stored[list.AddFront(stream, L"C:\\fuzz\\" + std::to_wstring(step), step, key)] = key;
            } else if (kind == 1 && count != 0) {
                list.Pin(stream, static_cast<std::uint32_t>(list.Records()[step % count].EntryNumber()));
            } else if (kind == 2 && !pinned.empty()) {
                list.Unpin(stream, pinned[step % pinned.size()]);
            } else if (kind == 3 && count > 1) {
                const auto number = static_cast<std::uint32_t>(list.Records()[(step * 7) % count].EntryNumber());
                list.Remove(stream, number);
                links.stored[number] = std::nullopt;
            }
        };
        // Refusals (no number left, too many pins) are allowed; Attempt checks that they wrote nothing.
        if (Attempt(stream, edit) != 0 && !Same(list, before)) Abandon("a refused edit changed the model");
        CheckModel(list, stream, links, list.Records().size() > destListKeptEntries);
    }
    return 0;
}
