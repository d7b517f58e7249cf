#pragma once
// A look at a compound file's structure before the platform's structured storage opens it. Some implementations
// (Wine's among them) follow sector chains and directory links without noticing a loop, so a file whose chain comes
// back on itself would hold the user-interface thread forever. Platform-neutral.

#include <cstddef>
#include <span>

namespace n_ombrix {

// Whether every sector chain (allocation table, mini allocation table, the allocation table's own list) ends, within
// the file, and the directory is a tree: no entry reached twice, every link within the directory. It says nothing
// of the streams' contents.
bool IsSoundCompoundFile(std::span<const std::byte> bytes);

} // namespace n_ombrix
