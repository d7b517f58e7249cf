// The item list's two models over real platform objects: the application list over real catalogue items, the command
// list over a real launcher whose history comes from a real "History.qln". Rows are painted through a real
// buffered-paint DC; in the application list each colour of the scheme is distinct, so that every pixel says which
// colour it is.

#include "ui/application_list_model.h"
#include "ui/command_list_model.h"
#include "ui/executor_index_model.h"

#include "built_program.h"
#include "catalogue/folder_item.h"
#include "catalogue/shortcut_item.h"
#include "launch/default_launcher.h"
#include "paint_target.h"
#include "scratch_folder.h"
#include "system/com_ptr.h"
#include "system/memory_mapped_file.h"
#include "ui/popup_host.h"
#include "ui/widget_resources.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

using namespace n_ombrix;
using namespace n_ombrix_test;
using namespace n_zql::n_system::n_windows;

namespace {

// What the lists ask of the popup, in order: "name;" for an entry launched or a command run ("name elevated;"
// elevated), "[text]" for text put into the search box.
class t_RecordingHost final : public t_PopupHost {
public:
    void CurrentEntryChanged(const t_CatalogueItem*) override {}
    void ItemListMoved() override {}
    void PutIntoSearchBox(const std::wstring& text) override { log += L"[" + text + L"]"; }
    void LaunchEntry(const t_CatalogueItem& item, bool elevated) override { RunCommand(item.DisplayName(), elevated); }
    void RunCommand(const std::wstring& text, bool elevated) override {
        log += text + (elevated ? L" elevated;" : L";");
    }
    void SetMenuOpen(bool) override {}

    std::wstring log;
};

// How many pixels of the lines from top to bottom have the colour (or, with other, have another).
int Pixels(const t_PaintTarget& target, int top, int bottom, t_Color color, bool other = false) {
    int count = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < 300; ++x) count += (target.Pixel(x, y) == color) != other;
    return count;
}

// The pointer pressed on a row at y and moved sideways by dx before it is let go.
void Slide(t_ListModel& list, std::int32_t y, std::int32_t dx) {
    list.BeginSlide(100, y);
    list.SlideBy(dx);
    list.EndSlide();
}

// The program's resources and a host, for either list.
class t_ListTest : public testing::Test {
protected:
    const n_com::t_ComApartment apartment_;
    const t_Module program_ = LoadBuiltProgramResources();
    t_WidgetResources resources_{program_.Get(), t_DisplayMetrics::Read()};
    t_RecordingHost host_;
};

// The list painted into the target, settled first.
const t_PaintTarget& Painted(t_ListModel& list, t_PaintTarget& target) {
    list.Settle();
    EXPECT_TRUE(target.Paint([&](HDC dc, const RECT& all) { list.Paint(dc, all); }));
    return target;
}

class ItemList : public t_ListTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(program_) << "cannot load the built program";
        for (std::size_t i = 0; i < scheme_.size(); ++i) scheme_[i] = Rgb(static_cast<std::uint32_t>(8 * i), 0, 100);
        resources_.ApplyColorScheme(scheme_, false);
        resources_.IconStore().LoadDefaults();
        // Five rows: a shortcut with a description, a folder of two, a shortcut with a jump list, two more.
        items_ = {&Shortcut(L"Alpha", L"The first", L"", L"C:\\alpha.exe", L"-a"),
                  &Own(std::make_unique<t_FolderItem>(nullptr, L"Beta",
                                                      std::vector{&Shortcut(L"Beta one"), &Shortcut(L"Beta two")})),
                  &Shortcut(L"Gamma", L"", L"Gamma.App", L"C:\\gamma.exe"), &Shortcut(L"Delta"), &Shortcut(L"Epsilon")};
        items_[2]->SetHasJumpList(true);
        list_.Resize(300, 100); // 40-px rows at 96 DPI: two whole, one cut
        list_.Fill(items_, false);
        list_.Settle();
    }

    t_CatalogueItem& Own(std::unique_ptr<t_CatalogueItem> item) { return *owned_.emplace_back(std::move(item)); }
    t_CatalogueItem& Shortcut(const wchar_t* name, const wchar_t* description = L"", const wchar_t* appId = L"",
                              const wchar_t* path = L"", const wchar_t* arguments = L"") {
        return Own(std::make_unique<t_ShortcutItem>(nullptr, name, description, appId, path, arguments, L""));
    }

    t_ColorScheme scheme_{};
    t_ApplicationListModel list_{resources_, host_};
    std::vector<std::unique_ptr<t_CatalogueItem>> owned_;
    std::vector<t_CatalogueItem*> items_;
    t_PaintTarget target_{300, 100};
};

constexpr std::size_t area = 1, secondaryText = 3, preliminaryFrame = 5, preliminaryArea = 6, selectionFrame = 10,
                      selectionArea = 11, elevatedSelectionArea = 21, separator = 28;

class CommandList : public t_ListTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(program_) << "cannot load the built program";
        resources_.ApplyColorScheme({}, true);
        // The history as the program writes it, most recent first.
        t_MemoryMappedFile(data_ / L"History.qln", true)
            .WriteText(L"\"Ombrix History\"\n    \"default executor\" \"\"=\"notepad\" \"\"=\"product.exe --open a "
                       L"report with a name far too long for one line of the list\" \"\"=\"my notes\"\n");
        launcher_.SetCustomExecutors({});
        list_.Resize(300, 120);
        list_.Fill(false);
    }

    const t_ScratchFolder data_{L"command-list"};
    t_DefaultLauncher launcher_{data_.Path()};
    t_CommandListModel list_{resources_, host_, launcher_};
};

} // namespace

