#include "catalogue/catalogue_watcher.h"

namespace n_ombrix {

namespace {

// One wait takes at most this many handles; the stop event and the registry's take two.
constexpr std::size_t maximumFolders = MAXIMUM_WAIT_OBJECTS - 2;
constexpr DWORD folderChanges =
    FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE;

} // namespace

t_CatalogueWatcher::t_CatalogueWatcher(const std::vector<std::wstring>& folders, const std::wstring& packageFamilies,
                                       HWND window, UINT message)
    : window_(window), message_(message), registryChanged_(CreateEventW(nullptr, FALSE, FALSE, nullptr)),
      stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    for (const std::wstring& folder : folders) {
        if (folders_.size() == maximumFolders) break;
        n_zql::n_system::n_windows::t_ChangeNotification notification(
            FindFirstChangeNotificationW(folder.c_str(), TRUE, folderChanges));
        if (notification) folders_.push_back(std::move(notification));
    }
    if (!packageFamilies.empty())
        RegOpenKeyExW(HKEY_CURRENT_USER, packageFamilies.c_str(), 0, KEY_NOTIFY, packageFamilies_.Put());
    if (stop_) thread_ = std::thread([this] { Watch(); });
}

t_CatalogueWatcher::~t_CatalogueWatcher() {
    if (!thread_.joinable()) return;
    SetEvent(stop_.Get());
    thread_.join();
}

// On the watching thread, which outlives every notification it asks for.
void t_CatalogueWatcher::ArmRegistry() const noexcept {
    if (packageFamilies_ && registryChanged_)
        RegNotifyChangeKeyValue(packageFamilies_.Get(), TRUE, REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET,
                                registryChanged_.Get(), TRUE);
}

void t_CatalogueWatcher::Watch() const noexcept {
    std::vector<HANDLE> handles{stop_.Get()};
    if (packageFamilies_ && registryChanged_) handles.push_back(registryChanged_.Get());
    const std::size_t firstFolder = handles.size();
    for (const auto& folder : folders_) handles.push_back(folder.Get());
    ArmRegistry();
    for (;;) {
        const DWORD signalled =
            WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), FALSE, INFINITE);
        const std::size_t index = signalled - WAIT_OBJECT_0;
        if (signalled == WAIT_FAILED || index == 0 || index >= handles.size()) return;
        PostMessageW(window_, message_, 0, 0);
        if (index >= firstFolder)
            FindNextChangeNotification(handles[index]);
        else
            ArmRegistry();
    }
}

} // namespace n_ombrix
