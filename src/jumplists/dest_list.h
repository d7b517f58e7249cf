#pragma once
// The "DestList" stream of the shell's automatic jump-list file: a 32-byte header, then one record per entry, back
// to back, each pointing to the link stored beside it under the entry's number. This is the byte side of the file,
// platform-neutral: the Windows layer owns the compound file and the links and reaches them through
// t_DestListLinks. The shell writes the same stream, so every byte not interpreted here is kept as it was.
//
// The stream is untrusted: lengths and counts come from the file and are checked against the stream's size
// before they are used, records are read one at a time, and a file that breaks the format fails with E_FAIL
// (the COM error exception) instead of being guessed at. Used on the user-interface thread only.

#include "jumplists/byte_stream.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace n_ombrix {

// Little-endian on disk. Only the low 32 bits of lastIssued and revision take part; the high ones are kept.
struct t_DestListHeader {
    std::uint32_t version = 0;
    std::uint32_t entryCount = 0;
    std::uint32_t pinnedCount = 0;
    std::uint32_t unknown = 0;
    std::uint64_t lastIssued = 0;
    std::uint64_t revision = 0;
};

inline constexpr std::size_t destListHeaderSize = 32;
// The part of every record that holds its checksum, entry number and pin position, whatever the version: what
// an in-place update rewrites.
inline constexpr std::size_t destListRecordCommonSize = 114;
// Opening keeps at most this many entries, and pins no more.
inline constexpr std::uint32_t destListKeptEntries = 64;

struct t_DestListRecord {
    std::uint64_t start = 0, end = 0; // byte offsets in the stream
    std::vector<std::byte> fixedPart; // 114 (version 1) or 130 (versions 3, 4) bytes, as in the stream
    std::uint64_t identityKey = 0;    // from the link (t_DestListLinks::LoadLink)
    bool keyed = true;                // false while the link cannot be loaded here: not found by key

    std::int32_t EntryNumber() const;
    // -1 when not pinned.
    std::int32_t PinPosition() const;
    bool Pinned() const { return PinPosition() != -1; }
};

enum class t_LinkState {
    loads,
    broken,     // the link's data is missing or malformed: its entry goes
    unavailable // this machine cannot load it just now (memory, access, sharing): its entry stays untouched
};

// The entry streams beside DestList, as the Windows layer loads them from the compound file.
class t_DestListLinks {
public:
    virtual ~t_DestListLinks() = default;
    // Both are given the path the entry's record stores (a file's path, a URL or a parsing name), which keys and
    // names a link that gives neither itself.
    // Repair pass: how the link stored for this entry number loads. Never throws.
    virtual t_LinkState CheckLink(std::uint32_t entryNumber, std::wstring_view recordPath) = 0;
    // Loading: loads and keeps the entry's link and returns its identity key. Nothing when the link is
    // unavailable; throws when it is broken.
    virtual std::optional<std::uint64_t> LoadLink(std::uint32_t entryNumber, std::wstring_view recordPath) = 0;
};

// The model of one DestList stream. Entry numbers are the handles callers keep: indices into Records() shift as
// entries come and go.
//
// Edits write the stream first and change the model only once every write succeeded, so a throw leaves the model
// as it was. The stream may then hold part of an edit; the writes are ordered so that the next open's repair
// pass turns any such state into a readable file without losing an entry (see each operation).
class t_DestList {
public:
    // Reads and checks the header (version 1, 3 or 4; entry count at most 0x10000 and not below the pinned count),
    // then repairs: keeps the pinned records whose link is not broken (at most 64, first pin position first, renumbered
    // 0, 1, 2 ...), drops records with an entry number seen before or a broken link, and keeps at
    // most 64 records. Rewrites the header (revision + 1) and the records when that changed anything, else writes
    // nothing. Returns the entry numbers kept; other entry streams are orphans. Throws E_FAIL when the header or
    // a record read breaks the format, having written nothing. The model holds only the header afterwards.
    std::set<std::uint32_t> Repair(t_ByteStream& stream, t_DestListLinks& links);
    // Reads the header and every record with all checks, loading each entry's link, then cuts the stream after
    // the last record. Throws E_FAIL on any violation, leaving the model empty (Clear).
    void Load(t_ByteStream& stream, t_DestListLinks& links);
    // A new, empty DestList of this version (1, 3 or 4) in an empty stream: the header, all else zero, written.
    void Create(t_ByteStream& stream, std::uint32_t version);
    // The list of an empty stream (the shell leaves one for an application without entries): no entries, this
    // version (1, 3 or 4). Nothing is written until the first entry is added.
    void StartEmpty(std::uint32_t version);
    // Forgets everything: header zero, no records (what a failed open leaves).
    void Clear() noexcept;

    // A new unpinned entry for a destination that has none, first in file order: the header is updated (entry
    // count, last issued and revision + 1) and the new record (path in UTF-16LE, fileTime a FILETIME as 64
    // bits) is written at the front with the older records behind it, in one write after the stream has grown.
    // Returns the new entry number; the caller stores the link under it. Throws E_INVALIDARG when the key has
    // an entry already or the path is longer than 65535 UTF-16 units, E_FAIL when no entry number or count is
    // left or no DestList is open.
    std::uint32_t AddFront(t_ByteStream& stream, std::wstring_view path, std::uint64_t fileTime,
                           std::uint64_t identityKey);
    // Pins the entry at the end of the pinned sequence; an entry already pinned stays where it is. The header is
    // written before the record: a record left unpinned only makes the next repair lower the pinned count.
    void Pin(t_ByteStream& stream, std::uint32_t entryNumber);
    // Unpins the entry and moves the later pins up by one; an entry not pinned is left alone. The entry's record
    // is written first, then the later pins in order, then the header, so that a failure part way leaves a gap
    // in the pin positions (which the next repair closes), never two records with the same position.
    void Unpin(t_ByteStream& stream, std::uint32_t entryNumber);
    // Removes the entry's record (unpinning it first): the header (entry count - 1, last issued the highest
    // number left, revision + 2) and the records left are written in one write, then the stream is cut. The
    // entry's own stream is not touched: the Windows layer destroys it afterwards, so that a failure there
    // leaves a consistent DestList and an orphan stream that the next open removes. Removing the only entry
    // leaves an empty DestList; the Windows layer deletes the whole file instead.
    void Remove(t_ByteStream& stream, std::uint32_t entryNumber);

    const t_DestListHeader& Header() const noexcept { return header; }
    const std::vector<t_DestListRecord>& Records() const noexcept { return records; } // file order
    std::vector<std::uint32_t> PinnedEntryNumbers() const { return pinned; }          // pin order
    const t_DestListRecord* FindByKey(std::uint64_t identityKey) const noexcept;
    const t_DestListRecord* FindByNumber(std::uint32_t entryNumber) const noexcept;

private:
    std::size_t IndexOf(std::uint32_t entryNumber) const; // throws E_INVALIDARG for an unknown number
    void Reindex();

    t_DestListHeader header;
    std::vector<t_DestListRecord> records;
    std::vector<std::uint32_t> pinned;                // entry numbers by pin position
    std::map<std::uint64_t, std::size_t> keyIndex;    // identity key to index in records
    std::map<std::uint32_t, std::size_t> numberIndex; // entry number to index in records
};

// The record checksum: CRC-64 over 8 zero bytes (where the checksum itself lies) and bytes 8 to 111.
std::uint64_t DestListRecordChecksum(std::span<const std::byte> fixedPart);

} // namespace n_ombrix
