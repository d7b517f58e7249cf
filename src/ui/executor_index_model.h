#pragma once
// The index pane in the command mode: the launcher's executors by their captions, the current one marked. A click
// or the wheel chooses another; the popup then refills the command list with the chosen executor's history.

#include "ui/executor_index.h"
#include "ui/index_model.h"

namespace n_ombrix {

class t_DefaultLauncher;
class t_WidgetResources;

class t_ExecutorIndexModel final : public t_IndexModel {
public:
    // The launcher and the resources outlive the model.
    t_ExecutorIndexModel(t_DefaultLauncher& launcher, const t_WidgetResources& resources);

    // After the launcher's executors or the current one changed.
    void Reset();
    // Ctrl+Tab and Ctrl+Shift+Tab; returns whether the executor changed.
    bool Step(int by);

    void Resize(std::int32_t width, std::int32_t height) override;
    bool ClickAt(std::int32_t y) override;
    bool Wheel(int notches) override { return Step(-notches); }
    bool DragBy(std::int32_t) override { return false; }
    std::wstring TooltipAt(std::int32_t y) const override;
    void Paint(HDC dc, const RECT& client) override;

private:
    // Makes the launcher follow the index's choice.
    bool Chose(bool changed);

    t_DefaultLauncher& launcher_;
    const t_WidgetResources& resources_;
    t_ExecutorIndex index_;
};

} // namespace n_ombrix
