#include "jumplists/dest_list.h"

#include "system/identity_hash.h"
#include "system/utf16.h"

#include <algorithm>
#include <array>
#include <limits>
#include <optional>

namespace n_ombrix {

namespace {

using n_zql::n_system::n_windows::n_com::ThrowHResult;

constexpr std::uint32_t largestEntryCount = 0x10000;
// Both the repair pass's limit on entries and on pins: what the shell keeps.
constexpr std::uint32_t keptEntryLimit = destListKeptEntries;
constexpr std::uint32_t notIssued = 0xFFFFFFFF; // last issued number when there is no entry

constexpr std::size_t checksumOffset = 0;
constexpr std::size_t checksummedEnd = 112;
constexpr std::size_t entryNumberOffset = 88;
constexpr std::size_t weightOffset = 96;
constexpr std::size_t fileTimeOffset = 100;
constexpr std::size_t pinPositionOffset = 108;
constexpr std::size_t version1PathLengthOffset = 112;
constexpr std::size_t version3MarkerOffset = 112;
constexpr std::size_t version3PathLengthOffset = 128;
constexpr std::size_t version1FixedSize = 114;
constexpr std::size_t version3FixedSize = 130;
constexpr std::size_t version3TrailerSize = 4;
constexpr std::uint32_t newRecordWeight = 0x3F800000; // 1.0f

[[noreturn]] void FailFormat() { ThrowHResult(failureResult); }
[[noreturn]] void FailArgument() { ThrowHResult(invalidArgumentResult); }

std::uint64_t Get(std::span<const std::byte> bytes, std::size_t at, std::size_t size) {
    std::uint64_t value = 0;
    for (std::size_t i = size; i-- > 0;) value = (value << 8) | std::to_integer<std::uint64_t>(bytes[at + i]);
    return value;
}
std::uint32_t Get32(std::span<const std::byte> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(Get(bytes, at, 4));
}

void Put(std::span<std::byte> bytes, std::size_t at, std::size_t size, std::uint64_t value) {
    for (std::size_t i = 0; i < size; ++i) bytes[at + i] = static_cast<std::byte>((value >> (8 * i)) & 0xFF);
}

std::uint32_t Low(std::uint64_t value) { return static_cast<std::uint32_t>(value); }
std::uint64_t WithLow(std::uint64_t value, std::uint32_t low) { return (value & 0xFFFFFFFF00000000ull) | low; }
std::uint64_t Incremented(std::uint64_t counter, std::uint32_t by = 1) { return WithLow(counter, Low(counter) + by); }

bool KnownVersion(std::uint32_t version) { return version == 1 || version == 3 || version == 4; }
std::size_t FixedSize(std::uint32_t version) { return version == 1 ? version1FixedSize : version3FixedSize; }
std::size_t PathLengthOffset(std::uint32_t version) {
    return version == 1 ? version1PathLengthOffset : version3PathLengthOffset;
}

std::array<std::byte, destListHeaderSize> Encode(const t_DestListHeader& header) {
    std::array<std::byte, destListHeaderSize> bytes{};
    Put(bytes, 0, 4, header.version);
    Put(bytes, 4, 4, header.entryCount);
    Put(bytes, 8, 4, header.pinnedCount);
    Put(bytes, 12, 4, header.unknown);
    Put(bytes, 16, 8, header.lastIssued);
    Put(bytes, 24, 8, header.revision);
    return bytes;
}

t_DestListHeader ReadHeader(t_ByteStream& stream) {
    std::array<std::byte, destListHeaderSize> bytes{};
    stream.ReadAt(0, bytes);
    t_DestListHeader header{.version = Get32(bytes, 0),
                            .entryCount = Get32(bytes, 4),
                            .pinnedCount = Get32(bytes, 8),
                            .unknown = Get32(bytes, 12),
                            .lastIssued = Get(bytes, 16, 8),
                            .revision = Get(bytes, 24, 8)};
    if (!KnownVersion(header.version) || header.entryCount > largestEntryCount ||
        header.entryCount < header.pinnedCount) {
        FailFormat();
    }
    return header;
}

std::int32_t EntryNumberOf(std::span<const std::byte> fixedPart) {
    return static_cast<std::int32_t>(Get32(fixedPart, entryNumberOffset));
}
std::int32_t PinPositionOf(std::span<const std::byte> fixedPart) {
    return static_cast<std::int32_t>(Get32(fixedPart, pinPositionOffset));
}

void SetPinPosition(std::vector<std::byte>& fixedPart, std::int32_t position) {
    Put(fixedPart, pinPositionOffset, 4, static_cast<std::uint32_t>(position));
    Put(fixedPart, checksumOffset, 8, DestListRecordChecksum(fixedPart));
}

// One record read with the checks every reader makes: the fixed part and its checksum, a number that is not
// negative, and a path (with what follows it in versions 3 and 4) that ends inside the stream. The path is not read.
t_DestListRecord ReadRecord(t_ByteStream& stream, std::uint64_t start, std::uint32_t version,
                            std::uint64_t streamSize) {
    t_DestListRecord record;
    record.start = start;
    record.fixedPart.resize(FixedSize(version));
    stream.ReadAt(start, record.fixedPart);
    if (record.EntryNumber() < 0 ||
        Get(record.fixedPart, checksumOffset, 8) != DestListRecordChecksum(record.fixedPart)) {
        FailFormat();
    }
    const std::uint64_t pathEnd =
        start + record.fixedPart.size() + 2 * Get(record.fixedPart, PathLengthOffset(version), 2);
    record.end = pathEnd;
    if (version != 1) {
        // Four bytes after the path give the size of a property store that follows it; the shell writes 0 when
        // there is none. Whatever is there stays with the record.
        std::array<std::byte, version3TrailerSize> trailer{};
        if (pathEnd + trailer.size() > streamSize) FailFormat();
        stream.ReadAt(pathEnd, trailer);
        record.end = pathEnd + trailer.size() + Get(trailer, 0, trailer.size());
    }
    if (record.end > streamSize) FailFormat();
    return record;
}

// The record's path, as the shell stored it: a file's path, a URL or a parsing name.
std::wstring ReadRecordPath(t_ByteStream& stream, const t_DestListRecord& record, std::uint32_t version) {
    std::vector<std::byte> bytes(2 * Get(record.fixedPart, PathLengthOffset(version), 2));
    stream.ReadAt(record.start + record.fixedPart.size(), bytes);
    return n_zql::n_system::TextFromUtf16(bytes);
}

// The record's bytes as in the stream, with its fixed part as held (which may have been renumbered).
void AppendRecordBytes(t_ByteStream& stream, const t_DestListRecord& record, std::vector<std::byte>& out) {
    out.insert(out.end(), record.fixedPart.begin(), record.fixedPart.end());
    const std::size_t pathStart = out.size();
    out.resize(pathStart + static_cast<std::size_t>(record.end - record.start - record.fixedPart.size()));
    stream.ReadAt(record.start + record.fixedPart.size(), std::span(out).subspan(pathStart));
}

std::vector<std::byte> NewRecord(std::uint32_t version, std::uint32_t entryNumber, std::wstring_view path,
                                 std::uint64_t fileTime) {
    std::vector<std::uint16_t> units;
    n_zql::n_system::ForEachUtf16Unit(path, [&units](std::uint16_t unit) { units.push_back(unit); });
    if (units.size() > 0xFFFF) FailArgument();
    const std::size_t fixedSize = FixedSize(version);
    std::vector<std::byte> record(fixedSize + 2 * units.size() + (version == 1 ? 0 : version3TrailerSize));
    Put(record, entryNumberOffset, 4, entryNumber);
    Put(record, weightOffset, 4, newRecordWeight);
    Put(record, fileTimeOffset, 8, fileTime);
    Put(record, pinPositionOffset, 4, notIssued);
    if (version == 1) {
        Put(record, version1PathLengthOffset, 2, units.size());
    } else {
        Put(record, version3MarkerOffset, 4, 0xFFFFFFFF);
        Put(record, version3PathLengthOffset, 2, units.size());
    }
    for (std::size_t i = 0; i < units.size(); ++i) Put(record, fixedSize + 2 * i, 2, units[i]);
    Put(record, checksumOffset, 8, DestListRecordChecksum(std::span(record).first(fixedSize)));
    return record;
}

// The records between the header and the last record's end, as in the stream.
std::vector<std::byte> ReadBody(t_ByteStream& stream, const std::vector<t_DestListRecord>& records) {
    std::vector<std::byte> body;
    if (records.empty()) return body;
    body.resize(static_cast<std::size_t>(records.back().end - destListHeaderSize));
    stream.ReadAt(destListHeaderSize, body);
    return body;
}

// The records of a stream whose header was read, one at a time from the first.
struct t_RecordReader {
    t_ByteStream& stream;
    const t_DestListHeader& header;
    std::uint64_t streamSize;

