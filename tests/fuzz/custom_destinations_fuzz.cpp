// libFuzzer target for the shell's custom destinations files, which applications fill through the shell and other
// programs may write. The input's first byte says which class ids fail to load (bit: the class id's first byte
// % 8), the second how the stand-in loader finds where a state ends (bits 0-1: 0 and 1 a 4-byte length then that
// many bytes, 2 a fixed length of the byte's upper bits, 3 an end that lies: before the state when bit 2 is clear,
// past the stream when set), the third and fourth which items two removals take (category, first, run length);
// the rest is the file.
// A read may fail, with E_FAIL and leaving nothing, but must not crash, read out of bounds or hang, and never
// writes. Each removal leaves exactly the bytes it should and a file that reads as the object says, and one out of
// range is refused without a write. Any difference aborts.

#include "fuzz_check.h"
#include "jumplists/custom_destinations.h"
#include "memory_byte_stream.h"

#include <algorithm>
#include <array>
#include <tuple>
#include <vector>

using namespace n_ombrix;
using namespace n_ombrix_fuzz;

namespace {

constexpr std::size_t controlSize = 4;

struct t_FuzzLoader : t_CustomItemLoader {
    t_FuzzLoader(t_ByteStream& stream, std::uint8_t failing, std::uint8_t ends)
        : stream(stream), failing(failing), ends(ends) {}
    std::uint64_t LoadItem(std::uint64_t stateOffset, std::span<const std::byte, 16> classId,
                           t_CustomCategoryKind kind) override {
        if (kind < t_CustomCategoryKind::custom) Abandon("an item was loaded for a known category");
        if ((failing >> (std::to_integer<unsigned>(classId[0]) % 8)) & 1)
            n_zql::n_system::n_windows::ThrowHResult(static_cast<std::int32_t>(0x80040154u));
        if ((ends & 3) == 2) return stateOffset + (ends >> 2);
        if ((ends & 3) == 3) return (ends & 4) ? stream.Size() + 1 : stateOffset - 1;
        std::array<std::byte, 4> length{};
        stream.ReadAt(stateOffset, length);
        return stateOffset + 4 + Get(length, 0, 4);
    }
    t_ByteStream& stream;
    std::uint8_t failing, ends;
};

// Reads a stream that nothing has written to. Whether it read; a failed read fails with E_FAIL and leaves nothing.
bool Read(t_CustomDestinations& file, t_MemoryByteStream& stream, std::uint8_t failing, std::uint8_t ends) {
    t_FuzzLoader loader(stream, failing, ends);
    const auto result = Attempt(stream, [&] { file.Read(stream, loader); });
    if (stream.ChangeCount() != 0) Abandon("reading wrote");
    if (result != 0 && (result != failureResult || !file.Categories().empty()))
        Abandon("a failed read failed with something other than E_FAIL, or left categories");
    return result == 0;
}

bool SameLayout(const std::vector<t_CustomCategoryLayout>& a, const std::vector<t_CustomCategoryLayout>& b) {
    const auto item = [](const t_CustomItemSpan& i) { return std::tie(i.start, i.end); };
    return std::ranges::equal(a, b, [&](const t_CustomCategoryLayout& x, const t_CustomCategoryLayout& y) {
        return std::tie(x.kind, x.known, x.rawName, x.start, x.end, x.countOffset) ==
                   std::tie(y.kind, y.known, y.rawName, y.start, y.end, y.countOffset) &&
               std::ranges::equal(x.items, y.items, {}, item, item);
    });
}

// Removes a run of items. The bytes it must leave are worked out on the bytes alone: the run cut out and the
// category's count lowered; a removal out of range leaves them as they were. A copy of what is left reads again to
// the object's layout (control: the input's first bytes, for the loader).
void Remove(t_CustomDestinations& file, t_MemoryByteStream& stream, const std::uint8_t* control, std::uint8_t which,
            std::uint8_t run) {
    const std::size_t category = which % (file.Categories().size() + 1);
    const std::size_t first = run & 0x0F, last = first + (run >> 4);
    const std::size_t changes = stream.ChangeCount();
    const bool inRange = category < file.Categories().size() && last <= file.Categories()[category].items.size();
    std::vector<std::byte> expected = stream.Bytes();
    if (inRange && first != last) {
        const t_CustomCategoryLayout& removed = file.Categories()[category];
        expected.erase(expected.begin() + static_cast<std::ptrdiff_t>(removed.items[first].start),
                       expected.begin() + static_cast<std::ptrdiff_t>(removed.items[last - 1].end));
        Put(expected, removed.countOffset, 4, removed.items.size() - (last - first));
    }
    const auto result = Attempt(stream, [&] { file.RemoveItems(stream, category, first, last); });
    if (result != (inRange ? 0 : invalidArgumentResult)) Abandon("a removal in range failed, or one out of it not so");
    if (first == last && stream.ChangeCount() != changes) Abandon("an empty removal wrote");
    if (stream.Bytes() != expected) Abandon("a removal left other bytes than it should");
    t_MemoryByteStream copy(stream.Bytes());
    t_CustomDestinations again;
    if (!Read(again, copy, control[0], control[1]) || !SameLayout(again.Categories(), file.Categories()))
        Abandon("what a removal left does not read as the object says");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < controlSize) return 0;
    const std::span<const std::byte> input = std::as_bytes(std::span(data, size));
    t_MemoryByteStream stream(std::vector<std::byte>(input.begin() + controlSize, input.end()));
    t_CustomDestinations file;
    if (!Read(file, stream, data[0], data[1])) return 0;
    Remove(file, stream, data, data[2], data[3]);
    Remove(file, stream, data, static_cast<std::uint8_t>(data[2] >> 4), static_cast<std::uint8_t>(data[3] * 7));
    return 0;
}
