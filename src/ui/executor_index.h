#pragma once
// The index bar in command mode: the executors' short captions, one per cell from the pane's top, the chosen
// executor's cell highlighted. Clicks, the wheel and Ctrl+Tab choose; the pointer shows an executor's second text.
// Platform-neutral; the Windows side draws what Cells says.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace n_ombrix {

struct t_ExecutorCaptions {
    std::wstring shortCaption; // in the cell
    std::wstring secondText;   // in the tooltip
};

// One cell to draw: CellHeight() high from top, across the pane.
struct t_ExecutorCell {
    std::int32_t top = 0;
    std::wstring_view caption;
    bool chosen = false;
    friend constexpr bool operator==(const t_ExecutorCell&, const t_ExecutorCell&) = default;
};

class t_ExecutorIndex {
public:
    explicit t_ExecutorIndex(std::int32_t cellHeight) noexcept : cellHeight_(cellHeight) {}

    // The executors in their order; a chosen index past the last chooses the first.
    void Reset(std::vector<t_ExecutorCaptions> executors, std::size_t chosen);
    // Only the height matters: the cells span the pane's width.
    void Resize(std::int32_t height);

    // Choose the executor under the pointer; true when the choice changed.
    bool ClickAt(std::int32_t y);
    // Choose the executor so many places on, wrapping both ways (wheel notches, Ctrl+Tab, Ctrl+Shift+Tab); true
    // when the choice changed.
    bool Step(int by);
    std::optional<std::size_t> Chosen() const noexcept;
    // The second text of the executor under the pointer; nothing below the last, where the pane shows its own text.
    std::optional<std::wstring_view> TooltipAt(std::int32_t y) const;

    std::int32_t CellHeight() const noexcept { return cellHeight_; }
    // The cells from the pane's top down to its bottom.
    std::vector<t_ExecutorCell> Cells() const;

    bool NeedsPainting() const noexcept { return needsPainting_; }
    void MarkForRepaint() noexcept { needsPainting_ = true; }
    void Painted() noexcept { needsPainting_ = false; }

private:
    std::optional<std::size_t> ExecutorAt(std::int32_t y) const;
    bool Choose(std::size_t executor);

    std::int32_t cellHeight_;
    std::int32_t height_ = 0;
    std::vector<t_ExecutorCaptions> executors_;
    std::size_t chosen_ = 0; // meaningless without executors
    bool needsPainting_ = true;
};

} // namespace n_ombrix
