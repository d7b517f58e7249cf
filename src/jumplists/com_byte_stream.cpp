#include "jumplists/com_byte_stream.h"

#include <limits>

namespace n_ombrix {

using namespace n_zql::n_system::n_windows;

namespace {

// One COM call moves at most this much; longer spans go in pieces.
constexpr std::size_t largestTransfer = std::numeric_limits<ULONG>::max();

} // namespace

void t_ComByteStream::SeekTo(std::uint64_t offset) {
    LARGE_INTEGER position{};
    position.QuadPart = static_cast<LONGLONG>(offset);
    n_com::ThrowIfFailed(stream_->Seek(position, STREAM_SEEK_SET, nullptr));
}

void t_ComByteStream::ReadAt(std::uint64_t offset, std::span<std::byte> bytes) {
    SeekTo(offset);
    while (!bytes.empty()) {
        const auto wanted = static_cast<ULONG>(std::min(bytes.size(), largestTransfer));
        ULONG read = 0;
        n_com::ThrowIfFailed(stream_->Read(bytes.data(), wanted, &read));
        if (read != wanted) n_com::ThrowHResult(failureResult);
        bytes = bytes.subspan(read);
    }
}

void t_ComByteStream::WriteAt(std::uint64_t offset, std::span<const std::byte> bytes) {
    SeekTo(offset);
    while (!bytes.empty()) {
        const auto wanted = static_cast<ULONG>(std::min(bytes.size(), largestTransfer));
        ULONG written = 0;
        n_com::ThrowIfFailed(stream_->Write(bytes.data(), wanted, &written));
        if (written != wanted) n_com::ThrowHResult(failureResult);
        bytes = bytes.subspan(written);
    }
}

void t_ComByteStream::SetSize(std::uint64_t size) {
    ULARGE_INTEGER newSize{};
    newSize.QuadPart = size;
    n_com::ThrowIfFailed(stream_->SetSize(newSize));
}

std::uint64_t t_ComByteStream::Size() {
    STATSTG status{};
    n_com::ThrowIfFailed(stream_->Stat(&status, STATFLAG_NONAME));
    return status.cbSize.QuadPart;
}

} // namespace n_ombrix
