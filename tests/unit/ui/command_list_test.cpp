// The command list over a real launcher whose history comes from a real "History.qln": commands narrowed by the
// typed text, run and removed through the list, and a long one painted over two lines.

#include "ui/command_list_model.h"
#include "ui/executor_index_model.h"

#include "built_program.h"
#include "launch/default_launcher.h"
#include "paint_target.h"
#include "scratch_folder.h"
#include "system/com_ptr.h"
#include "ui/popup_host.h"
#include "ui/widget_resources.h"

#include <gtest/gtest.h>

#include <string>

using namespace n_ombrix;
using namespace n_ombrix_test;
using namespace n_zql::n_system::n_windows;

namespace {

constexpr wchar_t longCommand[] = L"\"C:\\Program Files\\A Vendor With A Long Name\\Its Product\\product.exe\" "
                                  L"--open \"C:\\Users\\me\\Documents\\A report with a long name.docx\"";

class t_RunningHost final : public t_PopupHost {
public:
    void CurrentEntryChanged(const t_CatalogueItem*) override {}
    void ItemListMoved() override {}
    void PutIntoSearchBox(const std::wstring& text) override { searchBox = text; }
    void LaunchEntry(const t_CatalogueItem&, bool) override {}
    void RunCommand(const std::wstring& text, bool elevated) override {
        ran += text + (elevated ? L" elevated;" : L";");
    }
    void SetMenuOpen(bool) override {}

    std::wstring ran, searchBox;
};

// The history file as the program writes it: UTF-16LE with a byte-order mark, most recent first.
std::string HistoryFile(const std::wstring& text) {
    return "\xFF\xFE" + std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

class CommandList : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(program_) << "cannot load the built program";
        resources_.ApplyColorScheme({}, true);
        WriteFileBytes(data_ / L"History.qln",
                       HistoryFile(L"\"Ombrix History\"\n    \"default executor\" \"\"=\"notepad\" \"\"=\"" +
                                   Escaped(longCommand) + L"\" \"\"=\"my notes\"\n"));
        launcher_.SetCustomExecutors({});
        list_.Resize(300, 120);
        list_.Fill(false);
    }

    static std::wstring Escaped(std::wstring_view text) {
        std::wstring escaped;
        for (const wchar_t unit : text)
            escaped += unit == L'"' || unit == L'\\' ? std::wstring{L'\\', unit} : std::wstring{unit};
        return escaped;
    }

    const n_com::t_ComApartment apartment_;
    const t_Module program_ = LoadBuiltProgramResources();
    t_WidgetResources resources_{program_.Get(), t_DisplayMetrics::Read()};
    const t_ScratchFolder data_{L"command-list"};
    t_DefaultLauncher launcher_{data_.Path()};
    t_RunningHost host_;
    t_CommandListModel list_{resources_, host_, launcher_};
};

} // namespace

TEST_F(CommandList, ALongCommandGoesOnOnTheSecondLine) {
    t_PaintTarget target(300, 120);
    list_.Settle();
    ASSERT_TRUE(target.Paint([&](HDC dc, const RECT& all) { list_.Paint(dc, all); }));
    const auto inked = [&](int top, int bottom) {
        const t_Color area = resources_.Color(t_ColorIndex::area);
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < 300; ++x)
                if (target.Pixel(x, y) != area) return true;
        return false;
    };
    // Rows of 40 px: the second line is the lower half of each.
    EXPECT_TRUE(inked(0, 20)) << "notepad";
    EXPECT_FALSE(inked(21, 40)) << "a short command keeps to one line";
    EXPECT_TRUE(inked(61, 80)) << "the rest of the long command";
}

TEST_F(CommandList, CommandsNarrowRunAndLeaveTheHistory) {
    list_.ClickAt(0, 10);
    EXPECT_EQ(host_.ran, L"notepad;");

    launcher_.UpdateQuery(L"note");
    list_.Fill(true);
    ASSERT_EQ(list_.Rows().Rows().size(), 2u);
    EXPECT_EQ(std::pair(list_.RowName(0), list_.RowName(1)),
              std::pair(std::wstring(L"notepad"), std::wstring(L"my notes")));

    // Slid to the left it runs elevated; to the right it goes into the search box.
    list_.BeginSlide(100, 50);
    list_.SlideBy(200);
    list_.EndSlide();
    EXPECT_EQ(host_.ran, L"notepad;my notes elevated;");
    list_.BeginSlide(100, 10);
    list_.SlideBy(-200);
    list_.EndSlide();
    EXPECT_EQ(host_.searchBox, L"notepad");

    // Delete removes the command from the history; the next one becomes current.
    list_.SelectRow(0);
    list_.DeleteCurrent();
    EXPECT_EQ(list_.Rows().Rows().size(), 1u);
    EXPECT_EQ(list_.CommandTextOfCurrent(), L"my notes");
    EXPECT_EQ(launcher_.History(0).Size(), 2u);

    launcher_.UpdateQuery(L"zzz");
    list_.Fill(true);
    EXPECT_EQ(list_.EmptyText(), t_EmptyListText::noMatches);
    launcher_.ClearHistory();
    list_.Fill(false);
    EXPECT_EQ(list_.EmptyText(), t_EmptyListText::nothingTyped);
}

TEST_F(CommandList, TheExecutorIndexChoosesTheLaunchersExecutor) {
    // The launcher's executors refer to the configuration's items, which outlive them.
    const std::vector<t_LaunchItem> items{{.shortCaption = L"ED",
                                           .description = L"Edit a file",
                                           .executablePath = L"edit.exe",
                                           .commandLineTemplate = L"%typed_command%",
                                           .workDir = L""}};
    launcher_.SetCustomExecutors(items);
    t_ExecutorIndexModel index(launcher_, resources_);
    index.Resize(50, 200);
    const std::int32_t cell = resources_.Metrics().rowHeight;
    EXPECT_EQ(index.TooltipAt(cell + 1), L"Edit a file");
    EXPECT_EQ(index.TooltipAt(2 * cell + 1), resources_.String(202));
    EXPECT_TRUE(index.ClickAt(cell + 1));
    EXPECT_EQ(launcher_.CurrentExecutor().Caption(), L"ED");
    EXPECT_FALSE(index.ClickAt(2 * cell + 1)) << "below the last executor";
    EXPECT_TRUE(index.Wheel(-1)); // one notch towards the user: the next, round to the first
    EXPECT_EQ(&launcher_.CurrentExecutor(), launcher_.Executors()[0]);
    launcher_.Clear();
}
