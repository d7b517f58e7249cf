// The custom destinations file: files assembled here, items whose objects are a 4-byte length and that many bytes,
// and removals checked byte for byte against the file written without those items.

#include "jumplists/custom_destinations.h"

#include "error_result.h"
#include "memory_byte_stream.h"

#include <gtest/gtest.h>

#include <optional>
#include <tuple>

using namespace n_ombrix;
using n_ombrix_test::ResultOf;

namespace {

using t_Bytes = std::vector<std::byte>;

void Put(t_Bytes& out, std::size_t size, std::uint64_t value) {
    for (std::size_t i = 0; i < size; ++i) out.push_back(std::byte((value >> (8 * i)) & 0xFF));
}

struct t_Category {
    std::uint32_t type = 0, knownId = 0;
    std::vector<std::uint8_t> items{}; // each a class id from this byte (0xEE does not load) and a state of its size
};

// Categories of type 0 are named "Docs". Every item's bytes differ, so that a test sees whether each was kept whole.
t_Bytes File(const std::vector<t_Category>& categories, t_Bytes trailing = {}) {
    t_Bytes out;
    for (const std::size_t value : {std::size_t{2}, categories.size(), std::size_t{0xC0FFEE}}) Put(out, 4, value);
    for (const t_Category& category : categories) {
        Put(out, 4, category.type);
        if (category.type == 0)
            for (const char16_t unit : {u'\4', u'D', u'o', u'c', u's'}) Put(out, 2, unit); // its length, its units
        Put(out, 4, category.type == 1 ? category.knownId : category.items.size());
        for (const std::uint8_t item : category.items) {
            for (std::size_t i = 0; i < 16; ++i) Put(out, 1, item + i);
            Put(out, 4, item);
            for (std::uint8_t i = 0; i < item; ++i) Put(out, 1, item ^ i);
        }
        Put(out, 4, 0xBABFFBAB);
    }
    out.insert(out.end(), trailing.begin(), trailing.end());
    return out;
}

// The class id's first byte is the state's length, as File writes it.
struct t_FakeLoader : t_CustomItemLoader {
    std::uint64_t LoadItem(std::uint64_t stateOffset, std::span<const std::byte, 16> classId,
                           t_CustomCategoryKind kind) override {
        if (classId[0] == std::byte{0xEE})
            n_zql::n_system::n_windows::ThrowHResult(static_cast<std::int32_t>(0x80040154u));
        kinds.push_back(kind);
        return end.value_or(stateOffset + 4 + std::to_integer<std::uint64_t>(classId[0]));
    }
    std::optional<std::uint64_t> end; // an end to report whatever the state says
    std::vector<t_CustomCategoryKind> kinds;
};

// Kind (recent, frequent, custom, tasks), known mark, name, span, count offset and item spans of each category.
std::string Describe(const t_CustomDestinations& file) {
    std::string text;
    for (const t_CustomCategoryLayout& c : file.Categories()) {
        text += "rfct"[static_cast<int>(c.kind)] + std::string(c.known ? "!" : "") +
                std::string(c.rawName.begin(), c.rawName.end()) + " " + std::to_string(c.start) + "-" +
                std::to_string(c.end) + " @" + std::to_string(c.countOffset);
        for (const t_CustomItemSpan& i : c.items) text += " " + std::to_string(i.start) + "-" + std::to_string(i.end);
        text += "; ";
    }
    return text;
}

// What a fresh read of a copy of the stream finds.
std::string Reread(const t_MemoryByteStream& stream) {
    t_MemoryByteStream copy(stream.Bytes());
    t_FakeLoader loader;
    t_CustomDestinations again;
    again.Read(copy, loader);
    return Describe(again);
}

} // namespace

