#pragma once
// Something that runs the text typed into the command box: the default executor (the shell) or a custom one (a
// program with a command-line template).

#include <string>

namespace n_ombrix {

class t_Executor {
public:
    virtual const std::wstring& Caption() const = 0;
    virtual const std::wstring& Description() const = 0;
    // The folder against which relative paths in typed text are completed.
    virtual const std::wstring& WorkingFolder() const = 0;
    // Normalises typed text in place before it is run.
    virtual void Prepare(std::wstring& text) const = 0;
    // Runs the text; true if the shell accepted the request.
    virtual bool Launch(const std::wstring& text, bool elevated) const = 0;

    virtual ~t_Executor() = default;

protected:
    t_Executor() = default;
    t_Executor(const t_Executor&) = default;
    t_Executor& operator=(const t_Executor&) = default;
};

} // namespace n_ombrix
