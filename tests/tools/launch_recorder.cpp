// A program for launch tests: it records how it was started (its whole command line, then its working folder, one
// per line, UTF-16LE) into the file named by the environment variable OMBRIX_LAUNCH_RECORD, and ends.

#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    wchar_t recordPath[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"OMBRIX_LAUNCH_RECORD", recordPath, MAX_PATH) == 0) return 2;
    wchar_t folder[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, folder);
    const std::wstring record = GetCommandLineW() + std::wstring(L"\n") + folder;
    // Written under another name and then moved, so that a test never reads half a record.
    const std::wstring partial = std::wstring(recordPath) + L".partial";
    HANDLE file =
        CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    const BOOL ok =
        WriteFile(file, record.data(), static_cast<DWORD>(record.size() * sizeof(wchar_t)), &written, nullptr);
    CloseHandle(file);
    return ok && MoveFileExW(partial.c_str(), recordPath, MOVEFILE_REPLACE_EXISTING) ? 0 : 3;
}
