#pragma once
// A byte stream over memory, for the jump-list tests and fuzzers: reads past the end fail as a short read does, writes
// past the end grow it. It counts the calls that change it, so that callers can check that nothing was written, and
// can be made to fail after a number of them, as a full disk or a lost volume would.

#include "jumplists/byte_stream.h"

#include <vector>

namespace n_ombrix {

class t_MemoryByteStream : public t_ByteStream {
public:
    t_MemoryByteStream() = default;
    explicit t_MemoryByteStream(std::vector<std::byte> bytes) : bytes_(std::move(bytes)) {}

    void ReadAt(std::uint64_t offset, std::span<std::byte> bytes) override;
    void WriteAt(std::uint64_t offset, std::span<const std::byte> bytes) override;
    void SetSize(std::uint64_t size) override;
    std::uint64_t Size() override { return bytes_.size(); }

    const std::vector<std::byte>& Bytes() const noexcept { return bytes_; }
    // WriteAt and SetSize calls so far, whether or not they changed a byte.
    std::size_t ChangeCount() const noexcept { return changeCount_; }
    // WriteAt and SetSize calls that still succeed; each one after them throws E_FAIL and changes nothing.
    std::size_t writesLeft = ~std::size_t{0};

private:
    std::vector<std::byte> bytes_;
    std::size_t changeCount_ = 0;
};

} // namespace n_ombrix
