#pragma once
// The other half of launch_recorder.exe: names the file it records into (through the environment, which launched
// programs inherit) and reads the record once the launch has happened.

#include <optional>
#include <string>

namespace n_ombrix_test {

class t_LaunchRecord {
public:
    struct t_Entry {
        std::wstring commandLine; // as the recorder got it, program path included
        std::wstring folder;      // its working folder, without a trailing backslash
    };

    // Records go to "record.txt" in the folder; the folder must exist.
    explicit t_LaunchRecord(const std::wstring& folder);
    t_LaunchRecord(const t_LaunchRecord&) = delete;
    t_LaunchRecord& operator=(const t_LaunchRecord&) = delete;
    ~t_LaunchRecord();

    // The record of the launch, or nothing if the recorder has not written one within ten seconds.
    std::optional<t_Entry> Wait() const;

    // launch_recorder.exe beside the test program.
    static std::wstring RecorderPath();
    // A command line without its (quoted or bare) program path and the blank after it.
    static std::wstring ParametersOf(const std::wstring& commandLine);

private:
    std::wstring path_;
};

} // namespace n_ombrix_test
