// Times the item list as the user meets it, each step up to the list pane's painted frame (UpdateWindow included),
// in a real window with the real catalogue items, search and drawing resources, at 96 DPI:
//   list.keystroke.10k    one more letter typed: the search narrows, the list refills with one page of results;
//   list.scroll.10k       one wheel notch over the whole catalogue;
//   list.folder_open.1000 opening a folder of 1,000 entries in place.
// The benchmark carries Ombrix.exe's own resources.

#include "bench_names.h"
#include "bench_support.h"
#include "bench_windows.h"

#include "catalogue/catalogue.h"
#include "catalogue/folder_item.h"
#include "catalogue/shortcut_item.h"
#include "system/com_ptr.h"
#include "system/display_metrics.h"
#include "ui/application_list_model.h"
#include "ui/item_list_pane.h"
#include "ui/popup_host.h"
#include "ui/widget_resources.h"
#include "ui/window_class.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <string_view>
#include <vector>

using namespace n_ombrix;
using namespace n_ombrix_bench;

namespace {

constexpr int runs = 15;
constexpr std::size_t itemCount = 10000;
constexpr std::size_t folderSize = 1000;

class t_QuietHost final : public t_PopupHost {
public:
    void CurrentEntryChanged(const t_CatalogueItem*) override {}
    void ItemListMoved() override {}
    void PutIntoSearchBox(const std::wstring&) override {}
    void LaunchEntry(const t_CatalogueItem&, bool) override {}
    void RunCommand(const std::wstring&, bool) override {}
    void SetMenuOpen(bool) override {}
};

// A visible top-level window for the pane, sized like the popup's list.
class t_Frame final : public t_Window {
public:
    explicit t_Frame(const t_WindowClass& frameClass) {
        CreateWindowFor({.style = WS_POPUP | WS_VISIBLE, .className = frameClass.Name(), .width = 420, .height = 640},
                        nullptr);
    }

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        return DefaultProcedure(message, wParam, lParam);
    }
};

// 10,000 entries sorted by name as the scan sorts them; the first a folder of 1,000 more.
std::vector<t_CatalogueItem*> Fill(t_Catalogue& catalogue, HBITMAP icon) {
    std::vector<t_CatalogueItem*> children;
    for (t_EntryName& entry : StartMenuNames(folderSize))
        children.push_back(&catalogue.Adopt(
            std::make_unique<t_ShortcutItem>(icon, entry.name, entry.description, L"", L"", L"", L"")));
    std::vector<t_CatalogueItem*> top{&catalogue.Adopt(std::make_unique<t_FolderItem>(icon, L"A folder", children))};
    std::vector<t_EntryName> names = StartMenuNames(itemCount - 1);
    std::ranges::sort(names, {}, &t_EntryName::name);
    for (t_EntryName& entry : names)
        top.push_back(&catalogue.Adopt(
            std::make_unique<t_ShortcutItem>(icon, entry.name, entry.description, L"", L"", L"", L"")));
    for (t_CatalogueItem* item : top) catalogue.Search().Add(*item);
    return top;
}

} // namespace

int main() {
    const n_zql::n_system::n_windows::n_com::t_ComApartment apartment;
    t_WidgetResources resources(GetModuleHandleW(nullptr), DisplayAt96Dpi());
    resources.ApplyColorScheme(t_ColorScheme{}, true);
    resources.IconStore().LoadDefaults();
    t_Catalogue catalogue;
    const std::vector<t_CatalogueItem*> top =
        Fill(catalogue, resources.IconStore().Slot(t_IconStore::defaultAppLargeSlot));

    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const t_WindowClass frameClass(0, instance, resources.ArrowCursor(), L"Ombrix.Bench");
    const t_WindowClass paneClass(CS_PARENTDC, instance, resources.ArrowCursor(), L"Ombrix.Bench.Pane");
    t_QuietHost host;
    t_ApplicationListModel list(resources, host);
    t_Frame frame(frameClass);
    t_ItemListPane pane(resources, paneClass, frame.Handle(), 6);
    MoveWindow(pane.Handle(), 0, 0, 420, 640, FALSE);
    list.Fill(top, false);
    pane.SetModel(list);
    const auto painted = [&] {
        pane.Refresh();
        UpdateWindow(pane.Handle());
    };
    painted();

    // Typing: the second and third letters of each word, after a first letter that restarts the search.
    constexpr std::array<std::wstring_view, 6> words{L"visual", L"remote", L"photo", L"uninstall", L"media", L"co"};
    std::vector<double> keystrokes;
    for (int run = 0; run < runs; ++run) {
        for (const std::wstring_view word : words) {
            catalogue.Search().Search(L"#", false);
            list.Fill(catalogue.Search().Search(word.substr(0, 1), false), true);
            painted();
            for (std::size_t length = 2; length <= 3; ++length)
                keystrokes.push_back(TimeMilliseconds([&] {
                    list.Fill(catalogue.Search().Search(word.substr(0, length), false), true);
                    painted();
                }));
        }
    }

    list.Fill(top, false);
    painted();
    std::vector<double> notches;
    for (int run = 0; run < 4 * runs; ++run)
        notches.push_back(TimeMilliseconds([&] {
            SendMessageW(pane.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
            UpdateWindow(pane.Handle());
        }));

    std::vector<double> opens;
    for (int run = 0; run < runs; ++run) {
        list.ShowRow(0);
        painted();
        opens.push_back(TimeMilliseconds([&] {
            list.OpenCurrent();
            painted();
        }));
        list.CloseCurrent();
    }

    std::printf("BENCH id=list.keystroke.10k n=%zu median=%.2f unit=ms target=16\n", itemCount, Median(keystrokes));
    std::printf("BENCH id=list.scroll.10k n=%zu median=%.2f unit=ms target=16\n", itemCount, Median(notches));
    std::printf("BENCH id=list.folder_open.1000 n=%zu median=%.2f unit=ms target=16\n", folderSize, Median(opens));
    return 0;
}
