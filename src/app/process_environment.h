#pragma once
// Process-wide platform state, set up first and torn down last: heap policy, COM, the shutdown privilege, display
// metrics, buffered painting, common controls, the character-type locale and the known folders.

#include "ui/web_addresses.h"
#include "system/com_ptr.h"
#include "system/display_metrics.h"
#include "system/known_folders.h"

#include <string>
#include <string_view>

namespace n_ombrix {

enum class t_WebAddressKind { homePage, aboutLink };

class t_ProcessEnvironment {
public:
    t_ProcessEnvironment();
    t_ProcessEnvironment(const t_ProcessEnvironment&) = delete;
    t_ProcessEnvironment& operator=(const t_ProcessEnvironment&) = delete;
    ~t_ProcessEnvironment();

    HINSTANCE Instance() const noexcept { return instance_; }
    const t_DisplayMetrics& DisplayMetrics() const noexcept { return displayMetrics_; }
    const t_KnownFolders& KnownFolders() const noexcept { return knownFolders_; }

    // Deciphers one of the product's web addresses, with the language (string 192) put in.
    std::wstring WebAddress(t_WebAddressKind kind, std::wstring_view language) const;

private:
    // Each step of start-up that has no state of its own is a member whose constructor does it, so that the
    // declaration order below is the order of start-up (and its reverse the order of tear-down).
    struct t_HeapPolicy {
        t_HeapPolicy();
    };
    struct t_ShutdownPrivilege {
        t_ShutdownPrivilege() noexcept;
    };
    struct t_BufferedPaint {
        t_BufferedPaint();
        t_BufferedPaint(const t_BufferedPaint&) = delete;
        t_BufferedPaint& operator=(const t_BufferedPaint&) = delete;
        ~t_BufferedPaint();
    };
    struct t_CommonControls {
        t_CommonControls() noexcept;
    };
    struct t_CharacterLocale {
        t_CharacterLocale() noexcept;
    };

    static HINSTANCE ProgramInstance();

    t_HeapPolicy heapPolicy_;
    n_zql::n_system::n_windows::n_com::t_ComApartment comApartment_;
    t_ShutdownPrivilege shutdownPrivilege_;
    t_DisplayMetrics displayMetrics_;
    t_BufferedPaint bufferedPaint_;
    t_CommonControls commonControls_;
    HINSTANCE instance_; // not owned: the program's own module
    t_CharacterLocale characterLocale_;
    t_KnownFolders knownFolders_;
    // EncodePointer'd addresses of the enciphered texts: nothing in memory points at them in plain sight.
    void* encodedHomePage_;
    void* encodedAboutLink_;
};

} // namespace n_ombrix
