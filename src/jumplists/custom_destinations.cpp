#include "jumplists/custom_destinations.h"

#include <algorithm>
#include <array>

namespace n_ombrix {

namespace {

using n_zql::n_system::n_windows::n_com::ThrowHResult;

constexpr std::uint32_t fileVersion = 2;
constexpr std::uint32_t largestCategoryCount = 16;
constexpr std::uint64_t headerSize = 12;
constexpr std::uint32_t customType = 0, knownType = 1, tasksType = 2;
constexpr std::uint32_t frequentId = 1; // any other known id is Recent
constexpr std::uint32_t footer = 0xBABFFBAB;
constexpr std::uint64_t classIdSize = 16;

[[noreturn]] void FailFormat() { ThrowHResult(failureResult); }
[[noreturn]] void FailArgument() { ThrowHResult(invalidArgumentResult); }

std::uint32_t Read32(t_ByteStream& stream, std::uint64_t at) {
    std::array<std::byte, 4> bytes{};
    stream.ReadAt(at, bytes);
    std::uint32_t value = 0;
    for (std::size_t i = bytes.size(); i-- > 0;) value = (value << 8) | std::to_integer<std::uint32_t>(bytes[i]);
    return value;
}

std::array<std::byte, 4> Encode32(std::uint32_t value) {
    std::array<std::byte, 4> bytes{};
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::byte>((value >> (8 * i)) & 0xFF);
    return bytes;
}

// The name's length is signed on disk; a negative one is a broken file, not a huge name.
std::wstring ReadName(t_ByteStream& stream, std::uint64_t& at, std::uint64_t size) {
    std::array<std::byte, 2> lengthBytes{};
    stream.ReadAt(at, lengthBytes);
    at += lengthBytes.size();
    const auto length = static_cast<std::int16_t>(std::to_integer<std::uint16_t>(lengthBytes[0]) |
                                                  (std::to_integer<std::uint16_t>(lengthBytes[1]) << 8));
    if (length < 0 || 2 * static_cast<std::uint64_t>(length) > size - at) FailFormat();
    std::vector<std::byte> units(2 * static_cast<std::size_t>(length));
    stream.ReadAt(at, units);
    at += units.size();
    std::wstring name;
    for (std::size_t i = 0; i < units.size(); i += 2) {
        name.push_back(static_cast<wchar_t>(std::to_integer<std::uint16_t>(units[i]) |
                                            (std::to_integer<std::uint16_t>(units[i + 1]) << 8)));
    }
    return name;
}

// The item count at the category's countOffset, then the items one by one: the count is the file's word, so it
// only bounds the loop (every item takes at least its class id) and is never used to size anything.
std::uint64_t ReadItems(t_ByteStream& stream, t_CustomItemLoader& loader, t_CustomCategoryLayout& category,
                        std::uint64_t size) {
    const std::uint32_t count = Read32(stream, category.countOffset);
    std::uint64_t at = category.countOffset + 4;
    if (size - at < 4 || count > (size - at - 4) / classIdSize) FailFormat(); // the footer must fit too
    for (std::uint32_t i = 0; i < count; ++i) {
        std::array<std::byte, classIdSize> classId{};
        stream.ReadAt(at, classId);
        const std::uint64_t stateOffset = at + classId.size();
        std::uint64_t end = 0;
        try {
            end = loader.LoadItem(stateOffset, classId, category.kind);
        } catch (const n_zql::n_system::n_windows::t_ErrorException&) {
            FailFormat(); // whatever the object's own reason, the file is unreadable to us
        }
        if (end < stateOffset || end > size) FailFormat();
        category.items.push_back({.start = at, .end = end});
        at = end;
    }
    return at;
}

t_CustomCategoryLayout ReadCategory(t_ByteStream& stream, t_CustomItemLoader& loader, std::uint64_t at,
                                    std::uint64_t size) {
    t_CustomCategoryLayout category;
    category.start = at;
    const std::uint32_t type = Read32(stream, at);
    at += 4;
    switch (type) {
    case customType:
        category.kind = t_CustomCategoryKind::custom;
        category.rawName = ReadName(stream, at, size);
        category.countOffset = at;
        at = ReadItems(stream, loader, category, size);
        break;
    case knownType:
        category.known = true;
        category.kind =
            Read32(stream, at) == frequentId ? t_CustomCategoryKind::frequent : t_CustomCategoryKind::recent;
        at += 4;
        break;
    case tasksType:
        category.kind = t_CustomCategoryKind::tasks;
        category.countOffset = at;
        at = ReadItems(stream, loader, category, size);
        break;
    default:
        FailFormat();
    }
    if (Read32(stream, at) != footer) FailFormat();
    category.end = at + 4;
    return category;
}

void ShiftBack(t_CustomItemSpan& item, std::uint64_t by) {
    item.start -= by;
    item.end -= by;
}

} // namespace

void t_CustomDestinations::Read(t_ByteStream& stream, t_CustomItemLoader& loader) {
    Clear();
    try {
        const std::uint64_t size = stream.Size();
        if (Read32(stream, 0) != fileVersion) FailFormat();
        const std::uint32_t count = Read32(stream, 4);
        if (count > largestCategoryCount) FailFormat();
        std::uint64_t at = headerSize;
        for (std::uint32_t i = 0; i < count; ++i) {
            categories.push_back(ReadCategory(stream, loader, at, size));
            at = categories.back().end;
        }
        fileEnd = size;
    } catch (...) {
        Clear();
        throw;
    }
}

void t_CustomDestinations::Clear() noexcept {
    categories.clear();
    fileEnd = 0;
}

void t_CustomDestinations::RemoveItems(t_ByteStream& stream, std::size_t category, std::size_t first,
                                       std::size_t last) {
    if (category >= categories.size()) FailArgument();
    t_CustomCategoryLayout& changed = categories[category];
    if (first > last || last > changed.items.size()) FailArgument();
    if (first == last) return;
    const std::uint64_t runStart = changed.items[first].start, runEnd = changed.items[last - 1].end;
    const std::uint64_t length = runEnd - runStart, itemsStart = changed.countOffset + 4;

    // The count and the moved bytes go in one write, so that the file never holds a count that disagrees with
    // its items: the items before the run are written again as they are.
    const auto count = static_cast<std::uint32_t>(changed.items.size() - (last - first));
    std::vector<std::byte> image(static_cast<std::size_t>(4 + (runStart - itemsStart) + (fileEnd - runEnd)));
    const auto countBytes = Encode32(count);
    std::copy(countBytes.begin(), countBytes.end(), image.begin());
    const std::span<std::byte> before = std::span(image).subspan(4, static_cast<std::size_t>(runStart - itemsStart));
    stream.ReadAt(itemsStart, before);
    stream.ReadAt(runEnd, std::span(image).subspan(4 + before.size()));
    stream.WriteAt(changed.countOffset, image);

    changed.items.erase(changed.items.begin() + static_cast<std::ptrdiff_t>(first),
                        changed.items.begin() + static_cast<std::ptrdiff_t>(last));
    for (std::size_t i = first; i < changed.items.size(); ++i) ShiftBack(changed.items[i], length);
    changed.end -= length;
    for (std::size_t c = category + 1; c < categories.size(); ++c) {
        t_CustomCategoryLayout& later = categories[c];
        later.start -= length;
        later.end -= length;
        if (!later.known) later.countOffset -= length;
        for (t_CustomItemSpan& item : later.items) ShiftBack(item, length);
    }
    fileEnd -= length;
    stream.SetSize(fileEnd);
}

} // namespace n_ombrix
