#pragma once
// One move-only owner for every kind of platform handle. A traits type names the handle type, its empty value and
// how it is released; one alias per handle kind follows.

#include <windows.h>

#include <utility>

namespace n_zql::n_system::n_windows {

template <typename Traits> class t_UniqueHandle {
public:
    using t_Value = typename Traits::t_Value;

    t_UniqueHandle() noexcept = default;
    explicit t_UniqueHandle(t_Value value) noexcept : value_(value) {}
    t_UniqueHandle(t_UniqueHandle&& other) noexcept : value_(other.Release()) {}
    t_UniqueHandle& operator=(t_UniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    t_UniqueHandle(const t_UniqueHandle&) = delete;
    t_UniqueHandle& operator=(const t_UniqueHandle&) = delete;
    ~t_UniqueHandle() { Reset(); }

    t_Value Get() const noexcept { return value_; }
    explicit operator bool() const noexcept { return value_ != Traits::Empty(); }

    // Gives up ownership without closing.
    t_Value Release() noexcept { return std::exchange(value_, Traits::Empty()); }

    // Closes the current handle (if any) and takes the new one. The thread's last error survives, so that a caller
    // can still read the error of the call that produced the new value.
    void Reset(t_Value value = Traits::Empty()) noexcept {
        const t_Value old = std::exchange(value_, value);
        if (old != Traits::Empty()) {
            const DWORD lastError = GetLastError();
            Traits::Close(old);
            SetLastError(lastError);
        }
    }

    // For out-parameters: closes the current handle first.
    t_Value* Put() noexcept {
        Reset();
        return &value_;
    }

private:
    t_Value value_ = Traits::Empty();
};

namespace n_handle_traits {

template <typename T, auto CloseFunction> struct t_Traits {
    using t_Value = T;
    static t_Value Empty() noexcept { return t_Value{}; }
    static void Close(t_Value value) noexcept { CloseFunction(value); }
};

// CreateFileW and the find functions report failure with INVALID_HANDLE_VALUE, not null.
struct t_FileTraits {
    using t_Value = HANDLE;
    static t_Value Empty() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(t_Value value) noexcept { CloseHandle(value); }
};

struct t_FindTraits {
    using t_Value = HANDLE;
    static t_Value Empty() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(t_Value value) noexcept { FindClose(value); }
};
struct t_ChangeNotificationTraits {
    using t_Value = HANDLE;
    static t_Value Empty() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(t_Value value) noexcept { FindCloseChangeNotification(value); }
};

} // namespace n_handle_traits

using t_Handle = t_UniqueHandle<n_handle_traits::t_Traits<HANDLE, CloseHandle>>;
using t_FileHandle = t_UniqueHandle<n_handle_traits::t_FileTraits>;
using t_FindHandle = t_UniqueHandle<n_handle_traits::t_FindTraits>;
using t_ChangeNotification = t_UniqueHandle<n_handle_traits::t_ChangeNotificationTraits>;
using t_RegistryKey = t_UniqueHandle<n_handle_traits::t_Traits<HKEY, RegCloseKey>>;
using t_Module = t_UniqueHandle<n_handle_traits::t_Traits<HMODULE, FreeLibrary>>;
using t_Hook = t_UniqueHandle<n_handle_traits::t_Traits<HHOOK, UnhookWindowsHookEx>>;
using t_Icon = t_UniqueHandle<n_handle_traits::t_Traits<HICON, DestroyIcon>>;
using t_Menu = t_UniqueHandle<n_handle_traits::t_Traits<HMENU, DestroyMenu>>;
using t_WindowHandle = t_UniqueHandle<n_handle_traits::t_Traits<HWND, DestroyWindow>>;
using t_MappedView = t_UniqueHandle<n_handle_traits::t_Traits<void*, UnmapViewOfFile>>;

namespace n_graphics::n_gdi {

using t_Bitmap = t_UniqueHandle<n_handle_traits::t_Traits<HBITMAP, DeleteObject>>;
using t_Font = t_UniqueHandle<n_handle_traits::t_Traits<HFONT, DeleteObject>>;
using t_Brush = t_UniqueHandle<n_handle_traits::t_Traits<HBRUSH, DeleteObject>>;
using t_MemoryDc = t_UniqueHandle<n_handle_traits::t_Traits<HDC, DeleteDC>>;

// A DC obtained with GetDC belongs to its window and goes back with ReleaseDC, so it carries the window too.
class t_WindowDc {
public:
    explicit t_WindowDc(HWND window) noexcept : window_(window), dc_(GetDC(window)) {}
    t_WindowDc(const t_WindowDc&) = delete;
    t_WindowDc& operator=(const t_WindowDc&) = delete;
    ~t_WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    HDC Get() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }

private:
    HWND window_; // not owned
    HDC dc_;
};

// An object selected into a DC for the owner's lifetime; the one it replaced goes back at the end.
class t_Selection {
public:
    t_Selection(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(SelectObject(dc, object)) {}
    t_Selection(const t_Selection&) = delete;
    t_Selection& operator=(const t_Selection&) = delete;
    ~t_Selection() {
        if (*this) SelectObject(dc_, previous_);
    }
    explicit operator bool() const noexcept { return previous_ != nullptr && previous_ != HGDI_ERROR; }

private:
    HDC dc_;           // not owned
    HGDIOBJ previous_; // not owned
};

// The DC's state (selected objects, colours, modes) saved for the owner's lifetime and restored at the end.
class t_SavedDcState {
public:
    explicit t_SavedDcState(HDC dc) noexcept : dc_(dc), saved_(SaveDC(dc)) {}
    t_SavedDcState(const t_SavedDcState&) = delete;
    t_SavedDcState& operator=(const t_SavedDcState&) = delete;
    ~t_SavedDcState() {
        if (saved_) RestoreDC(dc_, saved_);
    }

private:
    HDC dc_; // not owned
    int saved_;
};

} // namespace n_graphics::n_gdi

} // namespace n_zql::n_system::n_windows
