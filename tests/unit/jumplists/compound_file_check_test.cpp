#include "jumplists/compound_file_check.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>

namespace {

bool Sound(const std::string& bytes) { return n_ombrix::IsSoundCompoundFile(std::as_bytes(std::span(bytes))); }

std::uint32_t Word(const std::string& bytes, std::size_t offset) {
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

} // namespace

// Files the shell wrote pass; each way their structure can go round in circles or out of the file fails, as does
// what is not a whole compound file.
TEST(CompoundFileCheck, OnlyChainsThatEndAndADirectoryTreePass) {
    for (const char* name : {"win10-f01b4d95cf55d32a.automaticDestinations-ms",
                             "win7-1b4dd67f29cb1962.automaticDestinations-ms"}) {
        SCOPED_TRACE(name);
        std::ifstream file(std::string(OMBRIX_SHARED_TESTDATA "/jumplists/") + name, std::ios::binary);
        const std::string sound{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        ASSERT_TRUE(sound.size() > 1024 && Sound(sound));
        // In 512-byte sectors: the allocation table's entry for the directory's first sector, the root entry.
        const std::uint32_t directory = Word(sound, 0x30);
        const std::size_t directoryLink = (Word(sound, 0x4C) + 1) * 512 + 4 * directory, root = (directory + 1) * 512;
        const std::tuple<const char*, std::size_t, std::uint32_t> damages[] = {
            {"directory chain onto itself", directoryLink, directory},
            {"directory chain out of the file", directoryLink, 0xFFFFF},
            {"root its own child", root + 0x4C, 0},
            {"sibling link past the directory", root + 128 + 0x44, 100'000},
            {"mini table chain out of the file", 0x3C, 0xFFFFF},
            {"more table sectors than the file has", 0x2C, 0xFFFFFF}};
        for (const auto& [damage, offset, word] : damages) {
            std::string bytes = sound;
            std::memcpy(bytes.data() + offset, &word, sizeof word);
            EXPECT_FALSE(Sound(bytes)) << damage;
        }
        for (const std::size_t size : {sound.size() / 2, std::size_t{512}, std::size_t{0}})
            EXPECT_FALSE(Sound(sound.substr(0, size))) << size << " bytes";
    }
}
