#include "launch_record.h"

#include "scratch_folder.h"
#include "system/module_file_name.h"
#include "system/path_text.h"

#include <windows.h>

#include <chrono>
#include <thread>

namespace n_ombrix_test {

t_LaunchRecord::t_LaunchRecord(const std::wstring& folder)
    : path_(n_zql::n_system::WithTrailingBackslash(folder) + L"record.txt") {
    SetEnvironmentVariableW(L"OMBRIX_LAUNCH_RECORD", path_.c_str());
}

t_LaunchRecord::~t_LaunchRecord() { SetEnvironmentVariableW(L"OMBRIX_LAUNCH_RECORD", nullptr); }

std::optional<t_LaunchRecord::t_Entry> t_LaunchRecord::Wait() const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        if (GetFileAttributesW(path_.c_str()) != INVALID_FILE_ATTRIBUTES) {
            const std::string bytes = ReadFileBytes(path_);
            const std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
            const std::size_t line = text.find(L'\n');
            if (line == std::wstring::npos) return t_Entry{text, L""};
            return t_Entry{text.substr(0, line), text.substr(line + 1)};
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return std::nullopt;
}

std::wstring t_LaunchRecord::RecorderPath() {
    return n_zql::n_system::FolderOfPath(n_zql::n_system::n_windows::ModuleFileName(nullptr)) + L"launch_recorder.exe";
}

std::wstring t_LaunchRecord::ParametersOf(const std::wstring& commandLine) {
    const std::size_t end = !commandLine.empty() && commandLine[0] == L'"' ? commandLine.find(L'"', 1) + 1
                                                                           : commandLine.find(L' ');
    return end == std::wstring::npos || end >= commandLine.size() ? L"" : commandLine.substr(end + 1);
}

} // namespace n_ombrix_test
