#include "jumplists/compound_file_check.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

using n_ombrix::IsSoundCompoundFile;

namespace {

using t_Bytes = std::vector<std::byte>;

t_Bytes ReadJumpList(const char* name) {
    std::ifstream file(std::string(OMBRIX_SHARED_TESTDATA "/jumplists/") + name, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    t_Bytes bytes(text.size());
    std::memcpy(bytes.data(), text.data(), text.size());
    return bytes;
}

std::uint32_t Word(const t_Bytes& bytes, std::size_t offset) {
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}
void SetWord(t_Bytes& bytes, std::size_t offset, std::uint32_t value) {
    std::memcpy(bytes.data() + offset, &value, sizeof value);
}

// Offsets in a file of 512-byte sectors: an allocation-table entry, a directory entry.
std::size_t TableEntry(const t_Bytes& bytes, std::uint32_t sector) { return (Word(bytes, 0x4C) + 1) * 512 + 4 * sector; }
std::size_t DirectoryEntry(const t_Bytes& bytes, std::uint32_t entry) {
    return (Word(bytes, 0x30) + 1) * 512 + 128 * entry;
}

} // namespace

// Files the shell wrote pass; each way their structure can go round in circles or out of the file fails, as does
// what is not a whole compound file.
TEST(CompoundFileCheck, OnlyChainsThatEndAndADirectoryTreePass) {
    for (const char* name : {"win10-f01b4d95cf55d32a.automaticDestinations-ms",
                             "win7-1b4dd67f29cb1962.automaticDestinations-ms"}) {
        SCOPED_TRACE(name);
        const t_Bytes sound = ReadJumpList(name);
        ASSERT_GT(sound.size(), 1024u);
        EXPECT_TRUE(IsSoundCompoundFile(sound));
        const std::uint32_t directory = Word(sound, 0x30);
        const std::pair<const char*, std::function<void(t_Bytes&)>> damages[] = {
            {"directory chain onto itself", [&](t_Bytes& b) { SetWord(b, TableEntry(b, directory), directory); }},
            {"directory chain out of the file", [&](t_Bytes& b) { SetWord(b, TableEntry(b, directory), 0xFFFFF); }},
            {"every chain onto itself",
             [](t_Bytes& b) {
                 for (std::uint32_t sector = 0; sector < 128; ++sector) SetWord(b, TableEntry(b, sector), sector);
             }},
            {"root its own child", [](t_Bytes& b) { SetWord(b, DirectoryEntry(b, 0) + 0x4C, 0); }},
            {"sibling link past the directory", [](t_Bytes& b) { SetWord(b, DirectoryEntry(b, 1) + 0x44, 100'000); }},
            {"mini table chain out of the file", [](t_Bytes& b) { SetWord(b, 0x3C, 0xFFFFF); }},
            {"more table sectors than the file has", [](t_Bytes& b) { SetWord(b, 0x2C, 0xFFFFFF); }},
            {"sectors of 1 KB", [](t_Bytes& b) { b[0x1E] = std::byte{10}; }},
            {"header only", [](t_Bytes& b) { b.resize(512); }},
            {"half", [](t_Bytes& b) { b.resize(b.size() / 2); }},
            {"nothing", [](t_Bytes& b) { b.clear(); }},
        };
        for (const auto& [damage, apply] : damages) {
            t_Bytes bytes = sound;
            apply(bytes);
            EXPECT_FALSE(IsSoundCompoundFile(bytes)) << damage;
        }
    }
}
