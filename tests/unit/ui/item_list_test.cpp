// The application list over real catalogue items: what it asks of the popup, and its rows painted through a real
// buffered-paint DC, each colour of the scheme distinct so that every pixel says which colour it is.

#include "ui/application_list_model.h"

#include "built_program.h"
#include "catalogue/folder_item.h"
#include "catalogue/shortcut_item.h"
#include "paint_target.h"
#include "system/com_ptr.h"
#include "ui/popup_host.h"
#include "ui/widget_resources.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace n_ombrix;
using namespace n_ombrix_test;
using namespace n_zql::n_system::n_windows;

namespace {

class t_RecordingHost final : public t_PopupHost {
public:
    void CurrentEntryChanged(const t_CatalogueItem* item) override { shown = item ? item->DisplayName() : L"-"; }
    void ItemListMoved() override { ++moves; }
    void PutIntoSearchBox(const std::wstring& text) override { searchBox = text; }
    void LaunchEntry(const t_CatalogueItem& item, bool elevated) override {
        launched += item.DisplayName() + (elevated ? L" elevated;" : L";");
    }
    void RunCommand(const std::wstring& text, bool elevated) override {
        launched += text + (elevated ? L" elevated;" : L";");
    }
    void SetMenuOpen(bool) override {}

    std::wstring shown, searchBox, launched;
    int moves = 0;
};

class ItemList : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(program_) << "cannot load the built program";
        for (std::size_t i = 0; i < scheme_.size(); ++i) scheme_[i] = Rgb(static_cast<std::uint32_t>(8 * i), 0, 100);
        resources_.ApplyColorScheme(scheme_, false);
        resources_.IconStore().LoadDefaults();
        // Five rows: a shortcut with a description, a folder of two, a shortcut with a jump list, two more.
        Add(Own<t_ShortcutItem>(nullptr, L"Alpha", L"The first", L"", L"C:\\alpha.exe", L"-a", L""));
        const std::vector<t_CatalogueItem*> children{
            &Own<t_ShortcutItem>(nullptr, L"Beta one", L"", L"", L"", L"", L""),
            &Own<t_ShortcutItem>(nullptr, L"Beta two", L"", L"", L"", L"", L"")};
        Add(Own<t_FolderItem>(nullptr, L"Beta", children));
        Add(Own<t_ShortcutItem>(nullptr, L"Gamma", L"", L"Gamma.App", L"C:\\gamma.exe", L"", L"")).SetHasJumpList(true);
        Add(Own<t_ShortcutItem>(nullptr, L"Delta", L"", L"", L"", L"", L""));
        Add(Own<t_ShortcutItem>(nullptr, L"Epsilon", L"", L"", L"", L"", L""));
        list_.Resize(300, 100); // 40-px rows at 96 DPI: two whole, one cut
        list_.Fill(items_, false);
        list_.Settle();
    }

    template <typename t_Item, typename... t_Arguments> t_CatalogueItem& Own(t_Arguments&&... arguments) {
        owned_.push_back(std::make_unique<t_Item>(std::forward<t_Arguments>(arguments)...));
        return *owned_.back();
    }
    t_CatalogueItem& Add(t_CatalogueItem& item) {
        items_.push_back(&item);
        return item;
    }

    const t_PaintTarget& Painted() {
        list_.Settle();
        EXPECT_TRUE(target_.Paint([&](HDC dc, const RECT& all) { list_.Paint(dc, all); }));
        return target_;
    }

    const n_com::t_ComApartment apartment_;
    const t_Module program_ = LoadBuiltProgramResources();
    t_ColorScheme scheme_{};
    t_WidgetResources resources_{program_.Get(), t_DisplayMetrics::Read()};
    t_RecordingHost host_;
    t_ApplicationListModel list_{resources_, host_};
    std::vector<std::unique_ptr<t_CatalogueItem>> owned_;
    std::vector<t_CatalogueItem*> items_;
    t_PaintTarget target_{300, 100};
};

constexpr std::size_t area = 1, secondaryText = 3, preliminaryArea = 6, selectionFrame = 10, selectionArea = 11,
                      elevatedSelectionArea = 21, separator = 28;

} // namespace

