// Whole texts and views through file mappings, on real files.

#include "system/memory_mapped_file.h"

#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace n_zql::n_system::n_windows;
using namespace n_ombrix_test;
using namespace std::string_literals;

TEST(MemoryMappedFile, ATextIsWrittenWholeAsMarkAndUtf16AndReadBackExactlyAndAViewFromAnyOffset) {
    const t_ScratchFolder folder(L"mmf");
    const std::wstring path = folder / L"text.qln";
    // Quotes, line breaks, an embedded NUL and an unpaired surrogate all come back as they were.
    const std::wstring text = L"name=\"caf\u00E9\"\r\n\tnext"s + L'\0' + L"\xD800 end";
    t_MemoryMappedFile(path, true).WriteText(text);
    EXPECT_EQ(t_MemoryMappedFile(path, false).ReadText(), text);
    // A shorter text replaces the file whole: the mark, the text, no terminating NUL, nothing of the longer one.
    t_MemoryMappedFile(path, true).WriteText(L"xy");
    EXPECT_EQ(ReadFileBytes(path), "\xFF\xFEx\0y\0"s);
    // An empty text leaves an empty file; a file of only the mark is an empty text too.
    t_MemoryMappedFile(path, true).WriteText(L"");
    EXPECT_EQ(ReadFileBytes(path), "");
    WriteFileBytes(path, "\xFF\xFE");
    EXPECT_EQ(t_MemoryMappedFile(path, false).ReadText(), L"");
    // An odd length, a file too short for the mark, no mark, a big-endian mark: not our text.
    for (const std::string& bytes : {"\xFF\xFEx"s, "a"s, "a\0b\0"s, "\xFE\xFF\0a"s}) {
        WriteFileBytes(path, bytes);
        EXPECT_THROW(t_MemoryMappedFile(path, false).ReadText(), t_MemoryMappedFile::t_ErrorException) << bytes;
    }
    // Opening failures carry the Win32 error: a missing file, and a file a writer holds alone.
    const t_MemoryMappedFile writer(path, true);
    for (const auto& [opened, error] : {std::pair{folder / L"missing.qln", 0x80070002u}, {path, 0x80070020u}}) {
        try {
            t_MemoryMappedFile(opened, false);
            ADD_FAILURE() << "opened";
        } catch (const t_ErrorException& e) {
            EXPECT_EQ(static_cast<std::uint32_t>(e.Result()), error);
        }
    }

    std::string bytes(200'000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7 + i / 256);
    WriteFileBytes(folder / L"big.bin", bytes);
    t_MemoryMappedFile file(folder / L"big.bin", false);
    // An offset that is not a multiple of the allocation granularity (64 KiB) still gives the bytes from there; past
    // the end there is nothing (a view that ends at the end is every text read above).
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(file.MapView(70'001, 1000)), 1000), bytes.substr(70'001, 1000));
    EXPECT_THROW(file.MapView(bytes.size() - 10, 11), t_MemoryMappedFile::t_ErrorException);
    EXPECT_THROW(file.MapView(~std::uint64_t{0} - 5, 10), std::overflow_error);
}
