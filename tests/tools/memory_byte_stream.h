#pragma once
// A byte stream over memory, for the jump-list tests and fuzzers: reads past the end fail as a short read does, writes
// past the end grow it. It counts the calls that change it, so that callers can check that nothing was written, and
// can be made to fail after a number of them, as a full disk or a lost volume would.

#include "jumplists/byte_stream.h"

#include <algorithm>
#include <vector>

namespace n_ombrix {

class t_MemoryByteStream : public t_ByteStream {
public:
    t_MemoryByteStream() = default;
    explicit t_MemoryByteStream(std::vector<std::byte> bytes) : bytes_(std::move(bytes)) {}

    void ReadAt(std::uint64_t offset, std::span<std::byte> bytes) override {
        if (offset > bytes_.size() || bytes.size() > bytes_.size() - offset) Fail();
        std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), bytes.size(), bytes.begin());
    }
    void WriteAt(std::uint64_t offset, std::span<const std::byte> bytes) override {
        Change(offset, bytes.size());
        if (offset + bytes.size() > bytes_.size()) bytes_.resize(static_cast<std::size_t>(offset + bytes.size()));
        std::copy(bytes.begin(), bytes.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(offset));
    }
    void SetSize(std::uint64_t size) override {
        Change(size, 0);
        bytes_.resize(static_cast<std::size_t>(size));
    }
    std::uint64_t Size() override { return bytes_.size(); }

    const std::vector<std::byte>& Bytes() const noexcept { return bytes_; }
    // WriteAt and SetSize calls so far, whether or not they changed a byte.
    std::size_t ChangeCount() const noexcept { return changeCount_; }
    // WriteAt and SetSize calls that still succeed. The one after them throws E_FAIL and changes nothing; the count
    // then wraps round, so later calls succeed again, as after a passing fault.
    std::size_t writesLeft = ~std::size_t{0};

private:
    // Sizes beyond this are not kept in memory; they fail like a full disk would.
    static constexpr std::uint64_t largestSize = std::uint64_t{1} << 32;

    [[noreturn]] static void Fail() { n_zql::n_system::n_windows::n_com::ThrowHResult(failureResult); }
    // Counts a call that changes the bytes from offset on, and fails it past writesLeft or past the largest size.
    void Change(std::uint64_t offset, std::uint64_t length) {
        ++changeCount_;
        if (writesLeft-- == 0 || offset > largestSize || length > largestSize - offset) Fail();
    }

    std::vector<std::byte> bytes_;
    std::size_t changeCount_ = 0;
};

} // namespace n_ombrix
