#include "app/process_environment.h"

#include "system/error_exception.h"
#include "system/unique_handle.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <clocale>

namespace n_ombrix {

using namespace n_zql::n_system::n_windows;

// A corrupted heap must end the process rather than be exploited.
t_ProcessEnvironment::t_HeapPolicy::t_HeapPolicy() {
    HANDLE heap = GetProcessHeap();
    if (!heap) ThrowWin32Error(GetLastError());
    if (!HeapSetInformation(heap, HeapEnableTerminationOnCorruption, nullptr, 0)) ThrowWin32Error(GetLastError());
}

// The power actions need the shutdown privilege. Without it they fail in the platform, so failures here are silent.
t_ProcessEnvironment::t_ShutdownPrivilege::t_ShutdownPrivilege() noexcept {
    TOKEN_PRIVILEGES privileges{.PrivilegeCount = 1, .Privileges = {}};
    if (!LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid)) return;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    t_Handle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.Put())) return;
    AdjustTokenPrivileges(token.Get(), FALSE, &privileges, 0, nullptr, nullptr);
}

t_ProcessEnvironment::t_BufferedPaint::t_BufferedPaint() { n_graphics::n_gdi::ThrowIfFailed(BufferedPaintInit()); }

t_ProcessEnvironment::t_BufferedPaint::~t_BufferedPaint() {
    // A destructor cannot report; BufferedPaintUnInit only fails when the counts are already unbalanced.
    BufferedPaintUnInit();
}

t_ProcessEnvironment::t_CommonControls::t_CommonControls() noexcept {
    const INITCOMMONCONTROLSEX controls{
        .dwSize = sizeof(INITCOMMONCONTROLSEX),
        .dwICC = ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_STANDARD_CLASSES | ICC_LINK_CLASS,
    };
    InitCommonControlsEx(&controls);
}

// The case-insensitive comparisons (towupper, _wcsicmp) follow the user's default locale.
t_ProcessEnvironment::t_CharacterLocale::t_CharacterLocale() noexcept { std::setlocale(LC_CTYPE, ""); }

HINSTANCE t_ProcessEnvironment::ProgramInstance() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!instance) ThrowWin32Error(GetLastError());
    return instance;
}

t_ProcessEnvironment::t_ProcessEnvironment()
    : displayMetrics_(t_DisplayMetrics::Read()), instance_(ProgramInstance()), knownFolders_(instance_),
      encodedHomePage_(EncodePointer(const_cast<std::uint16_t*>(HomePageAddress().data()))),
      encodedAboutLink_(EncodePointer(const_cast<std::uint16_t*>(AboutLinkAddress().data()))) {}

t_ProcessEnvironment::~t_ProcessEnvironment() = default;

std::wstring t_ProcessEnvironment::WebAddress(t_WebAddressKind kind, std::wstring_view language) const {
    const bool home = kind == t_WebAddressKind::homePage;
    const auto* units = static_cast<const std::uint16_t*>(DecodePointer(home ? encodedHomePage_ : encodedAboutLink_));
    const std::size_t length = (home ? HomePageAddress() : AboutLinkAddress()).size();
    return WebAddressForLanguage({units, length}, language);
}

} // namespace n_ombrix
