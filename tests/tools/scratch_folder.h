#pragma once
// A fresh, empty folder of its own under the temporary folder, removed with everything in it when the test ends; and
// whole files and folder links for tests.

#include "built_program.h"
#include "eventually.h"
#include "system/error_exception.h"

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>

namespace n_ombrix_test {

// Under Wine, the path as the Unix side names it, quoted; empty elsewhere.
inline std::wstring UnixPath(const std::wstring& path) {
    using t_UnixName = char*(CDECL*)(const wchar_t*);
    const auto unixName = reinterpret_cast<t_UnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    char* name = unixName ? unixName(path.c_str()) : nullptr;
    if (!name) return {};
    const std::string text = name;
    HeapFree(GetProcessHeap(), 0, name);
    return L"\"" + std::wstring(text.begin(), text.end()) + L"\"";
}

// Starts a Unix tool of /bin through Wine's Z: drive, then waits up to ten seconds for path to exist (or to be gone),
// as Wine's handle of a Unix process cannot be waited on. Whether it turned so.
inline bool RunUnixTool(const std::wstring& tool, const std::wstring& arguments, const std::wstring& path,
                        bool existing) {
    StartProcess(tool + L" " + arguments, L"Z:\\bin\\" + tool);
    return Eventually([&] { return (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) == existing; },
                      std::chrono::seconds(10));
}

// Removes a file or a folder tree; missing is fine.
inline void RemoveTree(const std::wstring& path) {
    const std::wstring plain = path.substr(0, path.find_last_not_of(L'\\') + 1);
    const DWORD attributes = GetFileAttributesW(plain.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        SetFileAttributesW(plain.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(plain.c_str());
    } else if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        std::error_code ignored;
        for (const auto& entry : std::filesystem::directory_iterator(plain, ignored))
            RemoveTree(entry.path().wstring());
        RemoveDirectoryW(plain.c_str());
    } else if (!RemoveDirectoryW(plain.c_str()) && !DeleteFileW(plain.c_str()) && !UnixPath(plain).empty()) {
        // A folder link: the link goes, not what it leads to. Wine removes a Unix link neither way; its own tool does.
        RunUnixTool(L"rm", UnixPath(plain), plain, false);
    }
}

class t_ScratchFolder {
public:
    // The process id keeps tests that CTest runs side by side (one process each) out of each other's folders.
    explicit t_ScratchFolder(std::wstring_view name) {
        const std::wstring leaf = L"ombrix-test-" + std::wstring(name) + L"-" + std::to_wstring(GetCurrentProcessId());
        path_ = (std::filesystem::temp_directory_path() / leaf).wstring() + L"\\";
        RemoveTree(path_);
        if (!CreateDirectoryW(path_.c_str(), nullptr)) n_zql::n_system::n_windows::ThrowWin32Error(GetLastError());
    }
    t_ScratchFolder(const t_ScratchFolder&) = delete;
    t_ScratchFolder& operator=(const t_ScratchFolder&) = delete;
    ~t_ScratchFolder() { RemoveTree(path_); }

    // The folder's path, ending in a backslash.
    const std::wstring& Path() const noexcept { return path_; }
    std::wstring operator/(std::wstring_view name) const { return path_ + std::wstring(name); }

private:
    std::wstring path_;
};

// Writes the bytes as a whole file, replacing it.
inline void WriteFileBytes(const std::wstring& path, std::string_view bytes) {
    std::ofstream file(std::filesystem::path(path), std::ios::binary);
    if (!file.write(bytes.data(), static_cast<std::streamsize>(bytes.size())).flush())
        throw std::runtime_error("WriteFileBytes: the file cannot be written");
}

// The bytes of a square 32-bpp bitmap file, every pixel 0x00RRGGBB: without alpha, it reads as opaque. Image files
// of any name, since the platform reads images by their bytes.
inline std::string OpaqueBitmapFileBytes(LONG side, std::uint32_t rgb) {
    const BITMAPINFOHEADER info{sizeof info, side, side, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    const BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(sizeof file + sizeof info + side * side * 4), 0, 0,
                                sizeof file + sizeof info};
    std::string bytes = std::string(reinterpret_cast<const char*>(&file), sizeof file) +
                        std::string(reinterpret_cast<const char*>(&info), sizeof info);
    for (LONG i = 0; i < side * side; ++i) bytes.append(reinterpret_cast<const char*>(&rgb), sizeof rgb);
    return bytes;
}

inline std::string ReadFileBytes(const std::wstring& path) {
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    if (!file) throw std::runtime_error("ReadFileBytes: the file cannot be read");
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Makes link a symbolic link to the folder target; false when this machine cannot.
inline bool MakeFolderLink(const std::wstring& link, const std::wstring& target) {
    if (CreateSymbolicLinkW(link.c_str(), target.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY) &&
        GetFileAttributesW(link.c_str()) != INVALID_FILE_ATTRIBUTES)
        return true;
    // Wine's CreateSymbolicLinkW reports success and makes nothing; there the Unix tool makes the link, which Wine
    // lists as a folder that is a reparse point, as Windows lists a folder link.
    return RunUnixTool(L"ln", L"-s " + UnixPath(target) + L" " + UnixPath(link), link, true);
}

} // namespace n_ombrix_test
