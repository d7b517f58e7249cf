// Shows Ombrix's item list and index bar in a window of their own, over the shortcuts named on the command line, so
// that tests can meet the panes from another process as a user and an assistive tool do: through their windows,
// their pixels and their accessible objects. A launch runs the shortcut for real.
//   item_list_host.exe <link>...    one entry per link, named by the link's file name

#include "built_program.h"
#include "catalogue/shortcut_item.h"
#include "system/com_ptr.h"
#include "ui/application_list_model.h"
#include "ui/index_pane.h"
#include "ui/item_list_pane.h"
#include "ui/letter_index_model.h"
#include "ui/message_loop.h"
#include "ui/popup_host.h"
#include "ui/widget_resources.h"
#include "ui/window_class.h"

#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

using namespace n_ombrix;

namespace {

class t_LaunchingHost final : public t_PopupHost {
public:
    void CurrentEntryChanged(const t_CatalogueItem*) override {}
    void ItemListMoved() override {
        if (index_) index_->Repaint();
    }
    void PutIntoSearchBox(const std::wstring&) override {}
    void LaunchEntry(const t_CatalogueItem& item, bool elevated) override { item.Launch(elevated); }
    void RunCommand(const std::wstring&, bool) override {}
    void SetMenuOpen(bool) override {}
    void SetIndex(t_IndexPane& index) noexcept { index_ = &index; }

private:
    t_IndexPane* index_ = nullptr;
};

// The frame: the index pane at the left, the list filling the rest.
class t_HostWindow final : public t_Window {
public:
    t_HostWindow(const t_WindowClass& frameClass, const t_WindowClass& paneClass, t_WidgetResources& resources,
                 std::span<t_CatalogueItem* const> items)
        : list_(resources, host_), letters_(list_, resources) {
        CreateWindowFor({.style = WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                         .className = frameClass.Name(),
                         .x = 40,
                         .y = 40,
                         .width = 420,
                         .height = 360},
                        nullptr);
        SetWindowTextW(Handle(), L"Item list host");
        listPane_ = std::make_unique<t_ItemListPane>(resources, paneClass, Handle(), 6);
        indexPane_ = std::make_unique<t_IndexPane>(resources, paneClass, Handle(), 5, *listPane_);
        host_.SetIndex(*indexPane_);
        Place();
        list_.Fill(items, false);
        listPane_->SetModel(list_);
        indexPane_->SetModel(letters_);
        SetFocus(listPane_->Handle());
    }
    ~t_HostWindow() override {
        indexPane_.reset();
        listPane_.reset();
        DestroyWindowFor();
    }

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_SIZE:
            Place();
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefaultProcedure(message, wParam, lParam);
        }
    }

    void Place() const {
        if (!listPane_ || !indexPane_) return;
        RECT client{};
        GetClientRect(Handle(), &client);
        const int indexWidth = 50;
        MoveWindow(indexPane_->Handle(), 0, 0, indexWidth, client.bottom, TRUE);
        MoveWindow(listPane_->Handle(), indexWidth, 0, client.right - indexWidth, client.bottom, TRUE);
    }

    t_LaunchingHost host_;
    t_ApplicationListModel list_;
    t_LetterIndexModel letters_;
    std::unique_ptr<t_ItemListPane> listPane_;
    std::unique_ptr<t_IndexPane> indexPane_;
};

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    try {
        const n_zql::n_system::n_windows::n_com::t_ComApartment apartment;
        const n_zql::n_system::n_windows::t_Module program = n_ombrix_test::LoadBuiltProgramResources();
        t_WidgetResources resources(program.Get(), t_DisplayMetrics::Read());
        resources.ApplyColorScheme({}, true);
        resources.IconStore().LoadDefaults();

        int count = 0;
        const std::unique_ptr<PWSTR, decltype(&LocalFree)> arguments(CommandLineToArgvW(GetCommandLineW(), &count),
                                                                     &LocalFree);
        std::vector<std::unique_ptr<t_CatalogueItem>> owned;
        std::vector<t_CatalogueItem*> items;
        for (int i = 1; i < count; ++i) {
            const std::wstring link = arguments.get()[i];
            std::wstring name = link.substr(link.find_last_of(L"\\/") + 1);
            name = name.substr(0, name.rfind(L'.'));
            const HBITMAP icon = resources.IconStore().ImageForFile(link, true);
            owned.push_back(std::make_unique<t_ShortcutItem>(icon, name, L"", L"", L"", L"", link));
            items.push_back(owned.back().get());
        }

        const t_WindowClass frameClass(0, instance, resources.ArrowCursor(), L"Ombrix.ItemListHost");
        const t_WindowClass paneClass(CS_PARENTDC, instance, resources.ArrowCursor(), L"Ombrix.ItemListHost.Pane");
        const t_HostWindow window(frameClass, paneClass, resources, items);
        return static_cast<int>(t_MessageLoop::Run());
    } catch (...) {
        return 1;
    }
}
