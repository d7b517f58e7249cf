#pragma once
// Watches what the catalogue is built from (the shortcut folders, each with its subfolders, and the registry's
// package families) on a thread of its own, which only waits and, at every change, posts a message to a window. The
// window's thread decides when to build the catalogue again. Folders and keys that do not exist are not watched.

#include "system/unique_handle.h"

#include <windows.h>

#include <string>
#include <thread>
#include <vector>

namespace n_ombrix {

// The registry's package families, under HKEY_CURRENT_USER.
inline constexpr wchar_t packageFamiliesKey[] =
    L"Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\CurrentVersion\\AppModel\\Repository\\Families";

class t_CatalogueWatcher {
public:
    // packageFamilies: a key under HKEY_CURRENT_USER, or empty.
    t_CatalogueWatcher(const std::vector<std::wstring>& folders, const std::wstring& packageFamilies, HWND window,
                       UINT message);
    t_CatalogueWatcher(const t_CatalogueWatcher&) = delete;
    t_CatalogueWatcher& operator=(const t_CatalogueWatcher&) = delete;
    // Stops the thread and waits for it.
    ~t_CatalogueWatcher();

private:
    void Watch() const noexcept;
    void ArmRegistry() const noexcept;

    HWND window_;
    UINT message_;
    std::vector<n_zql::n_system::n_windows::t_ChangeNotification> folders_;
    n_zql::n_system::n_windows::t_RegistryKey packageFamilies_;
    n_zql::n_system::n_windows::t_Handle registryChanged_;
    n_zql::n_system::n_windows::t_Handle stop_;
    std::thread thread_;
};

} // namespace n_ombrix
