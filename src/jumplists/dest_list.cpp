#include "jumplists/dest_list.h"

#include "system/identity_hash.h"
#include "system/utf16.h"

#include <algorithm>
#include <array>
#include <limits>

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
// negative, and a path that ends inside the stream. The path is not read.
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
    const std::uint64_t pathBytes = version == 1
                                        ? 2 * Get(record.fixedPart, version1PathLengthOffset, 2)
                                        : 2 * Get(record.fixedPart, version3PathLengthOffset, 2) + version3TrailerSize;
    record.end = start + record.fixedPart.size() + pathBytes;
    if (record.end > streamSize) FailFormat();
    return record;
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
        const std::uint64_t streamSize = stream.Size();

        // The pins to keep: the first record for each pin position, unless its number came earlier or its link is
        // gone, by file index.
        std::map<std::uint32_t, std::int32_t> chosen; // record index to pin position
        if (read.pinnedCount != 0) {
            const std::uint32_t wanted = std::min(read.pinnedCount, keptEntryLimit);
            std::set<std::int32_t> seen, positions;
            std::uint64_t at = destListHeaderSize;
            for (std::uint32_t i = 0; i < read.entryCount && chosen.size() < wanted; ++i) {
                const t_DestListRecord record = ReadRecord(stream, at, read.version, streamSize);
                at = record.end;
                const std::int32_t number = record.EntryNumber(), position = record.PinPosition();
                if (position != -1 && !seen.contains(number) && !positions.contains(position) &&
                    links.LinkLoads(static_cast<std::uint32_t>(number))) {
                    chosen.emplace(i, position);
                    positions.insert(position);
                }
                seen.insert(number);
            }
        }
        std::map<std::int32_t, std::int32_t> newPositions; // old to new, closing gaps in ascending order
        for (const auto& [index, position] : chosen) newPositions.emplace(position, 0);
        std::int32_t nextPosition = 0;
        for (auto& [position, renumbered] : newPositions) renumbered = nextPosition++;

        // Every chosen pin is kept, and unpinned records fill what is left of the limit: stopping at the limit
        // in plain file order could leave a later pin out while the header still counts it.
        const std::size_t unpinnedRoom = std::min(read.entryCount, keptEntryLimit) - chosen.size();
        std::size_t chosenKept = 0, unpinnedKept = 0;
        bool renumberedAny = false;
        std::set<std::int32_t> seen;
        std::set<std::uint32_t> kept;
        std::vector<std::byte> body;
        std::uint64_t at = destListHeaderSize;
        for (std::uint32_t i = 0; i < read.entryCount && (chosenKept < chosen.size() || unpinnedKept < unpinnedRoom);
             ++i) {
            t_DestListRecord record = ReadRecord(stream, at, read.version, streamSize);
            at = record.end;
            const std::int32_t number = record.EntryNumber();
            bool keep = false;
            if (const auto pin = chosen.find(i); pin != chosen.end()) {
                keep = true;
                ++chosenKept;
                const std::int32_t position = newPositions.at(pin->second);
                if (position != pin->second) {
                    SetPinPosition(record.fixedPart, position);
                    renumberedAny = true;
                }
            } else if (!record.Pinned() && unpinnedKept < unpinnedRoom && !seen.contains(number) &&
                       links.LinkLoads(static_cast<std::uint32_t>(number))) {
                keep = true;
                ++unpinnedKept;
            }
            seen.insert(number);
            if (!keep) continue;
            kept.insert(static_cast<std::uint32_t>(number));
            AppendRecordBytes(stream, record, body);
        }

        t_DestListHeader repaired = read;
        repaired.entryCount = static_cast<std::uint32_t>(kept.size());
        repaired.pinnedCount = static_cast<std::uint32_t>(chosen.size());
        repaired.lastIssued = WithLow(read.lastIssued, kept.empty() ? notIssued : *kept.rbegin());
        // Renumbered pins are written even when the counts agree: the loader rejects a gap in the positions.
        if (repaired.entryCount != read.entryCount || repaired.pinnedCount != read.pinnedCount ||
            Low(repaired.lastIssued) != Low(read.lastIssued) || renumberedAny) {
            repaired.revision = Incremented(read.revision);
            const auto headerBytes = Encode(repaired);
            body.insert(body.begin(), headerBytes.begin(), headerBytes.end());
            stream.WriteAt(0, body);
            if (streamSize != body.size()) stream.SetSize(body.size());
        }
        header = repaired;
        return kept;
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
            record.identityKey = links.LoadLink(entryNumber);
            if (keyIndex.contains(record.identityKey)) FailFormat();
            if (position != -1) slots.emplace(position, entryNumber);
            keyIndex.emplace(record.identityKey, records.size());
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
        keyIndex.emplace(records[i].identityKey, i);
        numberIndex.emplace(static_cast<std::uint32_t>(records[i].EntryNumber()), i);
    }
}

} // namespace n_ombrix
