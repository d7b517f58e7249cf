#include "ui/executor_index.h"

#include <algorithm>
#include <utility>

namespace n_ombrix {

void t_ExecutorIndex::Reset(std::vector<t_ExecutorCaptions> executors, std::size_t chosen) {
    executors_ = std::move(executors);
    chosen_ = chosen < executors_.size() ? chosen : 0;
    needsPainting_ = true;
}

void t_ExecutorIndex::Resize(std::int32_t height) {
    height_ = std::max(height, 0);
    needsPainting_ = true;
}

std::optional<std::size_t> t_ExecutorIndex::ExecutorAt(std::int32_t y) const {
    if (cellHeight_ <= 0 || y < 0 || y >= height_) return std::nullopt;
    const auto executor = static_cast<std::size_t>(y / cellHeight_);
    if (executor >= executors_.size()) return std::nullopt;
    return executor;
}

bool t_ExecutorIndex::Choose(std::size_t executor) {
    if (std::exchange(chosen_, executor) == executor) return false;
    needsPainting_ = true;
    return true;
}

bool t_ExecutorIndex::ClickAt(std::int32_t y) {
    const std::optional<std::size_t> executor = ExecutorAt(y);
    return executor && Choose(*executor);
}

bool t_ExecutorIndex::Step(int by) {
    if (executors_.empty()) return false;
    const auto count = static_cast<std::int64_t>(executors_.size());
    const std::int64_t executor = (static_cast<std::int64_t>(chosen_) + by) % count;
    return Choose(static_cast<std::size_t>(executor < 0 ? executor + count : executor));
}

std::optional<std::size_t> t_ExecutorIndex::Chosen() const noexcept {
    if (executors_.empty()) return std::nullopt;
    return chosen_;
}

std::optional<std::wstring_view> t_ExecutorIndex::TooltipAt(std::int32_t y) const {
    const std::optional<std::size_t> executor = ExecutorAt(y);
    if (!executor) return std::nullopt;
    return executors_[*executor].secondText;
}

std::vector<t_ExecutorCell> t_ExecutorIndex::Cells() const {
    std::vector<t_ExecutorCell> cells;
    if (cellHeight_ <= 0) return cells;
    std::int32_t top = 0;
    for (std::size_t executor = 0; executor < executors_.size() && top < height_; ++executor, top += cellHeight_)
        cells.push_back({top, executors_[executor].shortCaption, executor == chosen_});
    return cells;
}

} // namespace n_ombrix
