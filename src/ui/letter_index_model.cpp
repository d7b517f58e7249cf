#include "ui/letter_index_model.h"

#include "ui/application_list_model.h"
#include "ui/drawing.h"
#include "ui/widget_resources.h"

namespace n_ombrix {

void t_LetterIndexModel::Resize(std::int32_t width, std::int32_t height) { list_.Index().Resize(width, height); }

bool t_LetterIndexModel::ClickAt(std::int32_t y) {
    const std::optional<std::size_t> row = list_.Index().ClickAt(y);
    if (row) list_.ShowRow(*row);
    return row.has_value();
}

bool t_LetterIndexModel::Wheel(int notches) {
    const std::vector<t_VisibleRow>& visible = list_.Rows().VisibleRows();
    if (visible.empty()) return false;
    // The letter of the row at the list's top: the first one whole on screen, else the cut one.
    const t_VisibleRow& top = visible.front().top < 0 && visible.size() > 1 ? visible[1] : visible.front();
    const std::optional<std::size_t> row = list_.Index().Wheel(notches, top.row);
    if (row) list_.ShowRow(*row);
    return row.has_value();
}

bool t_LetterIndexModel::DragBy(std::int32_t dy) { return list_.Index().DragBy(dy); }

std::wstring t_LetterIndexModel::TooltipAt(std::int32_t) const { return resources_.String(201); }

void t_LetterIndexModel::Paint(HDC dc, const RECT& client) {
    t_AlphabeticalIndex& index = list_.Index();
    FillRect(dc, &client, resources_.Brush(t_BrushIndex::indexInactiveArea));
    for (const t_Rect& band : index.Bands()) {
        const RECT rect{client.left + 1, band.top, client.right - 1, band.bottom};
        FillRect(dc, &rect, resources_.Brush(t_BrushIndex::indexActiveArea));
    }
    const t_Color text = resources_.Color(t_ColorIndex::indexText);
    for (const t_IndexLetter& letter : index.Letters()) {
        const RECT cell{client.left, letter.top, client.right, letter.top + index.CellHeight()};
        DrawTextIn(dc, resources_.Font20(), text, std::wstring_view(&letter.character, 1), cell,
                   DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
    }
    index.Painted();
}

} // namespace n_ombrix
