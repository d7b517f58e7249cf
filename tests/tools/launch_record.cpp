#include "launch_record.h"

#include "scratch_folder.h"
#include "system/path_text.h"

#include <windows.h>

namespace n_ombrix_test {

using n_zql::n_system::WithTrailingBackslash;

t_LaunchRecord::t_LaunchRecord(const std::wstring& folder) : path_(WithTrailingBackslash(folder) + L"record.txt") {
    SetEnvironmentVariableW(L"OMBRIX_LAUNCH_RECORD", path_.c_str());
}

t_LaunchRecord::~t_LaunchRecord() { SetEnvironmentVariableW(L"OMBRIX_LAUNCH_RECORD", nullptr); }

t_LaunchRecord::t_Entry t_LaunchRecord::Wait() const {
    for (int tries = 0; GetFileAttributesW(path_.c_str()) == INVALID_FILE_ATTRIBUTES; ++tries) {
        if (tries == 500) return {L"(the recorder did not run)", L""};
        Sleep(20);
    }
    const std::string bytes = ReadFileBytes(path_);
    DeleteFileW(path_.c_str());
    // The whole command line, a line break, the working folder.
    const std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
    const std::wstring commandLine = text.substr(0, text.find(L'\n'));
    const std::size_t end = commandLine.starts_with(L'"') ? commandLine.find(L'"', 1) + 1 : commandLine.find(L' ');
    return {end < commandLine.size() ? commandLine.substr(end + 1) : L"",
            WithTrailingBackslash(text.substr(commandLine.size() + 1))};
}

} // namespace n_ombrix_test
