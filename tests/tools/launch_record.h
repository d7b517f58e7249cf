#pragma once
// The other half of launch_recorder.exe: names the file it records into (through the environment, which launched
// programs inherit) and reads the record once the launch has happened.

#include "built_program.h"

#include <string>

namespace n_ombrix_test {

class t_LaunchRecord {
public:
    struct t_Entry {
        std::wstring parameters; // the command line after the (quoted or bare) program path and the blank that follows
        std::wstring folder;     // the working folder, ending in a backslash
    };

    // Records go to "record.txt" in the folder; the folder must exist.
    explicit t_LaunchRecord(const std::wstring& folder);
    t_LaunchRecord(const t_LaunchRecord&) = delete;
    t_LaunchRecord& operator=(const t_LaunchRecord&) = delete;
    ~t_LaunchRecord();

    // The record of the launch, removed once read so that the next launch is waited for afresh. When the recorder has
    // written none within ten seconds, the parameters say so and the folder is empty.
    t_Entry Wait() const;

    static std::wstring RecorderPath() { return BuiltProgramPath(L"launch_recorder.exe"); }

private:
    std::wstring path_;
};

} // namespace n_ombrix_test
