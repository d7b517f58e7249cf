#pragma once
// An executor defined by the user: the typed text goes into the command-line template of its launch item, and the
// item's program is started through the shell.

#include "launch/executor.h"
#include "launch/launch_item.h"

namespace n_ombrix {

class t_CustomExecutor : public t_Executor {
public:
    // The item belongs to the configuration's list; the executor list is rebuilt whenever that list changes.
    explicit t_CustomExecutor(const t_LaunchItem& item) noexcept : item_(item) {}

    const std::wstring& Caption() const override { return item_.shortCaption; }
    const std::wstring& Description() const override { return item_.description; }
    const std::wstring& WorkingFolder() const override { return item_.workDir; }
    void Prepare(std::wstring&) const override {}
    bool Launch(const std::wstring& text, bool elevated) const override;

private:
    const t_LaunchItem& item_; // not owned
};

} // namespace n_ombrix