    template <typename t_Visit> void ForEach(t_Visit&& visit) const {
        std::uint64_t at = destListHeaderSize;
        for (std::uint32_t i = 0; i < header.entryCount; ++i) {
            t_DestListRecord record = ReadRecord(stream, at, header.version, streamSize);
            at = record.end;
            if (!visit(i, record)) return;
        }
    }
};

// A link that the repair keeps: one that loads, or one this machine cannot load just now (its stream is the
// user's; only a link whose data is missing or malformed is dropped).
bool Keeps(const t_RecordReader& reader, t_DestListLinks& links, const t_DestListRecord& record) {
    return links.CheckLink(static_cast<std::uint32_t>(record.EntryNumber()),
                           ReadRecordPath(reader.stream, record, reader.header.version)) != t_LinkState::broken;
}

// The pins to keep, by record index: the first record for each pin position, unless its number came earlier or
// its link is broken; at most as many as the header counts and the file keeps. Their new positions close the gaps
// in ascending order.
struct t_ChosenPins {
    std::map<std::uint32_t, std::int32_t> positions; // record index to new pin position
    bool renumbered = false;
};

t_ChosenPins ChoosePins(const t_RecordReader& reader, t_DestListLinks& links) {
    std::map<std::uint32_t, std::int32_t> found; // record index to pin position in the file
    if (reader.header.pinnedCount != 0) {
        const std::uint32_t wanted = std::min(reader.header.pinnedCount, keptEntryLimit);
        std::set<std::int32_t> seen, positions;
        reader.ForEach([&](std::uint32_t index, const t_DestListRecord& record) {
            const std::int32_t number = record.EntryNumber(), position = record.PinPosition();
            if (position != -1 && !seen.contains(number) && !positions.contains(position) &&
                Keeps(reader, links, record)) {
                found.emplace(index, position);
                positions.insert(position);
            }
            seen.insert(number);
            return found.size() < wanted;
        });
    }
    std::map<std::int32_t, std::int32_t> renumbering; // old position to new
    for (const auto& [index, position] : found) renumbering.emplace(position, 0);
    std::int32_t next = 0;
    for (auto& [position, renumbered] : renumbering) renumbered = next++;
    t_ChosenPins chosen;
    for (const auto& [index, position] : found) {
        chosen.positions.emplace(index, renumbering.at(position));
        chosen.renumbered = chosen.renumbered || renumbering.at(position) != position;
    }
    return chosen;
}

// The records kept, as bytes back to back: every chosen pin with its new position, and the unpinned records whose
// numbers were not seen before and whose links are not broken, in file order, up to the limit. Stopping at the
// limit in plain file order could leave a later pin out while the header still counts it.
struct t_Compaction {
    std::vector<std::byte> body;
    std::set<std::uint32_t> kept; // entry numbers
};

t_Compaction Compact(const t_RecordReader& reader, const t_ChosenPins& pins, t_DestListLinks& links) {
    const std::size_t unpinnedRoom = std::min(reader.header.entryCount, keptEntryLimit) - pins.positions.size();
    std::size_t pinsKept = 0, unpinnedKept = 0;
    std::set<std::int32_t> seen;
    t_Compaction compaction;
    reader.ForEach([&](std::uint32_t index, t_DestListRecord& record) {
        const std::int32_t number = record.EntryNumber();
        bool keep = false;
        if (const auto pin = pins.positions.find(index); pin != pins.positions.end()) {
            keep = true;
            ++pinsKept;
            if (pin->second != record.PinPosition()) SetPinPosition(record.fixedPart, pin->second);
        } else if (!record.Pinned() && unpinnedKept < unpinnedRoom && !seen.contains(number) &&
                   Keeps(reader, links, record)) {
            keep = true;
            ++unpinnedKept;
        }
        seen.insert(number);
        if (keep) {
            compaction.kept.insert(static_cast<std::uint32_t>(number));
            AppendRecordBytes(reader.stream, record, compaction.body);
        }
        return pinsKept < pins.positions.size() || unpinnedKept < unpinnedRoom;
    });
    return compaction;
}

// The header that counts what was kept. The stream is rewritten only when that differs from what it says, or when
// pins were renumbered (the loader rejects a gap in the positions, even under matching counts).
t_DestListHeader WriteRepaired(const t_RecordReader& reader, const t_ChosenPins& pins, t_Compaction& compaction) {
    const t_DestListHeader& read = reader.header;
    t_DestListHeader repaired = read;
    repaired.entryCount = static_cast<std::uint32_t>(compaction.kept.size());
    repaired.pinnedCount = static_cast<std::uint32_t>(pins.positions.size());
    repaired.lastIssued = WithLow(read.lastIssued, compaction.kept.empty() ? notIssued : *compaction.kept.rbegin());
    if (repaired.entryCount == read.entryCount && repaired.pinnedCount == read.pinnedCount &&
        Low(repaired.lastIssued) == Low(read.lastIssued) && !pins.renumbered) {
        return repaired;
    }
    repaired.revision = Incremented(read.revision);
    const auto headerBytes = Encode(repaired);
    compaction.body.insert(compaction.body.begin(), headerBytes.begin(), headerBytes.end());
    reader.stream.WriteAt(0, compaction.body);
    if (reader.streamSize != compaction.body.size()) reader.stream.SetSize(compaction.body.size());
    return repaired;
}

} // namespace

std::uint64_t DestListRecordChecksum(std::span<const std::byte> fixedPart) {
    constexpr std::array<std::byte, 8> checksumPlace{};
    return n_zql::n_system::Crc64(fixedPart.subspan(8, checksummedEnd - 8), n_zql::n_system::Crc64(checksumPlace));
}

std::int32_t t_DestListRecord::EntryNumber() const { return EntryNumberOf(fixedPart); }
std::int32_t t_DestListRecord::PinPosition() const { return PinPositionOf(fixedPart); }

std::set<std::uint32_t> t_DestList::Repair(t_ByteStream& stream, t_DestListLinks& links) {
    Clear();
    try {
        const t_DestListHeader read = ReadHeader(stream);
        const t_RecordReader reader{stream, read, stream.Size()};
        const t_ChosenPins pins = ChoosePins(reader, links);
        t_Compaction compaction = Compact(reader, pins, links);
        header = WriteRepaired(reader, pins, compaction);
        return compaction.kept;
    } catch (...) {
        Clear();
        throw;
    }
}

void t_DestList::Load(t_ByteStream& stream, t_DestListLinks& links) {
    Clear();
    try {
        header = ReadHeader(stream);
        const std::uint64_t streamSize = stream.Size();
        const auto lastIssued = static_cast<std::int32_t>(Low(header.lastIssued));
        std::map<std::int32_t, std::uint32_t> slots; // pin position to entry number
        std::uint64_t at = destListHeaderSize;
        for (std::uint32_t i = 0; i < header.entryCount; ++i) {
            t_DestListRecord record = ReadRecord(stream, at, header.version, streamSize);
            at = record.end;
            const std::int32_t number = record.EntryNumber(), position = record.PinPosition();
            const auto entryNumber = static_cast<std::uint32_t>(number);
            if (number > lastIssued || numberIndex.contains(entryNumber)) FailFormat();
            if (position != -1 && (position < 0 || static_cast<std::uint32_t>(position) >= header.pinnedCount ||
                                   slots.contains(position))) {
                FailFormat();
            }
            const std::optional<std::uint64_t> key =
                links.LoadLink(entryNumber, ReadRecordPath(stream, record, header.version));
            record.keyed = key.has_value();
            record.identityKey = key.value_or(0);
            if (record.keyed && !keyIndex.emplace(record.identityKey, records.size()).second) FailFormat();
            if (position != -1) slots.emplace(position, entryNumber);
            numberIndex.emplace(entryNumber, records.size());
            records.push_back(std::move(record));
        }
        // Positions are distinct and below the count, so this means every pin slot is taken.
        if (slots.size() != header.pinnedCount) FailFormat();
        for (const auto& [position, number] : slots) pinned.push_back(number);
        if (header.entryCount != 0 && at != streamSize) stream.SetSize(at);
    } catch (...) {
        Clear();
        throw;
    }
}

void t_DestList::Create(t_ByteStream& stream, std::uint32_t version) {
    if (!KnownVersion(version)) FailArgument();
    const t_DestListHeader created{.version = version};
    stream.WriteAt(0, Encode(created));
    if (stream.Size() != destListHeaderSize) stream.SetSize(destListHeaderSize);
    Clear();
    header = created;
}

void t_DestList::StartEmpty(std::uint32_t version) {
    if (!KnownVersion(version)) FailArgument();
    Clear();
    header.version = version;
}

void t_DestList::Clear() noexcept {
    header = {};
    records.clear();
    pinned.clear();
    keyIndex.clear();
    numberIndex.clear();
}

std::uint32_t t_DestList::AddFront(t_ByteStream& stream, std::wstring_view path, std::uint64_t fileTime,
                                   std::uint64_t identityKey) {
    if (!KnownVersion(header.version) || records.size() != header.entryCount) FailFormat();
    if (keyIndex.contains(identityKey)) FailArgument();
    // A number beyond the signed range, or a count beyond the limit, would make the file unreadable.
    const std::int64_t next = std::int64_t{static_cast<std::int32_t>(Low(header.lastIssued))} + 1;
    if (next < 0 || next > std::numeric_limits<std::int32_t>::max() || header.entryCount >= largestEntryCount) {
        FailFormat();
    }
    const auto entryNumber = static_cast<std::uint32_t>(next);
    if (numberIndex.contains(entryNumber)) FailFormat();

    const std::vector<std::byte> added = NewRecord(header.version, entryNumber, path, fileTime);
    t_DestListHeader updated = header;
    ++updated.entryCount;
    updated.lastIssued = WithLow(header.lastIssued, entryNumber);
    updated.revision = Incremented(header.revision);

    const std::vector<std::byte> body = ReadBody(stream, records);
    std::vector<std::byte> image;
    image.reserve(destListHeaderSize + added.size() + body.size());
    const auto headerBytes = Encode(updated);
    image.insert(image.end(), headerBytes.begin(), headerBytes.end());
    image.insert(image.end(), added.begin(), added.end());
    image.insert(image.end(), body.begin(), body.end());
    // Growing first: a full disk then fails before any byte has changed.
    stream.SetSize(image.size());
    stream.WriteAt(0, image);

    t_DestListRecord record;
    record.start = destListHeaderSize;
    record.end = destListHeaderSize + added.size();
    record.fixedPart.assign(added.begin(), added.begin() + static_cast<std::ptrdiff_t>(FixedSize(header.version)));
    record.identityKey = identityKey;
    for (t_DestListRecord& older : records) {
        older.start += added.size();
        older.end += added.size();
    }
    records.insert(records.begin(), std::move(record));
    header = updated;
    Reindex();
    return entryNumber;
}

void t_DestList::Pin(t_ByteStream& stream, std::uint32_t entryNumber) {
    const std::size_t index = IndexOf(entryNumber);
    if (records[index].Pinned()) return;
    // The next open keeps no more pins than this, and drops the entries of the others.
    if (header.pinnedCount >= keptEntryLimit) FailFormat();
    t_DestListHeader updated = header;
    ++updated.pinnedCount;
    updated.revision = Incremented(header.revision);
    std::vector<std::byte> fixedPart = records[index].fixedPart;
    SetPinPosition(fixedPart, static_cast<std::int32_t>(header.pinnedCount));

    stream.WriteAt(0, Encode(updated));
    stream.WriteAt(records[index].start, std::span(fixedPart).first(destListRecordCommonSize));
    records[index].fixedPart = std::move(fixedPart);
    pinned.push_back(entryNumber);
    header = updated;
}

void t_DestList::Unpin(t_ByteStream& stream, std::uint32_t entryNumber) {
    const std::size_t index = IndexOf(entryNumber);
    const std::int32_t position = records[index].PinPosition();
    if (position == -1) return;
    // Every pinned record's position is its place in the pinned sequence (the loader checks this).
    std::vector<std::pair<std::size_t, std::vector<std::byte>>> changes;
    changes.emplace_back(index, records[index].fixedPart);
    SetPinPosition(changes.back().second, -1);
    for (std::size_t p = static_cast<std::size_t>(position) + 1; p < pinned.size(); ++p) {
        const std::size_t later = numberIndex.at(pinned[p]);
        changes.emplace_back(later, records[later].fixedPart);
        SetPinPosition(changes.back().second, static_cast<std::int32_t>(p - 1));
    }
    t_DestListHeader updated = header;
    --updated.pinnedCount;
    updated.revision = Incremented(header.revision);

    for (const auto& [changed, fixedPart] : changes) {
        stream.WriteAt(records[changed].start, std::span(fixedPart).first(destListRecordCommonSize));
    }
    stream.WriteAt(0, Encode(updated));
    for (auto& [changed, fixedPart] : changes) records[changed].fixedPart = std::move(fixedPart);
    pinned.erase(pinned.begin() + position);
    header = updated;
}

void t_DestList::Remove(t_ByteStream& stream, std::uint32_t entryNumber) {
    Unpin(stream, entryNumber);
    const std::size_t index = IndexOf(entryNumber);
    const t_DestListRecord& removed = records[index];
    const std::uint64_t length = removed.end - removed.start;

    std::vector<std::byte> body = ReadBody(stream, records);
    body.erase(body.begin() + static_cast<std::ptrdiff_t>(removed.start - destListHeaderSize),
               body.begin() + static_cast<std::ptrdiff_t>(removed.end - destListHeaderSize));
    std::uint32_t highest = notIssued;
    for (const t_DestListRecord& record : records) {
        const auto number = static_cast<std::uint32_t>(record.EntryNumber());
        if (number != entryNumber && (highest == notIssued || number > highest)) highest = number;
    }
    t_DestListHeader updated = header;
    --updated.entryCount;
    updated.lastIssued = WithLow(header.lastIssued, highest);
    updated.revision = Incremented(header.revision, 2); // the shell counts a removal twice
    const auto headerBytes = Encode(updated);
    body.insert(body.begin(), headerBytes.begin(), headerBytes.end());
    // One write for the header and the records, so that they never disagree; what is left after it is cut off
    // (and would be by the loader, were the cut to fail).
    stream.WriteAt(0, body);
    if (stream.Size() != body.size()) stream.SetSize(body.size());

    records.erase(records.begin() + static_cast<std::ptrdiff_t>(index));
    for (std::size_t i = index; i < records.size(); ++i) {
        records[i].start -= length;
        records[i].end -= length;
    }
    header = updated;
    Reindex();
}

const t_DestListRecord* t_DestList::FindByKey(std::uint64_t identityKey) const noexcept {
    const auto found = keyIndex.find(identityKey);
    return found == keyIndex.end() ? nullptr : &records[found->second];
}

const t_DestListRecord* t_DestList::FindByNumber(std::uint32_t entryNumber) const noexcept {
    const auto found = numberIndex.find(entryNumber);
    return found == numberIndex.end() ? nullptr : &records[found->second];
}

std::size_t t_DestList::IndexOf(std::uint32_t entryNumber) const {
    const auto found = numberIndex.find(entryNumber);
    if (found == numberIndex.end()) FailArgument();
    return found->second;
}

void t_DestList::Reindex() {
    keyIndex.clear();
    numberIndex.clear();
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (records[i].keyed) keyIndex.emplace(records[i].identityKey, i);
        numberIndex.emplace(static_cast<std::uint32_t>(records[i].EntryNumber()), i);
    }
}

} // namespace n_ombrix