TEST_F(ItemList, RowsPaintTheirPartsAndStatesInTheirColours) {
    struct t_Case {
        const char* name;
        std::function<void(t_ApplicationListModel&)> act;
        std::vector<std::tuple<int, int, std::size_t>> probes; // x, y and the colour there
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
        {"pointed at",
         [](t_ApplicationListModel& list) { list.PointerAt(10, 50); },
         {{0, 40, preliminaryFrame}, {290, 60, preliminaryArea}}},
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
        const t_PaintTarget& target = Painted(list_, target_);
        for (const auto& [x, y, color] : c.probes)
            EXPECT_EQ(target.Pixel(x, y), scheme_[color]) << c.name << " at " << x << "," << y;
    }
    // A description goes under the name in its colour. (Compact rows have none: their geometry says so, and the
    // scan gives them no description.)
    list_.Fill(items_, false);
    EXPECT_GT(Pixels(Painted(list_, target_), 20, 40, scheme_[secondaryText]), 0) << "the description under Alpha";
}

TEST_F(ItemList, EntriesRunOpenAndReachThePopup) {
    // A folder opens in place and closes again; a shortcut runs, elevated while elevated mode is on.
    list_.ClickAt(0, 50);
    EXPECT_EQ(list_.RowName(2), L"Beta one");
    list_.ClickAt(0, 10);
    list_.ElevatedModeChanged(true);
    list_.ClickAt(0, 90);
    list_.ClickAt(0, 50);
    EXPECT_EQ(list_.Rows().Rows().size(), 5u);

    // Slides: to the left runs it elevated, to the right copies its command, if it has one.
    list_.ElevatedModeChanged(false);
    list_.ShowRow(2); // Delta, which has no command, second
    list_.Settle();
    Slide(list_, 50, 200);
    Slide(list_, 50, -200);
    list_.ShowRow(0);
    Slide(list_, 10, -200);
    EXPECT_EQ(host_.log, L"Alpha;Beta one elevated;Delta elevated;[\"C:\\alpha.exe\" -a]");

    // Type-ahead goes to the first row of a letter; empty lists say why.
    list_.JumpTo(L'G');
    EXPECT_EQ(list_.CurrentIndex(), 2u);
    list_.Fill({}, true);
    EXPECT_EQ(list_.EmptyText(), t_EmptyListText::noMatches);
    list_.Fill({}, false);
    EXPECT_EQ(list_.EmptyText(), t_EmptyListText::emptyCatalogue);
}

TEST_F(CommandList, ALongCommandGoesOnOnTheSecondLine) {
    t_PaintTarget target(300, 120);
    Painted(list_, target);
    const t_Color area = resources_.Color(t_ColorIndex::area);
    // Rows of 40 px: the second line is the lower half of each.
    EXPECT_GT(Pixels(target, 0, 20, area, true), 0) << "notepad";
    EXPECT_EQ(Pixels(target, 21, 40, area, true), 0) << "a short command keeps to one line";
    EXPECT_GT(Pixels(target, 61, 80, area, true), 0) << "the rest of the long command";
}

TEST_F(CommandList, CommandsNarrowRunAndLeaveTheHistory) {
    list_.ClickAt(0, 10);
    launcher_.UpdateQuery(L"note");
    list_.Fill(true);
    ASSERT_EQ(list_.Rows().Rows().size(), 2u);
    EXPECT_EQ(list_.RowName(0) + L";" + list_.RowName(1), L"notepad;my notes");

    // Slid to the left it runs elevated; to the right it goes into the search box.
    Slide(list_, 50, 200);
    Slide(list_, 10, -200);
    EXPECT_EQ(host_.log, L"notepad;my notes elevated;[notepad]");

    // Delete removes the command from the history; the next one becomes current.
    list_.SelectRow(0);
    list_.DeleteCurrent();
    EXPECT_EQ(std::tuple(list_.Rows().Rows().size(), list_.CommandTextOfCurrent(), launcher_.History(0).Size()),
              std::tuple(1u, std::wstring(L"my notes"), 2u));

    launcher_.UpdateQuery(L"zzz");
    list_.Fill(true);
    EXPECT_EQ(list_.EmptyText(), t_EmptyListText::noMatches);
    launcher_.ClearHistory();
    list_.Fill(false);
    EXPECT_EQ(list_.EmptyText(), t_EmptyListText::nothingTyped);
}

TEST_F(CommandList, TheExecutorIndexChoosesTheLaunchersExecutor) {
    // The launcher's executors refer to the configuration's items, which outlive them.
    const std::vector<t_LaunchItem> items{{L"ED", L"Edit a file", L"edit.exe", L"%typed_command%", L""}};
    launcher_.SetCustomExecutors(items);
    t_ExecutorIndexModel index(launcher_, resources_);
    index.Resize(50, 200);
    const std::int32_t cell = resources_.Metrics().rowHeight;
    EXPECT_EQ(index.TooltipAt(2 * cell + 1), resources_.String(202)); // below the executors: what the index is for
    EXPECT_TRUE(index.ClickAt(cell + 1));
    EXPECT_EQ(launcher_.CurrentExecutor().Caption(), L"ED");
    EXPECT_TRUE(index.Wheel(-1)); // one notch towards the user: the next, round to the first
    EXPECT_EQ(&launcher_.CurrentExecutor(), launcher_.Executors()[0]);
    launcher_.Clear();
}
