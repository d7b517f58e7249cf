#include "scratch_folder.h"

#include "system/error_exception.h"
#include "system/unique_handle.h"

#include <windows.h>

#include <stdexcept>

namespace n_ombrix_test {

using namespace n_zql::n_system::n_windows;

namespace {

std::wstring TemporaryFolder() {
    wchar_t buffer[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
    if (length == 0 || length > MAX_PATH) ThrowWin32Error(GetLastError());
    return std::wstring(buffer, length);
}

// Under Wine, the path as the Unix side names it, quoted; empty elsewhere.
std::wstring UnixPath(const std::wstring& path) {
    using t_UnixName = char*(CDECL*)(const wchar_t*);
    const auto unixName = reinterpret_cast<t_UnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    char* name = unixName ? unixName(path.c_str()) : nullptr;
    if (!name) return {};
    const std::string text = name;
    HeapFree(GetProcessHeap(), 0, name);
    return L"\"" + std::wstring(text.begin(), text.end()) + L"\"";
}

// Starts a Unix tool of /bin through Wine's Z: drive. Wine's handle of a Unix process cannot be waited on, so
// callers wait for what the tool does.
void RunUnixTool(const std::wstring& tool, std::wstring arguments) {
    std::wstring commandLine = tool + L" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (CreateProcessW((L"Z:\\bin\\" + tool).c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &process)) {
        const t_Handle processHandle(process.hProcess), threadHandle(process.hThread);
    }
}

// Waits up to ten seconds for the path to exist (or to be gone); whether it does.
bool PathTurns(const std::wstring& path, bool existing) {
    for (int tries = 0; tries < 500; ++tries) {
        if ((GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) == existing) return true;
        Sleep(20);
    }
    return false;
}

} // namespace

t_ScratchFolder::t_ScratchFolder(std::wstring_view name)
    // The process id keeps tests that CTest runs side by side (one process each) out of each other's folders.
    : path_(TemporaryFolder() + L"ombrix-test-" + std::wstring(name) + L"-" + std::to_wstring(GetCurrentProcessId()) +
            L"\\") {
    RemoveTree(path_);
    if (!CreateDirectoryW(path_.c_str(), nullptr)) ThrowWin32Error(GetLastError());
}

t_ScratchFolder::~t_ScratchFolder() { RemoveTree(path_); }

void RemoveTree(const std::wstring& path) {
    std::wstring plain = path;
    while (!plain.empty() && plain.back() == L'\\') plain.pop_back();
    const DWORD attributes = GetFileAttributesW(plain.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        SetFileAttributesW(plain.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(plain.c_str());
        return;
    }
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) { // a folder link: the link goes, not what it leads to
        // Wine removes a Unix link neither way; its own tool does.
        if (!RemoveDirectoryW(plain.c_str()) && !DeleteFileW(plain.c_str()) && !UnixPath(plain).empty()) {
            RunUnixTool(L"rm", UnixPath(plain));
            PathTurns(plain, false);
        }
        return;
    }
    WIN32_FIND_DATAW entry;
    t_FindHandle find(FindFirstFileW((plain + L"\\*").c_str(), &entry));
    if (find) {
        do {
            const std::wstring name = entry.cFileName;
            if (name != L"." && name != L"..") RemoveTree(plain + L"\\" + name);
        } while (FindNextFileW(find.Get(), &entry));
    }
    find.Reset();
    RemoveDirectoryW(plain.c_str());
}

void WriteFileBytes(const std::wstring& path, std::string_view bytes) {
    t_FileHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) ThrowWin32Error(GetLastError());
    DWORD written = 0;
    if (!WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size())
        ThrowWin32Error(GetLastError());
}

std::string ReadFileBytes(const std::wstring& path) {
    t_FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) ThrowWin32Error(GetLastError());
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size)) ThrowWin32Error(GetLastError());
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() && !ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
        ThrowWin32Error(GetLastError());
    bytes.resize(read);
    return bytes;
}

bool MakeFolderLink(const std::wstring& link, const std::wstring& target) {
    if (CreateSymbolicLinkW(link.c_str(), target.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY) &&
        GetFileAttributesW(link.c_str()) != INVALID_FILE_ATTRIBUTES)
        return true;
    // Wine's CreateSymbolicLinkW reports success and makes nothing; there the Unix tool makes the link, which Wine
    // lists as a folder that is a reparse point, as Windows lists a folder link.
    RunUnixTool(L"ln", L"-s " + UnixPath(target) + L" " + UnixPath(link));
    return PathTurns(link, true);
}

} // namespace n_ombrix_test