TEST_F(ItemList, RowsPaintTheirStatesInTheirColours) {
    struct t_Probe {
        int x, y;
        std::size_t color;
    };
    struct t_Case {
        const char* name;
        std::function<void(t_ApplicationListModel&)> act;
        std::vector<t_Probe> probes;
    };
    const t_Case cases[] = {
        {"normal", [](t_ApplicationListModel&) {}, {{290, 20, area}, {150, 39, area}}},
        {"selected",
         [](t_ApplicationListModel& list) { list.Down(); },
         {{0, 0, selectionFrame}, {290, 20, selectionArea}}},
        {"elevated",
         [](t_ApplicationListModel& list) {
             list.Down();
             list.ElevatedModeChanged(true);
         },
         {{290, 20, elevatedSelectionArea}}},
        {"pointed at", [](t_ApplicationListModel& list) { list.PointerAt(10, 50); }, {{290, 60, preliminaryArea}}},
        // The last row is the seam where the list starts over: a line along its bottom, inset by 4 px.
        {"seam", [](t_ApplicationListModel& list) { list.ScrollBy(-40); }, {{150, 39, separator}, {2, 39, area}}},
        // The pointer left a row with a jump list: only its glyph column stays highlighted.
        {"jump list",
         [](t_ApplicationListModel& list) {
             list.ScrollBy(80);
             list.Down();
             list.PointerLeft();
         },
         {{261, 3, selectionArea}, {200, 20, area}, {0, 20, selectionFrame}}},
    };
    for (const t_Case& c : cases) {
        list_.Fill(items_, false);
        list_.ElevatedModeChanged(false);
        c.act(list_);
        const t_PaintTarget& target = Painted();
        for (const t_Probe& probe : c.probes)
            EXPECT_EQ(target.Pixel(probe.x, probe.y), scheme_[probe.color])
                << c.name << " at " << probe.x << "," << probe.y;
    }
}

TEST_F(ItemList, CompactRowsHaveNoSecondLine) {
    const auto secondaryPixels = [&](const t_PaintTarget& target) {
        int count = 0;
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 300; ++x) count += target.Pixel(x, y) == scheme_[secondaryText];
        return count;
    };
    EXPECT_GT(secondaryPixels(Painted()), 0) << "the description under Alpha";
    list_.ApplyMetrics(true, true);
    list_.Fill(items_, false);
    EXPECT_EQ(list_.Rows().RowHeight(), resources_.Metrics().compactRowHeight);
    EXPECT_EQ(secondaryPixels(Painted()), 0);
}

TEST_F(ItemList, EntriesRunOpenAndReachThePopup) {
    // A folder opens in place and closes again; a shortcut runs, elevated while elevated mode is on.
    list_.ClickAt(0, 50);
    EXPECT_EQ(list_.Rows().Rows().size(), 7u);
    EXPECT_EQ(list_.RowName(2), L"Beta one");
    list_.ClickAt(0, 10);
    list_.ElevatedModeChanged(true);
    list_.ClickAt(0, 90);
    EXPECT_EQ(host_.launched, L"Alpha;Beta one elevated;");
    list_.ClickAt(0, 50);
    EXPECT_EQ(list_.Rows().Rows().size(), 5u);

    // The side pane hears of the current entry only while it has a jump list.
    list_.ShowRow(2);
    list_.Settle();
    EXPECT_EQ(host_.shown, L"Gamma");
    list_.Down();
    list_.Settle();
    EXPECT_EQ(host_.shown, L"-");

    // Slides: to the left runs it elevated, to the right copies its command.
    host_.launched.clear();
    list_.ElevatedModeChanged(false);
    list_.BeginSlide(100, 50);
    list_.SlideBy(200);
    list_.EndSlide();
    list_.BeginSlide(100, 50);
    list_.SlideBy(-200);
    list_.EndSlide();
    EXPECT_EQ(host_.launched, L"Delta elevated;");
    EXPECT_EQ(host_.searchBox, L"");
    list_.ShowRow(0);
    list_.BeginSlide(100, 10);
    list_.SlideBy(-200);
    list_.EndSlide();
    EXPECT_EQ(host_.searchBox, L"\"C:\\alpha.exe\" -a");

    // Type-ahead goes to the first row of a letter; empty lists say why.
    list_.JumpTo(L'G');
    EXPECT_EQ(list_.CurrentIndex(), 2u);
    list_.Fill({}, true);
    EXPECT_EQ(list_.EmptyText(), t_EmptyListText::noMatches);
    list_.Fill({}, false);
    EXPECT_EQ(list_.EmptyText(), t_EmptyListText::emptyCatalogue);
}
