#pragma once
// The index pane in the application mode: the item list's first letters with the band over the rows on screen.
// A letter chosen by click or wheel scrolls the list to its first row.

#include "ui/index_model.h"

namespace n_ombrix {

class t_ApplicationListModel;
class t_WidgetResources;

class t_LetterIndexModel final : public t_IndexModel {
public:
    // The list (which owns the index's rules) and the resources outlive the model.
    t_LetterIndexModel(t_ApplicationListModel& list, const t_WidgetResources& resources) noexcept
        : list_(list), resources_(resources) {}

    void Resize(std::int32_t width, std::int32_t height) override;
    bool ClickAt(std::int32_t y) override;
    bool Wheel(int notches) override;
    bool DragBy(std::int32_t dy) override;
    std::wstring TooltipAt(std::int32_t y) const override;
    void Paint(HDC dc, const RECT& client) override;

private:
    t_ApplicationListModel& list_;
    const t_WidgetResources& resources_;
};

} // namespace n_ombrix
