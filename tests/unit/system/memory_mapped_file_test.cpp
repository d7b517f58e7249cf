// Whole texts and views through file mappings, on real files.

#include "system/memory_mapped_file.h"

#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace n_zql::n_system::n_windows;
using namespace n_ombrix_test;

namespace {

// The result of the Windows error exception that the call throws; 0 when it throws none.
template <typename t_Call> std::uint32_t ErrorOf(t_Call&& call) {
    try {
        call();
    } catch (const t_ErrorException& e) {
        return static_cast<std::uint32_t>(e.Result());
    }
    return 0;
}

} // namespace

TEST(MemoryMappedFile, ATextIsWrittenWholeAsMarkAndUtf16AndReadBackExactly) {
    const t_ScratchFolder folder(L"mmf-text");
    const std::wstring path = folder / L"text.qln";
    // Quotes, line breaks, an embedded NUL and an unpaired surrogate all come back as they were.
    const std::wstring text = std::wstring(L"name=\"caf\u00E9\"\r\n\tnext") + L'\0' + L"\xD800 end";
    t_MemoryMappedFile(path, true).WriteText(text);
    EXPECT_EQ(t_MemoryMappedFile(path, false).ReadText(), text);
    // A shorter text replaces the file whole: the mark, the text, no terminating NUL, nothing of the longer one.
    t_MemoryMappedFile(path, true).WriteText(L"xy");
    EXPECT_EQ(ReadFileBytes(path), std::string("\xFF\xFEx\0y\0", 6));
    // An empty text leaves an empty file; a file of only the mark reads as empty too.
    t_MemoryMappedFile(path, true).WriteText(L"");
    EXPECT_EQ(ReadFileBytes(path), "");
    WriteFileBytes(path, "\xFF\xFE");
    EXPECT_EQ(t_MemoryMappedFile(path, false).ReadText(), L"");
    // An odd length, a file too short for the mark, no mark, a big-endian mark: not our text.
    for (const std::string& bytes :
         {std::string("\xFF\xFEx"), std::string("a"), std::string("a\0b\0", 4), std::string("\xFE\xFF\0a", 4)}) {
        WriteFileBytes(path, bytes);
        EXPECT_EQ(ErrorOf([&] { t_MemoryMappedFile(path, false).ReadText(); }), 0x800700DEu); // ERROR_BAD_FILE_TYPE
    }
}

TEST(MemoryMappedFile, OpeningFailuresCarryTheWin32ErrorAndAWriterHoldsTheFileAlone) {
    const t_ScratchFolder folder(L"mmf-open");
    EXPECT_EQ(ErrorOf([&] { t_MemoryMappedFile(folder / L"missing.qln", false); }), 0x80070002u);
    const t_MemoryMappedFile writer(folder / L"busy.qln", true);
    EXPECT_EQ(ErrorOf([&] { t_MemoryMappedFile(folder / L"busy.qln", false); }), 0x80070020u); // sharing violation
}

TEST(MemoryMappedFile, AViewGivesTheBytesFromAnyOffsetAndNothingPastTheEnd) {
    const t_ScratchFolder folder(L"mmf-views");
    std::string bytes(200'000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7 + i / 256);
    WriteFileBytes(folder / L"big.bin", bytes);
    t_MemoryMappedFile file(folder / L"big.bin", false);
    EXPECT_EQ(file.Size(), bytes.size());
    // An offset that is not a multiple of the allocation granularity (64 KiB) still gives the bytes from there.
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(file.MapView(70'001, 1000)), 1000), bytes.substr(70'001, 1000));
    EXPECT_EQ(static_cast<char>(*file.MapView(bytes.size() - 1, 1)), bytes.back());
    EXPECT_EQ(ErrorOf([&] { file.MapView(bytes.size() - 10, 11); }), 0x80070005u); // ERROR_ACCESS_DENIED
    EXPECT_THROW(file.MapView(~std::uint64_t{0} - 5, 10), std::overflow_error);
    file.Close();
}
