// Window objects on real windows: the dispatching procedure, subclassing, destruction with a parent, borders and the
// anchored layout in one batch.

#include "ui/window.h"

#include "ui/deferred_positions.h"
#include "ui/window_class.h"

#include <gtest/gtest.h>

#include <vector>

using namespace n_ombrix;

namespace {

// A window that notes the messages it is given; a border on the sides asked for.
class t_NotingWindow : public t_Window {
public:
    t_NotingWindow(const wchar_t* className, HWND parent, int x, unsigned borders = n_border::none)
        : borders_(borders) {
        CreateWindowFor(
            {.style = parent ? WS_CHILD : WS_POPUP, .className = className, .x = x, .width = 50, .height = 30}, parent);
    }
    // An existing control, taken over.
    explicit t_NotingWindow(HWND control) { Subclass(control); }
    ~t_NotingWindow() override { DestroyWindowFor(); }
    void Destroy() noexcept { DestroyWindowFor(); }

    std::vector<UINT> messages;

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        messages.push_back(message);
        if (message == WM_NCCALCSIZE && borders_) return CalculateBorderedClient(wParam, lParam, borders_);
        return DefaultProcedure(message, wParam, lParam);
    }
    unsigned borders_ = n_border::none;
};

class Window : public testing::Test {
protected:
    const t_WindowClass class_{0, GetModuleHandleW(nullptr), nullptr, L"Ombrix.Tests.Window"};
};

} // namespace

TEST_F(Window, AnObjectHearsNothingOnceItsWindowIsGoneAndChildrenForgetTheirsWithTheParent) {
    t_NotingWindow parent(class_.Name(), nullptr, 0);
    // A border is off the client area from the start, though WM_NCCALCSIZE came before the object was attached.
    t_NotingWindow child(class_.Name(), parent.Handle(), 10, n_border::left | n_border::bottom);
    EXPECT_EQ(std::pair(child.ClientRectangle().right, child.ClientRectangle().bottom), std::pair(49L, 29L));

    const HWND window = parent.Handle();
    parent.Destroy();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(child.Handle(), nullptr); // destroyed with its parent, and known to be
    const std::size_t heard = parent.messages.size();
    SendMessageW(window, WM_USER, 0, 0);
    EXPECT_EQ(parent.messages.size(), heard);
}

TEST_F(Window, ASubclassedControlGetsItsOwnProcedureBackWhenDestroyed) {
    const HWND edit = CreateWindowExW(0, L"Edit", L"typed", WS_POPUP, 0, 0, 80, 20, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(edit, nullptr);
    t_NotingWindow object(edit);
    // The object hears the control's messages; what it does not take, the control does.
    wchar_t text[16] = {};
    EXPECT_EQ(SendMessageW(edit, WM_GETTEXT, 16, reinterpret_cast<LPARAM>(text)), 5);
    EXPECT_STREQ(text, L"typed");
    EXPECT_EQ(object.messages.back(), static_cast<UINT>(WM_GETTEXT));
    // The procedure is back before the control's own last messages: it sees them all, and nothing reaches the object.
    const std::size_t heard = object.messages.size();
    DestroyWindow(edit);
    EXPECT_EQ(object.Handle(), nullptr);
    EXPECT_EQ(object.messages.size(), heard);
}

TEST_F(Window, AnchoredPanesMoveInOneBatch) {
    t_NotingWindow parent(class_.Name(), nullptr, 0);
    t_NotingWindow left(class_.Name(), parent.Handle(), 0), right(class_.Name(), parent.Handle(), 60);
    const std::int32_t edge = 200;
    right.SetAnchors({.left = {&left.Rectangle().right, 5}, .right = {&edge, 10}});
    {
        t_DeferredPositions batch(2);
        left.Layout(batch, SWP_NOZORDER | SWP_NOACTIVATE);
        right.Layout(batch, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    right.ReadClientRectangle();
    EXPECT_EQ(right.Rectangle(), (t_Rect{55, 0, 190, 30}));
    EXPECT_EQ(right.ClientRectangle().right, 135);
}
