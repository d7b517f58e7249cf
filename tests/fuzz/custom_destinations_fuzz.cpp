// libFuzzer target for the shell's custom destinations files, which applications fill through the shell and other
// programs may write. The input's first byte says which class ids fail to load (bit: the class id's first byte
// % 8), the second how the stand-in loader finds where a state ends (bits 0-1: 0 and 1 a 4-byte length then that
// many bytes, 2 a fixed length of the byte's upper bits, 3 an end that lies: before the state when bit 2 is clear,
// past the stream when set), the third and fourth which items two removals take (category, first, run length);
// the rest is the file.
// A read may fail but must not crash, read out of bounds or hang, and never writes. A read that succeeds gives
// a layout without gaps that reads the same again; each removal leaves exactly the bytes it should and a file that
// reads as the object says. Any difference aborts.

#include "jumplists/custom_destinations.h"
#include "memory_byte_stream.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace n_ombrix;

namespace {

constexpr std::size_t controlSize = 4;
constexpr std::uint64_t headerSize = 12;

[[noreturn]] void Abandon(const char* why) {
    std::fprintf(stderr, "custom_destinations_fuzz: %s\n", why);
    std::abort();
}

std::uint64_t Get(std::span<const std::byte> bytes, std::size_t size) {
    std::uint64_t value = 0;
    for (std::size_t i = size; i-- > 0;) value = (value << 8) | std::to_integer<std::uint64_t>(bytes[i]);
    return value;
}

struct t_FuzzLoader : t_CustomItemLoader {
    t_FuzzLoader(t_ByteStream& stream, std::uint8_t failing, std::uint8_t ends)
        : stream(stream), failing(failing), ends(ends) {}
    std::uint64_t LoadItem(std::uint64_t stateOffset, std::span<const std::byte, 16> classId,
                           t_CustomCategoryKind kind) override {
        if (static_cast<int>(kind) < 2) Abandon("an item was loaded for a known category");
        if ((failing >> (std::to_integer<unsigned>(classId[0]) % 8)) & 1) {
            n_zql::n_system::n_windows::ThrowHResult(static_cast<std::int32_t>(0x80040154u));
        }
        switch (ends & 3) {
        case 2:
            return stateOffset + (ends >> 2);
        case 3:
            return (ends & 4) ? stream.Size() + 1 : stateOffset - 1;
        default: {
            std::array<std::byte, 4> length{};
            stream.ReadAt(stateOffset, length);
            return stateOffset + 4 + Get(length, 4);
        }
        }
    }
    t_ByteStream& stream;
    std::uint8_t failing, ends;
};

bool SameLayout(const std::vector<t_CustomCategoryLayout>& a, const std::vector<t_CustomCategoryLayout>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t c = 0; c < a.size(); ++c) {
        const t_CustomCategoryLayout &x = a[c], &y = b[c];
        if (x.kind != y.kind || x.known != y.known || x.rawName != y.rawName || x.start != y.start || x.end != y.end ||
            x.countOffset != y.countOffset || x.items.size() != y.items.size()) {
            return false;
        }
        for (std::size_t i = 0; i < x.items.size(); ++i) {
            if (x.items[i].start != y.items[i].start || x.items[i].end != y.items[i].end) return false;
        }
    }
    return true;
}

// Categories back to back after the header, items back to back after their count, each footer right after.
void CheckLayout(const std::vector<t_CustomCategoryLayout>& categories, const std::vector<std::byte>& bytes) {
    if (categories.size() > 16) Abandon("more than 16 categories");
    std::uint64_t at = headerSize;
    for (const t_CustomCategoryLayout& category : categories) {
        if (category.start != at) Abandon("a category does not follow the one before");
        const bool knownKind =
            category.kind == t_CustomCategoryKind::recent || category.kind == t_CustomCategoryKind::frequent;
        if (category.known != knownKind || category.known != (category.countOffset == 0) ||
            (category.known && !category.items.empty())) {
            Abandon("a category's kind and shape disagree");
        }
        std::uint64_t itemsEnd = category.known ? category.start + 8 : category.countOffset + 4;
        if (!category.known && (category.countOffset < category.start + 4 ||
                                Get(std::span(bytes).subspan(category.countOffset), 4) != category.items.size())) {
            Abandon("a category's count is not where it lies or not what it holds");
        }
        for (const t_CustomItemSpan& item : category.items) {
            if (item.start != itemsEnd || item.end < item.start + 16) Abandon("items are not back to back");
            itemsEnd = item.end;
        }
        if (category.end != itemsEnd + 4 || category.end > bytes.size()) Abandon("a footer is out of place");
        at = category.end;
    }
}