TEST(CustomDestinations, AFileThatBreaksTheFormatIsRefusedWhole) {
    const t_Bytes good = File({{.items = {3, 4}}, {.type = 2, .items = {5}}});
    const auto patched = [&](std::size_t at, std::size_t size, std::uint64_t value) {
        t_Bytes bytes = good;
        for (std::size_t i = 0; i < size; ++i) bytes[at + i] = std::byte((value >> (8 * i)) & 0xFF);
        return bytes;
    };
    const std::vector<std::tuple<const char*, t_Bytes, std::optional<std::uint64_t>>> cases{
        {"version 3", patched(0, 4, 3), {}},
        {"17 categories", File(std::vector<t_Category>(17, {.type = 1})), {}},
        {"short file", t_Bytes(good.begin(), good.end() - 1), {}},
        {"unknown type", patched(12, 4, 3), {}},
        {"bad footer", patched(good.size() - 4, 1, 0), {}},
        {"negative name length", patched(16, 2, 0xFFFF), {}},
        {"name past the end", patched(16, 2, 0x7FFF), {}},
        {"count beyond the file", patched(26, 4, 0xFFFFFFFF), {}},
        {"count one too many", patched(26, 4, 3), {}},
        {"class that does not load", patched(30, 1, 0xEE), {}},
        {"state ends before it starts", good, 5},
        {"state ends past the stream", good, good.size() + 1}};
    for (const auto& [name, bytes, end] : cases) {
        SCOPED_TRACE(name);
        t_MemoryByteStream stream(good);
        t_FakeLoader loader;
        t_CustomDestinations file;
        file.Read(stream, loader); // what a failed read must drop
        stream = t_MemoryByteStream(bytes);
        loader.end = end;
        EXPECT_EQ(ResultOf([&] { file.Read(stream, loader); }), static_cast<std::int32_t>(failureResult));
        EXPECT_TRUE(file.Categories().empty() && stream.ChangeCount() == 0);
    }
}

// Every kind of category is read in place. Which bytes a removal leaves is the fuzz target's; here a removal cut
// short loses nothing, and the bytes after the last category, which are the shell's, stay.
TEST(CustomDestinations, ReadsEveryKindAndARemovalCutShortLosesNothing) {
    std::vector<t_Category> categories{{.items = {1, 9, 4}},         {1, 1},        {1, 2}, {1, 7},
                                       {.type = 2, .items = {5, 0}}, {.items = {7}}};
    const t_Bytes trailing{std::byte{0x5A}, std::byte{0xA5}};
    t_MemoryByteStream stream(File(categories, trailing));
    t_FakeLoader loader;
    t_CustomDestinations file;
    file.Read(stream, loader);
    EXPECT_EQ(Describe(file), "cDocs 12-108 @26 30-51 51-80 80-104; f! 108-120 @0; r! 120-132 @0; r! 132-144 @0; "
                              "t 144-201 @148 152-177 177-197; cDocs 201-250 @215 219-246; ");
    using enum t_CustomCategoryKind;
    EXPECT_EQ(loader.kinds, (std::vector{custom, custom, custom, tasks, tasks, custom}));
    EXPECT_EQ(stream.ChangeCount(), 0u);

    // Failing at the write leaves the file as it was; failing at the cut leaves stale bytes after the last
    // category, which the next removal drops.
    for (const std::size_t writes : {0u, 1u}) {
        const t_Bytes before = stream.Bytes();
        stream.writesLeft = writes;
        EXPECT_EQ(ResultOf([&] { file.RemoveItems(stream, 0, 0, 2); }), static_cast<std::int32_t>(failureResult));
        EXPECT_TRUE(writes != 0 || stream.Bytes() == before);
        EXPECT_EQ(Reread(stream), Describe(file));
    }
    stream.writesLeft = ~std::size_t{0};
    file.RemoveItems(stream, 4, 0, 1);
    categories[0].items.erase(categories[0].items.begin(), categories[0].items.begin() + 2);
    categories[4].items.erase(categories[4].items.begin());
    EXPECT_EQ(stream.Bytes(), File(categories, trailing));
}
