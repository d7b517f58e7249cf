#include "system/memory_mapped_file.h"

#include <cstring>
#include <limits>
#include <stdexcept>

namespace n_zql::n_system::n_windows {

namespace {

constexpr wchar_t byteOrderMark = 0xFEFF;

[[noreturn]] void ThrowLastError() { ThrowWin32Error(GetLastError()); }

std::uint64_t AllocationGranularity() {
    SYSTEM_INFO info{};
    GetSystemInfo(&info);
    return info.dwAllocationGranularity;
}

} // namespace

const char* t_MemoryMappedFile::t_ErrorException::what() const noexcept {
    return "/zql/system/windows/memory_mapped_file/error exception";
}

t_MemoryMappedFile::t_MemoryMappedFile(const std::wstring& path, bool writable) : writable_(writable) {
    file_.Reset(CreateFileW(path.c_str(), GENERIC_READ | (writable ? GENERIC_WRITE : 0),
                            writable ? 0 : FILE_SHARE_READ, nullptr, writable ? OPEN_ALWAYS : OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file_) ThrowLastError();
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file_.Get(), &size)) ThrowLastError();
    size_ = static_cast<std::uint64_t>(size.QuadPart);
    OpenMapping();
}

t_MemoryMappedFile::~t_MemoryMappedFile() {
    if (viewBase_) UnmapViewOfFile(viewBase_);
}

void t_MemoryMappedFile::OpenMapping() {
    mapping_.Reset();
    if (size_ == 0) return; // a file mapping of an empty file cannot exist
    mapping_.Reset(CreateFileMappingW(file_.Get(), nullptr, writable_ ? PAGE_READWRITE : PAGE_READONLY, 0, 0, nullptr));
    if (!mapping_) ThrowLastError();
}

std::wstring t_MemoryMappedFile::ReadText() {
    if (size_ == 0) return {};
    if (size_ > std::numeric_limits<std::uint32_t>::max()) throw std::overflow_error("text file of 4 GiB or more");
    const std::byte* bytes = MapView(0, static_cast<std::size_t>(size_));
    wchar_t mark = 0;
    if (size_ >= sizeof mark) std::memcpy(&mark, bytes, sizeof mark);
    if (size_ % sizeof(wchar_t) != 0 || mark != byteOrderMark) {
        UnmapView();
        throw t_ErrorException(HResultFromWin32(ERROR_BAD_FILE_TYPE));
    }
    std::wstring text(static_cast<std::size_t>(size_ / sizeof(wchar_t)) - 1, L'\0');
    std::memcpy(text.data(), bytes + sizeof mark, text.size() * sizeof(wchar_t));
    UnmapView();
    return text;
}

void t_MemoryMappedFile::WriteText(std::wstring_view text) {
    if (text.empty()) {
        Resize(0);
        return;
    }
    if (text.size() >= std::numeric_limits<std::uint32_t>::max() / sizeof(wchar_t))
        throw std::overflow_error("text too long for one file");
    const std::size_t byteCount = (text.size() + 1) * sizeof(wchar_t);
    Resize(byteCount);
    std::byte* bytes = MapView(0, byteCount);
    std::memcpy(bytes, &byteOrderMark, sizeof byteOrderMark);
    std::memcpy(bytes + sizeof byteOrderMark, text.data(), text.size() * sizeof(wchar_t));
    if (!FlushViewOfFile(viewBase_, 0)) ThrowLastError();
    UnmapView();
    if (!FlushFileBuffers(file_.Get())) ThrowLastError();
}

void t_MemoryMappedFile::Resize(std::uint64_t size) {
    UnmapView();
    mapping_.Reset();
    LARGE_INTEGER position{};
    position.QuadPart = static_cast<LONGLONG>(size);
    if (!SetFilePointerEx(file_.Get(), position, nullptr, FILE_BEGIN) || !SetEndOfFile(file_.Get())) ThrowLastError();
    size_ = size;
    OpenMapping();
}

std::byte* t_MemoryMappedFile::MapView(std::uint64_t offset, std::size_t length) {
    if (length > std::numeric_limits<std::uint64_t>::max() - offset)
        throw std::overflow_error("view offset plus length overflows");
    if (offset + length > size_ || length == 0) throw t_ErrorException(HResultFromWin32(ERROR_ACCESS_DENIED));
    UnmapView();
    static const std::uint64_t granularity = AllocationGranularity();
    const std::uint64_t base = offset - offset % granularity;
    const std::uint64_t viewLength = offset + length - base;
    viewBase_ = MapViewOfFile(mapping_.Get(), writable_ ? FILE_MAP_WRITE : FILE_MAP_READ,
                              static_cast<DWORD>(base >> 32), static_cast<DWORD>(base & 0xFFFFFFFFu),
                              static_cast<SIZE_T>(viewLength));
    if (!viewBase_) ThrowLastError();
    viewData_ = static_cast<std::byte*>(viewBase_) + (offset - base);
    return viewData_;
}

void t_MemoryMappedFile::UnmapView() {
    if (!viewBase_) return;
    void* view = std::exchange(viewBase_, nullptr);
    viewData_ = nullptr;
    if (!UnmapViewOfFile(view)) ThrowLastError();
}

void t_MemoryMappedFile::Close() {
    UnmapView();
    if (mapping_ && !CloseHandle(mapping_.Release())) ThrowLastError();
    if (file_ && !CloseHandle(file_.Release())) ThrowLastError();
}

} // namespace n_zql::n_system::n_windows
