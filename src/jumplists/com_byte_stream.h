#pragma once
// The jump-list file code's byte stream over a COM stream (a compound file's stream).

#include "jumplists/byte_stream.h"
#include "system/com_ptr.h"

#include <objidl.h>

namespace n_ombrix {

class t_ComByteStream final : public t_ByteStream {
public:
    explicit t_ComByteStream(IStream* stream) noexcept : stream_(stream) {}

    void ReadAt(std::uint64_t offset, std::span<std::byte> bytes) override;
    void WriteAt(std::uint64_t offset, std::span<const std::byte> bytes) override;
    void SetSize(std::uint64_t size) override;
    std::uint64_t Size() override;

private:
    void SeekTo(std::uint64_t offset);

    IStream* stream_; // not owned
};

} // namespace n_ombrix
