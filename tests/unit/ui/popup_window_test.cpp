// The popup in this process, on the test prefix's real screen: placement on work areas with the taskbar at the left
// and at the top, and the resize strip's hit test and floor.

#include "ui/popup_window.h"

#include "built_program.h"
#include "catalogue/catalogue.h"
#include "launch/default_launcher.h"
#include "quiet_popup_owner.h"
#include "scratch_folder.h"
#include "system/com_ptr.h"
#include "ui/widget_resources.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace n_ombrix;
using namespace n_ombrix_test;
using namespace n_zql::n_system::n_windows;

namespace {

// The work area for the test, put back afterwards.
class t_WorkArea {
public:
    explicit t_WorkArea(const RECT& area) {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &saved_, 0);
        SystemParametersInfoW(SPI_SETWORKAREA, 0, const_cast<RECT*>(&area), 0);
    }
    t_WorkArea(const t_WorkArea&) = delete;
    t_WorkArea& operator=(const t_WorkArea&) = delete;
    ~t_WorkArea() { SystemParametersInfoW(SPI_SETWORKAREA, 0, &saved_, 0); }

private:
    RECT saved_{};
};

std::tuple<LONG, LONG, LONG, LONG> Edges(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

class PopupWindow : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(program_) << "cannot load the built program";
        resources_.ApplyColorScheme({}, true);
        launcher_.SetCustomExecutors({});
    }

    RECT Shown() {
        popup_.SetMode(false);
        popup_.Show();
        RECT rect{};
        GetWindowRect(popup_.Handle(), &rect);
        popup_.Hide();
        return rect;
    }

    const n_com::t_ComApartment apartment_;
    const t_Module program_ = LoadBuiltProgramResources();
    t_WidgetResources resources_{program_.Get(), t_DisplayMetrics::Read()};
    const t_ScratchFolder data_{L"popup-window"};
    t_DefaultLauncher launcher_{data_.Path()};
    t_Catalogue catalogue_;
    t_QuietPopupOwner owner_;
    t_PopupWindow popup_{GetModuleHandleW(nullptr),
                         resources_,
                         owner_,
                         catalogue_,
                         launcher_,
                         t_PopupSettings{.width = 621, .appsListWidth = 300}};
};

} // namespace

// On Windows the monitor's work area follows SPI_SETWORKAREA; Wine 8's monitors keep theirs, and there the test
// says so and stops (the arithmetic is tested natively).
TEST_F(PopupWindow, ItStandsAtTheWorkAreasCornerAsTallAsItAndNoWiderThanIt) {
    RECT screen{};
    GetWindowRect(GetDesktopWindow(), &screen);
    struct t_Case {
        const char* taskbar;
        RECT work;
        RECT expected;
    };
    const t_Case cases[] = {
        {"left", {60, 0, screen.right, screen.bottom}, {60, 0, 681, screen.bottom}},
        {"top", {0, 40, screen.right, screen.bottom}, {0, 40, 621, screen.bottom}},
        {"narrow", {0, 0, 400, screen.bottom - 30}, {0, 0, 400, screen.bottom - 30}},
    };
    for (const t_Case& c : cases) {
        const t_WorkArea work(c.work);
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
        if (Edges(monitor.rcWork) != Edges(c.work)) GTEST_SKIP() << "the monitor keeps its work area (Wine)";
        EXPECT_EQ(Edges(Shown()), Edges(c.expected)) << c.taskbar;
    }
    // The narrow area did not change the width that a wider one gets.
    EXPECT_EQ(popup_.Width(), 621);
}

TEST_F(PopupWindow, OnlyTheStripResizesAndTheSidePaneKeepsItsFloor) {
    popup_.SetMode(false);
    popup_.Show();
    const HWND window = popup_.Handle();
    RECT bounds{};
    GetWindowRect(window, &bounds);
    // The strip is U + 1 = 21 px at 96 DPI.
    const auto hit = [&](LONG x) { return SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(x, bounds.top + 100)); };
    EXPECT_EQ(hit(bounds.right - 22), HTCLIENT);
    EXPECT_EQ(hit(bounds.right - 21), HTRIGHT);
    EXPECT_EQ(hit(bounds.right - 1), HTRIGHT);
    EXPECT_EQ(hit(bounds.right), HTNOWHERE);

    // The side pane is 250 px wide: the right edge goes at most 150 px to the left; the other edges stay.
    RECT proposed{bounds.left + 5, bounds.top + 5, bounds.right - 400, bounds.bottom - 5};
    SendMessageW(window, WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&proposed));
    EXPECT_EQ(Edges(proposed), Edges({bounds.left, bounds.top, bounds.right - 150, bounds.bottom}));
    proposed = {bounds.left, bounds.top, bounds.right + 40, bounds.bottom};
    SendMessageW(window, WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&proposed));
    EXPECT_EQ(proposed.right, bounds.right + 40);

    // Another window's activation hides the popup through its owner.
    SendMessageW(window, WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_EQ(owner_.hides, 1);
    popup_.Hide();
}
