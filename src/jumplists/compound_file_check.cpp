#include "jumplists/compound_file_check.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

namespace n_ombrix {

namespace {

constexpr std::uint32_t lastRegularSector = 0xFFFFFFFA;
constexpr std::uint32_t endOfChain = 0xFFFFFFFE;
constexpr std::uint32_t noEntry = 0xFFFFFFFF;
constexpr std::size_t difatInHeader = 109;
constexpr std::size_t directoryEntrySize = 128;
constexpr std::size_t miniSectorSize = 64;
constexpr std::uint8_t rootEntryType = 5;
constexpr std::uint8_t signature[] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};

using t_Table = std::vector<std::uint32_t>;

class t_CompoundFile {
public:
    explicit t_CompoundFile(std::span<const std::byte> bytes) : bytes_(bytes) {}

    bool HasHeader() {
        if (bytes_.size() < 512 || !std::equal(std::begin(signature), std::end(signature), bytes_.begin(),
                                               [](std::uint8_t a, std::byte b) { return std::byte{a} == b; }))
            return false;
        const std::uint32_t shift = Byte(0x1E);
        if (shift != 9 && shift != 12) return false;
        sectorSize_ = std::size_t{1} << shift;
        // A last sector cut short still counts: what is missing reads as zeros, as the platform reads it.
        sectorCount_ = bytes_.size() <= sectorSize_ ? 0 : (bytes_.size() - 1) / sectorSize_;
        return true;
    }

    // The allocation table: its sectors listed in the header, then in the chain of list sectors.
    std::optional<t_Table> AllocationTable() const {
        const std::uint32_t tableSectors = Word(0x2C);
        if (tableSectors > sectorCount_) return std::nullopt;
        t_Table list;
        for (std::size_t i = 0; i < std::min<std::size_t>(tableSectors, difatInHeader); ++i)
            list.push_back(Word(0x4C + 4 * i));
        const std::size_t perListSector = sectorSize_ / 4 - 1;
        std::uint32_t listSector = Word(0x44);
        for (std::uint32_t n = Word(0x48); n > 0 && list.size() < tableSectors; --n) {
            if (listSector >= sectorCount_) return std::nullopt;
            for (std::size_t i = 0; i < perListSector && list.size() < tableSectors; ++i)
                list.push_back(Word(SectorOffset(listSector) + 4 * i));
            listSector = Word(SectorOffset(listSector) + 4 * perListSector);
        }
        if (list.size() < tableSectors) return std::nullopt;
        return TableFrom(list);
    }

    // The words of the sectors, in order; nothing when a sector lies outside the file.
    std::optional<t_Table> TableFrom(const t_Table& sectors) const {
        t_Table table;
        for (const std::uint32_t sector : sectors) {
            if (sector >= sectorCount_) return std::nullopt;
            for (std::size_t i = 0; i < sectorSize_ / 4; ++i) table.push_back(Word(SectorOffset(sector) + 4 * i));
        }
        return table;
    }

    // Whether every chain of the table ends: each link stays below the bound, and no chain comes back to a sector it
    // passed. Linear: a sector known to lead to an end is not walked again.
    static bool ChainsEnd(const t_Table& next, std::size_t bound) {
        bound = std::min(bound, next.size());
        enum : std::uint8_t { unseen, onThisWalk, ends };
        std::vector<std::uint8_t> state(bound, unseen);
        for (std::size_t start = 0; start < bound; ++start) {
            std::size_t at = start;
            for (; state[at] == unseen && next[at] <= lastRegularSector; at = next[at]) {
                state[at] = onThisWalk;
                if (next[at] >= bound) return false;
            }
            if (state[at] == onThisWalk) return false;
            for (std::size_t walked = start; state[walked] == onThisWalk; walked = next[walked]) state[walked] = ends;
        }
        return true;
    }

    // The sectors of the chain from start, in a table whose chains below the bound ChainsEnd has cleared; nothing when
    // it breaks off before its end.
    static std::optional<t_Table> Chain(const t_Table& next, std::uint32_t start, std::size_t bound) {
        t_Table chain;
        for (std::uint32_t at = start; at != endOfChain; at = next[at]) {
            if (at >= std::min(bound, next.size())) return std::nullopt;
            chain.push_back(at);
        }
        return chain;
    }

    // Whether the directory is a tree from its root: every link within the directory, no entry reached twice.
    bool DirectoryIsATree(const t_Table& directory) const {
        const std::size_t perSector = sectorSize_ / directoryEntrySize, count = directory.size() * perSector;
        const auto entryOffset = [&](std::size_t entry) {
            return SectorOffset(directory[entry / perSector]) + (entry % perSector) * directoryEntrySize;
        };
        if (count == 0 || Byte(entryOffset(0) + 0x42) != rootEntryType) return false;
        std::vector<bool> reached(count, false);
        std::vector<std::uint32_t> pending{0};
        while (!pending.empty()) {
            const std::uint32_t entry = pending.back();
            pending.pop_back();
            if (entry >= count || reached[entry]) return false;
            reached[entry] = true;
            for (const std::size_t link : {0x44, 0x48, 0x4C})
                if (const std::uint32_t to = Word(entryOffset(entry) + link); to != noEntry) pending.push_back(to);
        }
        return true;
    }

    // The mini allocation table's chains end within the mini stream, which the root entry holds.
    bool MiniChainsEnd(const t_Table& table, const t_Table& directory) const {
        if (Word(0x40) == 0) return true;
        const std::optional<t_Table> sectors = Chain(table, Word(0x3C), sectorCount_);
        const std::optional<t_Table> miniTable = sectors ? TableFrom(*sectors) : std::nullopt;
        if (!miniTable) return false;
        const std::size_t root = SectorOffset(directory[0]);
        const std::uint64_t streamSize = Word(root + 0x78) | std::uint64_t{Word(root + 0x7C)} << 32;
        return ChainsEnd(*miniTable, static_cast<std::size_t>(
                                         std::min<std::uint64_t>(miniTable->size(), streamSize / miniSectorSize + 1)));
    }

    std::uint32_t FirstDirectorySector() const { return Word(0x30); }
    std::size_t SectorCount() const { return sectorCount_; }

private:
    std::size_t SectorOffset(std::uint32_t sector) const { return (std::size_t{sector} + 1) * sectorSize_; }
    std::uint8_t Byte(std::size_t offset) const {
        return offset < bytes_.size() ? std::to_integer<std::uint8_t>(bytes_[offset]) : 0;
    }
    std::uint32_t Word(std::size_t offset) const {
        return Byte(offset) | Byte(offset + 1) << 8 | Byte(offset + 2) << 16 | std::uint32_t{Byte(offset + 3)} << 24;
    }

    std::span<const std::byte> bytes_;
    std::size_t sectorSize_ = 512;
    std::size_t sectorCount_ = 0;
};

} // namespace

bool IsSoundCompoundFile(std::span<const std::byte> bytes) {
    t_CompoundFile file(bytes);
    if (!file.HasHeader()) return false;
    const std::optional<t_Table> table = file.AllocationTable();
    if (!table || !t_CompoundFile::ChainsEnd(*table, file.SectorCount())) return false;
    const std::optional<t_Table> directory =
        t_CompoundFile::Chain(*table, file.FirstDirectorySector(), file.SectorCount());
    return directory && file.DirectoryIsATree(*directory) && file.MiniChainsEnd(*table, *directory);
}

} // namespace n_ombrix
