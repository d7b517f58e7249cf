#include "system/memory_mapped_file.h"

#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace n_zql::n_system::n_windows;
using n_ombrix_test::ReadFileBytes;
using n_ombrix_test::t_ScratchFolder;
using n_ombrix_test::WriteFileBytes;

namespace {

std::uint32_t ResultOf(const t_ErrorException& e) { return static_cast<std::uint32_t>(e.Result()); }

std::wstring ReadText(const std::wstring& path) { return t_MemoryMappedFile(path, false).ReadText(); }

void WriteText(const std::wstring& path, std::wstring_view text) {
    t_MemoryMappedFile file(path, true);
    file.WriteText(text);
    file.Close();
}

// The error a read of these bytes throws, as a memory-mapped-file error.
std::uint32_t BadContentsError(const t_ScratchFolder& folder, std::string_view bytes) {
    const std::wstring path = folder / L"bad.qln";
    WriteFileBytes(path, bytes);
    try {
        ReadText(path);
    } catch (const t_MemoryMappedFile::t_ErrorException& e) {
        return ResultOf(e);
    }
    return 0;
}

} // namespace

TEST(MemoryMappedFile, TextRoundTripIsExactAndTheBytesAreMarkPlusUtf16) {
    const t_ScratchFolder folder(L"mmf-round-trip");
    const std::wstring path = folder / L"text.qln";
    // Quotes, line breaks, an embedded NUL and an unpaired surrogate all come back as they were.
    const std::wstring text = std::wstring(L"name=\"caf\u00E9\"\r\n\tnext") + L'\0' + L"\xD800 end";
    WriteText(path, text);
    EXPECT_EQ(ReadText(path), text);

    const std::string bytes = ReadFileBytes(path);
    ASSERT_EQ(bytes.size(), 2 * (text.size() + 1)); // the mark, the text, no terminating NUL
    EXPECT_EQ(bytes.substr(0, 4), std::string("\xFF\xFE"
                                              "n\0",
                                              4));

    // A shorter text replaces the file whole: nothing of the longer one is left behind.
    WriteText(path, L"ab");
    EXPECT_EQ(ReadFileBytes(path), std::string("\xFF\xFE"
                                               "a\0b\0",
                                               6));
    // An empty text leaves a 0-byte file; a file of only the mark reads as empty too.
    WriteText(path, L"");
    EXPECT_EQ(ReadFileBytes(path).size(), 0u);
    EXPECT_EQ(ReadText(path), L"");
    WriteFileBytes(path, "\xFF\xFE");
    EXPECT_EQ(ReadText(path), L"");
}

TEST(MemoryMappedFile, DamagedContentsThrowBadFileType) {
    const t_ScratchFolder folder(L"mmf-damaged");
    EXPECT_EQ(BadContentsError(folder, "\xFF\xFE"
                                       "a"),
              0x800700DEu);                                                          // 3 bytes: odd length
    EXPECT_EQ(BadContentsError(folder, "a"), 0x800700DEu);                           // too short for a mark
    EXPECT_EQ(BadContentsError(folder, std::string("a\0b\0", 4)), 0x800700DEu);      // even, but no mark
    EXPECT_EQ(BadContentsError(folder, std::string("\xFE\xFF\0a", 4)), 0x800700DEu); // big-endian mark
}

TEST(MemoryMappedFile, OpeningFailuresCarryTheWin32Error) {
    const t_ScratchFolder folder(L"mmf-open");
    try {
        t_MemoryMappedFile(folder / L"missing.qln", false);
        FAIL() << "a missing file opened for reading";
    } catch (const t_ErrorException& e) {
        EXPECT_EQ(ResultOf(e), 0x80070002u);
    }
    // Writing holds the file exclusively: nobody reads a half-written text.
    t_MemoryMappedFile writer(folder / L"busy.qln", true);
    try {
        t_MemoryMappedFile(folder / L"busy.qln", false);
        FAIL() << "a file being written opened for reading";
    } catch (const t_ErrorException& e) {
        EXPECT_EQ(ResultOf(e), 0x80070020u); // ERROR_SHARING_VIOLATION
    }
}

TEST(MemoryMappedFile, ViewsAtAnyOffsetAndRangeChecks) {
    const t_ScratchFolder folder(L"mmf-views");
    const std::wstring path = folder / L"big.bin";
    std::string bytes(200'000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7 + i / 256);
    WriteFileBytes(path, bytes);

    t_MemoryMappedFile file(path, false);
    EXPECT_EQ(file.Size(), bytes.size());
    // An offset that is not a multiple of the allocation granularity (64 KiB) still gives the bytes from there.
    const std::byte* view = file.MapView(70'001, 1000);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(view), 1000), bytes.substr(70'001, 1000));
    view = file.MapView(bytes.size() - 1, 1);
    EXPECT_EQ(static_cast<char>(*view), bytes.back());

    try {
        file.MapView(bytes.size() - 10, 11);
        FAIL() << "a view past the end was mapped";
    } catch (const t_MemoryMappedFile::t_ErrorException& e) {
        EXPECT_EQ(ResultOf(e), 0x80070005u);
    }
    EXPECT_THROW(file.MapView(~std::uint64_t{0} - 5, 10), std::overflow_error);
    file.Close();
}
