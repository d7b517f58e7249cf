#include "memory_byte_stream.h"

#include <algorithm>

namespace n_ombrix {

namespace {

// Sizes beyond this are not kept in memory; they fail like a full disk would.
constexpr std::uint64_t largestSize = std::uint64_t{1} << 32;

[[noreturn]] void Fail() { n_zql::n_system::n_windows::n_com::ThrowHResult(failureResult); }

} // namespace

void t_MemoryByteStream::ReadAt(std::uint64_t offset, std::span<std::byte> bytes) {
    if (offset > bytes_.size() || bytes.size() > bytes_.size() - offset) Fail();
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), bytes.size(), bytes.begin());
}

void t_MemoryByteStream::WriteAt(std::uint64_t offset, std::span<const std::byte> bytes) {
    ++changeCount_;
    if (writesLeft-- == 0) Fail();
    if (offset > largestSize || bytes.size() > largestSize - offset) Fail();
    const std::uint64_t end = offset + bytes.size();
    if (end > bytes_.size()) bytes_.resize(static_cast<std::size_t>(end));
    std::copy(bytes.begin(), bytes.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(offset));
}

void t_MemoryByteStream::SetSize(std::uint64_t size) {
    ++changeCount_;
    if (writesLeft-- == 0) Fail();
    if (size > largestSize) Fail();
    bytes_.resize(static_cast<std::size_t>(size));
}

} // namespace n_ombrix
