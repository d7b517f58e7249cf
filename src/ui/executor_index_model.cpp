#include "ui/executor_index_model.h"

#include "launch/default_launcher.h"
#include "ui/drawing.h"
#include "ui/widget_resources.h"

#include <algorithm>

namespace n_ombrix {

t_ExecutorIndexModel::t_ExecutorIndexModel(t_DefaultLauncher& launcher, const t_WidgetResources& resources)
    : launcher_(launcher), resources_(resources), index_(resources.Metrics().rowHeight) {
    Reset();
}

void t_ExecutorIndexModel::Reset() {
    std::vector<t_ExecutorCaptions> captions;
    const std::vector<const t_Executor*>& executors = launcher_.Executors();
    for (const t_Executor* executor : executors) captions.push_back({executor->Caption(), executor->Description()});
    const auto current = std::ranges::find(executors, &launcher_.CurrentExecutor());
    index_.Reset(std::move(captions), static_cast<std::size_t>(current - executors.begin()));
}

bool t_ExecutorIndexModel::Chose(bool changed) {
    if (!changed) return false;
    const std::optional<std::size_t> chosen = index_.Chosen();
    return chosen && launcher_.SelectExecutor(*launcher_.Executors()[*chosen]);
}

bool t_ExecutorIndexModel::Step(int by) { return Chose(index_.Step(by)); }

void t_ExecutorIndexModel::Resize(std::int32_t, std::int32_t height) { index_.Resize(height); }

bool t_ExecutorIndexModel::ClickAt(std::int32_t y) { return Chose(index_.ClickAt(y)); }

std::wstring t_ExecutorIndexModel::TooltipAt(std::int32_t y) const {
    const std::optional<std::wstring_view> text = index_.TooltipAt(y);
    return text ? std::wstring(*text) : std::wstring(resources_.String(202));
}

void t_ExecutorIndexModel::Paint(HDC dc, const RECT& client) {
    FillRect(dc, &client, resources_.Brush(t_BrushIndex::indexInactiveArea));
    const t_Color text = resources_.Color(t_ColorIndex::indexText);
    for (const t_ExecutorCell& cell : index_.Cells()) {
        const RECT rect{client.left, cell.top, client.right, cell.top + index_.CellHeight()};
        if (cell.chosen) FillRect(dc, &rect, resources_.Brush(t_BrushIndex::indexActiveArea));
        DrawTextIn(dc, resources_.Font20(), text, cell.caption, rect,
                   DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
    }
    index_.Painted();
}

} // namespace n_ombrix
