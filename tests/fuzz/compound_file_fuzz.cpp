// libFuzzer target for the look at a compound file's structure that comes before the platform's storage opens an
// automatic jump-list file. It must end, without reading out of bounds, on any bytes: its whole point is that a file
// whose chains loop cannot hold the program.

#include "jumplists/compound_file_check.h"

#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    n_ombrix::IsSoundCompoundFile(std::as_bytes(std::span(data, size)));
    return 0;
}
