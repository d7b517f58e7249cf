#pragma once
// The other half of launch_recorder.exe: names the file it records into (through the environment, which launched
// programs inherit) and reads the record once the launch has happened.

#include "built_program.h"
#include "scratch_folder.h"
#include "system/path_text.h"

#include <windows.h>

#include <string>

namespace n_ombrix_test {

class t_LaunchRecord {
public:
    struct t_Entry {
        std::wstring parameters; // the command line after the (quoted or bare) program path and the blank that follows
        std::wstring folder;     // the working folder, ending in a backslash
    };

    // Records go to "record.txt" in the folder; the folder must exist.
    explicit t_LaunchRecord(const std::wstring& folder)
        : path_(n_zql::n_system::WithTrailingBackslash(folder) + L"record.txt") {
        SetEnvironmentVariableW(L"OMBRIX_LAUNCH_RECORD", path_.c_str());
    }
    t_LaunchRecord(const t_LaunchRecord&) = delete;
    t_LaunchRecord& operator=(const t_LaunchRecord&) = delete;
    ~t_LaunchRecord() { SetEnvironmentVariableW(L"OMBRIX_LAUNCH_RECORD", nullptr); }

    // The record of the launch, removed once read so that the next launch is waited for afresh. When the recorder has
    // written none within ten seconds, the parameters say so and the folder is empty.
    t_Entry Wait() const {
        const auto recorded = [&] { return GetFileAttributesW(path_.c_str()) != INVALID_FILE_ATTRIBUTES; };
        if (!Eventually(recorded, std::chrono::seconds(10))) return {L"(the recorder did not run)", L""};
        const std::string bytes = ReadFileBytes(path_);
        DeleteFileW(path_.c_str());
        // The whole command line, a line break, the working folder.
        const std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
        const std::wstring commandLine = text.substr(0, text.find(L'\n'));
        const std::size_t end = commandLine.starts_with(L'"') ? commandLine.find(L'"', 1) + 1 : commandLine.find(L' ');
        return {end < commandLine.size() ? commandLine.substr(end + 1) : L"",
                n_zql::n_system::WithTrailingBackslash(text.substr(commandLine.size() + 1))};
    }

    static std::wstring RecorderPath() { return BuiltProgramPath(L"launch_recorder.exe"); }

private:
    std::wstring path_;
};

} // namespace n_ombrix_test
