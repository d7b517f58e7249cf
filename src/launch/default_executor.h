#pragma once
// The executor behind the "SYS" entry of the executor selector: typed text goes to the shell as the Run dialog would
// send it, and a folder opens in Explorer.

#include "launch/command_line.h"
#include "launch/executor.h"

#include <string>

namespace n_ombrix {

class t_DefaultExecutor : public t_Executor {
public:
    // The working folder is the user's profile folder; a failing look-up throws the Windows error exception.
    t_DefaultExecutor();

    const std::wstring& Caption() const override { return caption_; }
    const std::wstring& Description() const override { return description_; }
    const std::wstring& WorkingFolder() const override { return workingFolder_; }
    // Drops leading white space; trailing blanks stay, they may belong to a parameter.
    void Prepare(std::wstring& text) const override;
    // Runs the request DefaultShellRequest gives, with no folder of its own: the program inherits the process's current
    // directory, which the launcher sets to the profile folder.
    bool Launch(const std::wstring& text, bool elevated) const override;

private:
    std::wstring caption_;
    std::wstring description_;
    std::wstring workingFolder_;
};

// What the default executor hands to the shell for the text: after environment expansion, an existing folder becomes
// an Explorer request (a relative one is joined to the working folder, which ends in a backslash); anything else is
// split into program and parameters. Folders are found relative to the process's current directory.
t_ShellRequest DefaultShellRequest(std::wstring text, const std::wstring& workingFolder);

} // namespace n_ombrix
