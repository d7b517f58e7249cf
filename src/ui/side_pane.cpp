#include "ui/side_pane.h"

#include "system/unique_handle.h"
#include "ui/drawing.h"
#include "ui/list_row_painting.h"
#include "ui/paint_buffer.h"
#include "ui/widget_resources.h"
#include "ui/window_class.h"

#include "resource_ids.h"

#include <windowsx.h>

namespace n_ombrix {

namespace {

constexpr UINT textFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
// An unpinned entry's pin shows faintly until the row is highlighted.
constexpr BYTE faintPin = 63;
constexpr unsigned noRowsText = 203;

} // namespace

t_SidePane::t_SidePane(const t_WidgetResources& resources, const t_WindowClass& paneClass, HWND parent, int controlId)
    : resources_(resources) {
    CreateWindowFor({.extendedStyle = WS_EX_NOPARENTNOTIFY,
                     .style = WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                     .className = paneClass.Name(),
                     .controlId = controlId},
                    parent);
}

t_SidePane::~t_SidePane() { DestroyWindowFor(); }

void t_SidePane::SetList(t_SideList* list) {
    list_ = list;
    current_.reset();
    remembered_.reset();
    ChooseRows();
    RepaintIf(true);
}

void t_SidePane::ChooseRows() {
    shown_.clear();
    if (!list_) return;
    std::vector<t_SideRowTraits> traits;
    traits.reserve(list_->Count());
    for (std::size_t row = 0; row < list_->Count(); ++row) traits.push_back(list_->Traits(row));
    const RECT& client = ClientRectangle();
    const auto fit =
        static_cast<std::size_t>(std::max<LONG>(client.bottom - client.top, 0) / resources_.Metrics().compactRowHeight);
    shown_ = ChooseSideRows(traits, fit);
}

LRESULT t_SidePane::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_NCCALCSIZE:
        return CalculateBorderedClient(wParam, lParam, n_border::all);
    case WM_NCPAINT:
        PaintBorders(resources_.Brush(t_BrushIndex::frame), n_border::all);
        return 0;
    case WM_SIZE:
        ReadClientRectangle();
        ChooseRows();
        return 0;
    case WM_MOUSEMOVE: {
        if (!tracking_) TrackLeave();
        tracking_ = true;
        const std::optional<std::size_t> place = RowAt(GET_Y_LPARAM(lParam));
        MakeCurrent(place, place && OnPin(GET_X_LPARAM(lParam), *place));
        return 0;
    }
    case WM_MOUSELEAVE:
        tracking_ = false;
        MakeCurrent(std::nullopt, false);
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus(Handle());
        return 0;
    case WM_LBUTTONUP:
        OnButtonUp({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_SETFOCUS:
        if (!current_) MakeCurrent(remembered_ ? remembered_ : NextSideEntry(ShownTraits(), std::nullopt, true), false);
        return 0;
    case WM_KILLFOCUS:
        remembered_ = current_;
        MakeCurrent(std::nullopt, false);
        return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: // Alt+Delete
        if (list_ && OnKey(wParam)) return 0;
        [[fallthrough]];
    case WM_KEYUP:
    case WM_SYSKEYUP:
        // The navigation keys' releases stay here; the rest rises to the popup.
        if (message == WM_KEYUP && (wParam == VK_UP || wParam == VK_DOWN || wParam == VK_HOME || wParam == VK_END))
            return 0;
        if (popupKeys_ && popupKeys_->PopupKey(message, wParam)) return 0;
        return DefaultProcedure(message, wParam, lParam);
    case WM_CONTEXTMENU:
        OnContextMenu({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_GETOBJECT:
        if (static_cast<LONG>(lParam) != static_cast<LONG>(OBJID_CLIENT))
            return DefaultProcedure(message, wParam, lParam);
        return accessible_.Answer(wParam);
    default:
        return DefaultProcedure(message, wParam, lParam);
    }
}

std::int32_t t_SidePane::PinColumn() const noexcept { return resources_.Metrics().smallSlideRange; }

RECT t_SidePane::RowRect(std::size_t place) const noexcept {
    const std::int32_t height = resources_.Metrics().compactRowHeight;
    const auto top = static_cast<LONG>(place) * height;
    return {0, top, ClientRectangle().right, top + height};
}

std::optional<std::size_t> t_SidePane::RowAt(std::int32_t y) const noexcept {
    if (!list_ || y < 0) return std::nullopt;
    const auto place = static_cast<std::size_t>(y / resources_.Metrics().compactRowHeight);
    if (place >= shown_.size() || list_->Traits(shown_[place]).header) return std::nullopt;
    return place;
}

bool t_SidePane::OnPin(std::int32_t x, std::size_t place) const noexcept {
    return list_->Kind(shown_[place]) != t_PinKind::notPinnable && x >= ClientRectangle().right - PinColumn();
}

void t_SidePane::MakeCurrent(std::optional<std::size_t> place, bool pinPart) {
    if (place == current_ && pinPart == pinPart_) return;
    const std::optional<std::size_t> before = std::exchange(current_, place);
    pinPart_ = pinPart;
    // Only the two rows whose look changed are painted again.
    for (const std::optional<std::size_t> row : {before, place}) {
        if (!row) continue;
        const RECT rect = RowRect(*row);
        InvalidateRect(Handle(), &rect, FALSE);
    }
    if (place && accessible_.Get())
        NotifyWinEvent(EVENT_OBJECT_SELECTION, Handle(), OBJID_CLIENT, static_cast<LONG>(*place) + 1);
}

void t_SidePane::OnButtonUp(POINT point) {
    const std::optional<std::size_t> place = RowAt(point.y);
    if (!place) return;
    const std::size_t row = shown_[*place];
    if (OnPin(point.x, *place)) {
        list_->TogglePin(row);
        Reassembled(place);
        return;
    }
    list_->Open(row);
}

std::vector<t_SideRowTraits> t_SidePane::ShownTraits() const {
    std::vector<t_SideRowTraits> traits;
    traits.reserve(shown_.size());
    for (const std::size_t row : shown_) traits.push_back(list_->Traits(row));
    return traits;
}

bool t_SidePane::OnKey(WPARAM key) {
    const bool control = GetKeyState(VK_CONTROL) < 0;
    switch (key) {
    case VK_UP:
        if (!control) MakeCurrent(NextSideEntry(ShownTraits(), current_, false), false);
        return true;
    case VK_DOWN:
        MakeCurrent(control ? NextSideGroup(ShownTraits(), current_) : NextSideEntry(ShownTraits(), current_, true),
                    false);
        return true;
    case VK_HOME:
    case VK_END:
        MakeCurrent(NextSideEntry(ShownTraits(), std::nullopt, key == VK_HOME), false);
        return true;
    case VK_RETURN:
        if (current_) list_->Open(shown_[*current_]);
        return true;
    case VK_SPACE:
        if (current_ && list_->Kind(shown_[*current_]) != t_PinKind::notPinnable) {
            list_->TogglePin(shown_[*current_]);
            Reassembled(current_);
        }
        return true;
    case VK_DELETE:
    case VK_BACK:
        // With Alt held the whole list goes, else the current entry, the next one taking its place.
        if (GetKeyState(VK_MENU) < 0) {
            list_->Clear();
            Reassembled(std::nullopt);
        } else if (current_) {
            list_->Remove(shown_[*current_]);
            Reassembled(current_);
        }
        return true;
    default:
        return false;
    }
}

void t_SidePane::Reassembled(std::optional<std::size_t> current) {
    ChooseRows();
    // The row now in the place, or the entry after it when that is a header.
    if (current && *current < shown_.size() && list_->Traits(shown_[*current]).header) ++*current;
    current_ = current && *current < shown_.size() && !list_->Traits(shown_[*current]).header ? current : std::nullopt;
    RepaintIf(true);
}

void t_SidePane::OnContextMenu(POINT screenPoint) {
    if (!list_) return;
    // From the keyboard (no position): at the current row, half its height in from the left, at its middle.
    if (screenPoint.x == -1 && screenPoint.y == -1) {
        if (!current_) return;
        const RECT row = RowRect(*current_);
        const LONG half = (row.bottom - row.top) / 2;
        screenPoint = {row.left + half, row.top + half};
        ClientToScreen(Handle(), &screenPoint);
    } else {
        POINT client = screenPoint;
        ScreenToClient(Handle(), &client);
        MakeCurrent(RowAt(client.y), false);
    }
    if (!current_) return;
    const std::size_t place = *current_, row = shown_[place];
    const t_PinKind kind = list_->Kind(row);
    // The menus of a fixed entry, of a pinned one, and of any other entry of a jump list.
    const int submenu = !list_->Editable(row) ? 5 : kind == t_PinKind::pinned ? 4 : 3;
    switch (PopupMenu(resources_.ContextMenus(), submenu, screenPoint.x, screenPoint.y, Handle())) {
    case IDC_OPEN:
        list_->Open(row);
        return;
    case IDC_TOGGLE_PIN:
        if (kind == t_PinKind::notPinnable) return;
        list_->TogglePin(row);
        Reassembled(place);
        return;
    case IDC_REMOVE:
        // The entry that followed takes its place.
        list_->Remove(row);
        Reassembled(place);
        return;
    case IDC_CLEAR_LIST:
        list_->Clear();
        Reassembled(std::nullopt);
        return;
    default:
        return;
    }
}

void t_SidePane::ActivateRow(std::size_t place) {
    if (!list_ || place >= shown_.size() || list_->Traits(shown_[place]).header) return;
    MakeCurrent(place, false);
    list_->Open(shown_[place]);
}

std::vector<std::size_t> t_SidePane::VisibleRows() const {
    std::vector<std::size_t> places(shown_.size());
    for (std::size_t place = 0; place < places.size(); ++place) places[place] = place;
    return places;
}

std::optional<t_Rect> t_SidePane::RowRectangle(std::size_t place) const {
    const RECT rect = RowRect(place);
    return t_Rect{rect.left, rect.top, rect.right, rect.bottom};
}

std::wstring t_SidePane::RowAction(std::size_t place) const {
    return list_->Traits(shown_[place]).header ? L"" : L"Open";
}

void t_SidePane::OnPaint() const {
    const t_PaintBuffer paint(Handle());
    if (!paint.Dc()) return;
    const HDC dc = paint.Dc();
    FillRect(dc, &paint.UpdateRectangle(), resources_.Brush(t_BrushIndex::area));
    if (shown_.empty()) {
        const RECT& client = ClientRectangle();
        DrawTextIn(dc, resources_.Font16(), resources_.Color(t_ColorIndex::secondaryText),
                   resources_.String(noRowsText), client, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
        return;
    }
    const n_zql::n_system::n_windows::n_graphics::n_gdi::t_MemoryDc imageDc(CreateCompatibleDC(dc));
    for (std::size_t place = 0; place < shown_.size(); ++place) {
        const RECT row = RowRect(place);
        RECT meets{};
        if (IntersectRect(&meets, &row, &paint.UpdateRectangle())) PaintRow(dc, imageDc.Get(), place);
    }
}

void t_SidePane::PaintRow(HDC dc, HDC imageDc, std::size_t place) const {
    const std::size_t row = shown_[place];
    const RECT rect = RowRect(place);
    const t_SideRowTraits traits = list_->Traits(row);
    const t_WidgetMetrics& metrics = resources_.Metrics();
    if (traits.header) {
        RECT inner = rect;
        InflateRect(&inner, -2, -1);
        FillRect(dc, &inner, resources_.Brush(t_BrushIndex::separator));
        inner.left += metrics.textRightInset;
        DrawTextIn(dc, resources_.Font16(), resources_.Color(t_ColorIndex::partitionText), list_->Text(row), inner,
                   textFormat);
        return;
    }
    const t_PinKind kind = list_->Kind(row);
    const bool pinnable = kind != t_PinKind::notPinnable;
    const bool highlighted = place == current_;
    const RECT pinColumn{rect.right - PinColumn(), rect.top, rect.right, rect.bottom};
    if (highlighted) {
        if (pinnable && pinPart_)
            FillSplitHighlight(dc, rect, pinColumn, resources_, t_HighlightState::selection);
        else
            FillHighlight(dc, rect, resources_, t_HighlightState::selection);
    }
    if (pinnable) {
        const std::int32_t glyph = metrics.smallGlyph;
        const bool pinned = kind == t_PinKind::pinned;
        BlendBitmap(dc, resources_.Bitmap(pinned ? t_PopupBitmap::pinned : t_PopupBitmap::unpinned),
                    pinColumn.left + (PinColumn() - glyph) / 2, rect.top + (rect.bottom - rect.top - glyph) / 2,
                    pinned || highlighted ? 255 : faintPin, imageDc);
    }
    const std::int32_t iconSize = resources_.Display().smallIconWidth;
    const std::int32_t iconX = metrics.textRightInset + 2;
    if (const HBITMAP icon = list_->Icon(row)) {
        const std::int32_t iconY = rect.top + (rect.bottom - rect.top - iconSize) / 2;
        BlendBitmapTo(dc, icon, {iconX, iconY, iconX + iconSize, iconY + iconSize}, 255, imageDc);
    }
    const RECT text{iconX + iconSize + metrics.textRightInset, rect.top,
                    (pinnable ? pinColumn.left : rect.right) - metrics.textRightInset, rect.bottom};
    // Only the pin highlighted: the preliminary text colour; the whole row: the selection's.
    const t_Color color = resources_.Color(TextColor(t_BlockPart::text, highlighted, !(pinnable && pinPart_), false));
    DrawTextIn(dc, resources_.Font16(), color, list_->Text(row), text, textFormat);
}

} // namespace n_ombrix