// Reads a copy of the stream; it must read, write nothing, and give the layout.
void CheckRereads(const std::vector<t_CustomCategoryLayout>& layout, const std::vector<std::byte>& bytes,
                  std::uint8_t failing, std::uint8_t ends) {
    t_MemoryByteStream copy(bytes);
    t_FuzzLoader loader(copy, failing, ends);
    t_CustomDestinations again;
    try {
        again.Read(copy, loader);
    } catch (const n_zql::n_system::n_windows::n_com::t_ErrorException&) {
        Abandon("a file that read, or that a removal left, does not read");
    }
    if (copy.ChangeCount() != 0) Abandon("reading wrote");
    if (!SameLayout(again.Categories(), layout)) Abandon("reading again gives another layout");
}

// What removing [first, last) of the category must leave, worked out on the bytes alone.
std::vector<std::byte> Removed(const std::vector<std::byte>& bytes, const t_CustomCategoryLayout& category,
                               std::size_t first, std::size_t last) {
    const auto at = [&](std::uint64_t offset) { return bytes.begin() + static_cast<std::ptrdiff_t>(offset); };
    std::vector<std::byte> out(bytes.begin(), at(category.countOffset));
    const std::uint64_t count = category.items.size() - (last - first);
    for (std::size_t i = 0; i < 4; ++i) out.push_back(static_cast<std::byte>((count >> (8 * i)) & 0xFF));
    out.insert(out.end(), at(category.countOffset + 4), at(category.items[first].start));
    out.insert(out.end(), at(category.items[last - 1].end), bytes.end());
    return out;
}

void Remove(t_CustomDestinations& file, t_MemoryByteStream& stream, std::uint8_t which, std::uint8_t run,
            std::uint8_t failing, std::uint8_t ends) {
    const std::size_t category = which % (file.Categories().size() + 1);
    const std::size_t first = run & 0x0F, last = first + (run >> 4);
    const std::vector<std::byte> before = stream.Bytes();
    const std::size_t changes = stream.ChangeCount();
    const bool inRange = category < file.Categories().size() && last <= file.Categories()[category].items.size();
    const std::vector<std::byte> expected =
        inRange && first != last ? Removed(before, file.Categories()[category], first, last) : before;
    try {
        file.RemoveItems(stream, category, first, last);
    } catch (const n_zql::n_system::n_windows::n_com::t_ErrorException& error) {
        if (inRange || error.Result() != invalidArgumentResult) Abandon("a removal in range failed");
        if (stream.ChangeCount() != changes) Abandon("a refused removal wrote");
        return;
    }
    if (!inRange) Abandon("a removal out of range went through");
    if (first == last && stream.ChangeCount() != changes) Abandon("an empty removal wrote");
    if (stream.Bytes() != expected) Abandon("a removal left other bytes than it should");
    CheckLayout(file.Categories(), stream.Bytes());
    CheckRereads(file.Categories(), stream.Bytes(), failing, ends);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < controlSize) return 0;
    const std::uint8_t failing = data[0], ends = data[1], which = data[2], run = data[3];
    const auto* bytes = reinterpret_cast<const std::byte*>(data + controlSize);
    t_MemoryByteStream stream(std::vector<std::byte>(bytes, bytes + (size - controlSize)));
    t_FuzzLoader loader(stream, failing, ends);
    t_CustomDestinations file;
    try {
        file.Read(stream, loader);
    } catch (const n_zql::n_system::n_windows::n_com::t_ErrorException& error) {
        if (error.Result() != failureResult) Abandon("a read failed with something other than E_FAIL");
        if (!file.Categories().empty()) Abandon("a failed read left categories");
        if (stream.ChangeCount() != 0) Abandon("a failed read wrote");
        return 0;
    }
    if (stream.ChangeCount() != 0) Abandon("reading wrote");
    CheckLayout(file.Categories(), stream.Bytes());
    CheckRereads(file.Categories(), stream.Bytes(), failing, ends);
    Remove(file, stream, which, run, failing, ends);
    Remove(file, stream, static_cast<std::uint8_t>(which >> 4), static_cast<std::uint8_t>(run * 7), failing, ends);
    return 0;
}
