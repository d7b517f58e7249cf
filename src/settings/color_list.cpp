#include "settings/color_list.h"

#include "resource_ids.h"
#include "settings/settings_controls.h"
#include "system/unique_handle.h"

#include <commctrl.h>
#include <commdlg.h>

#include <array>

namespace n_ombrix {

namespace {

using namespace n_zql::n_system::n_windows::n_graphics::n_gdi;

// The chooser's sixteen custom colours live as long as the process, as users of the system's chooser expect.
std::array<COLORREF, 16> customColors{};

// The chooser opens beside the settings window's top-left corner rather than at the screen's.
UINT_PTR CALLBACK PlaceChooser(HWND dialog, UINT message, WPARAM, LPARAM lParam) noexcept {
    if (message == WM_INITDIALOG) {
        const auto* choice = reinterpret_cast<const CHOOSECOLORW*>(lParam);
        RECT owner{};
        GetWindowRect(choice->hwndOwner, &owner);
        SetWindowPos(dialog, nullptr, owner.left + 48, owner.top + 48, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return 0;
}

} // namespace

t_ColorList::t_ColorList(t_SettingsContext& context, HWND list)
    : context_(context), list_(list), swatchSize_(GetSystemMetrics(SM_CYSMICON)) {
    swatches_ = ImageList_Create(swatchSize_, swatchSize_, ILC_COLOR32, static_cast<int>(colorCount), 0);
    SendMessageW(list_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(swatches_));
    AddColumn(list_, 0);
}

void t_ColorList::Load() {
    SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0);
    ImageList_RemoveAll(swatches_);
    for (int row = 0; row < static_cast<int>(colorCount); ++row) {
        PaintSwatch(row);
        InsertRow(list_, row, context_.String(IDS_FIRST_COLOR + static_cast<unsigned>(row)), row);
    }
}

void t_ColorList::PaintSwatch(int row) {
    const t_WindowDc screen(nullptr);
    const t_MemoryDc dc(CreateCompatibleDC(screen.Get()));
    const t_Bitmap bitmap(CreateCompatibleBitmap(screen.Get(), swatchSize_, swatchSize_));
    if (!dc || !bitmap) return;
    {
        const t_Selection selection(dc.Get(), bitmap.Get());
        RECT bounds{0, 0, swatchSize_, swatchSize_};
        FillRect(dc.Get(), &bounds, GetSysColorBrush(COLOR_WINDOWTEXT));
        InflateRect(&bounds, -1, -1);
        const t_Brush color(CreateSolidBrush(context_.configuration.colors[static_cast<std::size_t>(row)]));
        FillRect(dc.Get(), &bounds, color.Get());
    }
    // The image list copies the bitmap.
    if (row < ImageList_GetImageCount(swatches_))
        ImageList_Replace(swatches_, row, bitmap.Get(), nullptr);
    else
        ImageList_Add(swatches_, bitmap.Get(), nullptr);
}

void t_ColorList::Choose(int row) {
    if (row < 0 || row >= static_cast<int>(colorCount)) return;
    t_Color& color = context_.configuration.colors[static_cast<std::size_t>(row)];
    CHOOSECOLORW choice{};
    choice.lStructSize = sizeof(CHOOSECOLORW);
    choice.hwndOwner = context_.window;
    choice.rgbResult = color;
    choice.lpCustColors = customColors.data();
    choice.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ENABLEHOOK | CC_SOLIDCOLOR | CC_ANYCOLOR;
    choice.lpfnHook = &PlaceChooser;
    const bool chosen = ChooseColorW(&choice) != FALSE;
    if (context_.GivenUp() || !chosen) return;
    color = choice.rgbResult & 0xFFFFFFu;
    context_.MarkChanged();
    PaintSwatch(row);
    SendMessageW(list_, LVM_REDRAWITEMS, static_cast<WPARAM>(row), static_cast<LPARAM>(row));
}

bool t_ColorList::Notify(const NMHDR& header) {
    switch (header.code) {
    case LVN_KEYDOWN:
        if (reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey != VK_F2) return false;
        Choose(SelectedRow(list_));
        return true;
    case NM_DBLCLK:
        Choose(reinterpret_cast<const NMITEMACTIVATE&>(header).iItem);
        return true;
    default:
        return false;
    }
}

void t_ColorList::FitColumn() const noexcept { SendMessageW(list_, LVM_SETCOLUMNWIDTH, 0, LVSCW_AUTOSIZE_USEHEADER); }

} // namespace n_ombrix
