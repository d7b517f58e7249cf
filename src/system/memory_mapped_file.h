#pragma once
// Whole-file access through a file mapping: the configuration and history files are read and written as one
// UTF-16LE text with a byte-order mark, and larger files can be looked at through views.

#include "system/error_exception.h"
#include "system/unique_handle.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace n_zql::n_system::n_windows {

class t_MemoryMappedFile {
public:
    // Invalid file contents (odd length, no byte-order mark) and view requests outside the file.
    class t_ErrorException : public n_windows::t_ErrorException {
    public:
        using n_windows::t_ErrorException::t_ErrorException;
        const char* what() const noexcept override;
    };

    // Opens an existing file for reading (others may read too), or opens or creates one for writing (exclusive).
    t_MemoryMappedFile(const std::wstring& path, bool writable);
    t_MemoryMappedFile(const t_MemoryMappedFile&) = delete;
    t_MemoryMappedFile& operator=(const t_MemoryMappedFile&) = delete;
    // Closes without reporting failures; call Close() to have them thrown.
    ~t_MemoryMappedFile();

    std::uint64_t Size() const noexcept { return size_; }

    // The file as text: empty for an empty file or one that holds only the byte-order mark. Throws t_ErrorException
    // (ERROR_BAD_FILE_TYPE) for an odd length or a missing mark, std::overflow_error for 4 GiB or more.
    std::wstring ReadText();

    // Replaces the whole file with the mark and the text (no terminating NUL), flushed to disk; an empty text leaves
    // an empty file.
    void WriteText(std::wstring_view text);

    // Maps length bytes from offset (any offset; the view itself starts at the allocation granularity below it) and
    // returns their address, valid until the next MapView, UnmapView or Close. Throws t_ErrorException
    // (ERROR_ACCESS_DENIED) for a range outside the file and std::overflow_error when offset + length overflows.
    std::byte* MapView(std::uint64_t offset, std::size_t length);
    void UnmapView();

    // Unmaps the view and closes both handles; a failing platform call throws n_windows::t_ErrorException.
    void Close();

private:
    void OpenMapping();
    void Resize(std::uint64_t size);

    t_FileHandle file_;
    t_Handle mapping_; // absent while the file is empty
    std::uint64_t size_ = 0;
    bool writable_;
    void* viewBase_ = nullptr; // owned: the current view, unmapped by UnmapView
    std::byte* viewData_ = nullptr;
};

} // namespace n_zql::n_system::n_windows
