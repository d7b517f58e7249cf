#include "catalogue/catalogue_scan.h"

#include "catalogue/catalogue_tidy.h"
#include "catalogue/file_item.h"
#include "catalogue/filter_pattern.h"
#include "catalogue/folder_display_names.h"
#include "catalogue/folder_item.h"
#include "catalogue/installed_packages.h"
#include "catalogue/link_property_reader.h"
#include "catalogue/packaged_app_item.h"
#include "catalogue/shortcut_item.h"
#include "launch/shell_execute.h"
#include "system/folder_walker.h"
#include "system/known_folders.h"
#include "system/unique_handle.h"

#include <shlwapi.h>
#include <shobjidl.h>
#include <versionhelpers.h>

#include <cstddef>
#include <optional>

namespace n_ombrix {

using namespace n_zql::n_system::n_windows;
using n_com::t_ComPtr;

namespace {

constexpr CLSID applicationResolverClassId{
    0x660B90C8, 0x73A9, 0x4B58, {0x8C, 0xAE, 0x35, 0x5B, 0x7F, 0x55, 0x34, 0x1B}};
constexpr IID applicationResolverWindows8Id{
    0xDE25675A, 0x72DE, 0x44B4, {0x93, 0x73, 0x05, 0x17, 0x04, 0x50, 0xC1, 0x40}};
constexpr IID applicationResolverWindows7Id{
    0x46A6EEFF, 0x908E, 0x4DC6, {0x92, 0xA6, 0x64, 0xBE, 0x91, 0x77, 0xB4, 0x1C}};

// SLR_NO_UI | SLR_NOUPDATE | SLR_NOSEARCH | SLR_NOTRACK: a broken link must never make the build wait.
constexpr DWORD resolveFlags = 0x39;
constexpr int linkTextCapacity = 1024;

t_ComPtr<t_ApplicationResolver> CreateApplicationResolver() {
    t_ComPtr<IUnknown> object;
    if (FAILED(CoCreateInstance(applicationResolverClassId, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(object.Put()))))
        return {};
    // Two interface identities share one C++ type here, so IID_PPV_ARGS cannot name them.
    const IID& id = IsWindows8OrGreater() ? applicationResolverWindows8Id : applicationResolverWindows7Id;
    t_ComPtr<t_ApplicationResolver> resolver;
    if (FAILED(object->QueryInterface(id, reinterpret_cast<void**>(resolver.Put())))) return {};
    return resolver;
}

// Text out of one of IShellLinkW's fixed-buffer getters; empty when it fails.
template <typename t_Getter> std::wstring LinkText(t_Getter&& get) {
    wchar_t buffer[linkTextCapacity] = {};
    if (FAILED(get(buffer, linkTextCapacity))) return {};
    buffer[linkTextCapacity - 1] = L'\0';
    return buffer;
}

bool IsLinkFile(std::wstring_view fileName) {
    const std::size_t dot = fileName.rfind(L'.');
    return dot != std::wstring_view::npos && CompareIgnoringCase(fileName.substr(dot), L".lnk") == 0;
}

bool IsStartMenu(const std::wstring& location, const t_StartMenuFolders& startMenus) {
    return CompareIgnoringCase(location, startMenus.user) == 0 || CompareIgnoringCase(location, startMenus.common) == 0;
}

// A folder as the file system knows it, whatever path leads there: junctions and symbolic links can make a
// folder its own descendant.
std::optional<t_CatalogueScan::t_FolderIdentity> IdentityOf(const std::wstring& folder) {
    const t_FileHandle handle(CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                          OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION information{};
    if (!handle || !GetFileInformationByHandle(handle.Get(), &information)) return std::nullopt;
    return t_CatalogueScan::t_FolderIdentity{information.dwVolumeSerialNumber,
                                             (std::uint64_t{information.nFileIndexHigh} << 32) |
                                                 information.nFileIndexLow};
}

} // namespace

class t_CatalogueScan::t_EntryWalker final : public t_FolderWalkerBase {
public:
    t_EntryWalker(t_CatalogueScan& scan, const std::wstring& folder, const t_WalkMode& mode, t_List& container)
        : scan_(scan), folder_(folder), mode_(mode), container_(container) {}

private:
    void OnEntry(const WIN32_FIND_DATAW& entry) override {
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) return;
        const std::wstring name(entry.cFileName);
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            scan_.AddFile(folder_, name, mode_, container_);
        else if (name != L"." && name != L".." && mode_.recurse)
            scan_.AddSubfolder(folder_, name, entry.dwFileAttributes, mode_, container_);
    }

    t_CatalogueScan& scan_;
    t_FolderDisplayNames folder_;
    const t_WalkMode& mode_;
    t_List& container_;
};

std::wstring PreparedLocation(std::wstring location) {
    ExpandEnvironment(location);
    if (location.empty() || (location.back() != L'\\' && location.back() != L'/')) location.push_back(L'\\');
    return location;
}

t_CatalogueScan::t_CatalogueScan(t_Catalogue& catalogue, t_IconStore& iconStore, const t_Configuration& configuration)
    : catalogue_(catalogue), iconStore_(iconStore), filters_(configuration.appsShortcutsFilters),
      resolveAppIds_(configuration.handleJumplists), handleModernApps_(configuration.handleModernApps),
      extractSingleItems_(configuration.extractSingleItemFolders), showIcons_(configuration.showIcons),
      compactMode_(configuration.compactMode) {
    iconStore_.Clear();
    if (showIcons_) iconStore_.LoadDefaults();
    appResolver_ = CreateApplicationResolver();
    // Asking for the class once spares looking it up in the registry for every link (most of a link's cost under
    // Wine). Without it each link is created on its own.
    CoGetClassObject(CLSID_ShellLink, CLSCTX_INPROC_SERVER, nullptr, IID_PPV_ARGS(linkFactory_.Put()));
}

t_CatalogueScan::~t_CatalogueScan() = default;

void t_CatalogueScan::WalkApplications(const std::vector<std::wstring>& locations,
                                       const t_StartMenuFolders& startMenus) {
    const t_WalkMode tree{.largeItems = !compactMode_, .recurse = true, .flatten = false};
    if (handleModernApps_) AddPackagedApps(tree);
    for (const std::wstring& configured : locations) {
        const std::wstring location = PreparedLocation(configured);
        if (IsStartMenu(location, startMenus)) {
            WalkLocation(location, {.largeItems = tree.largeItems, .recurse = false, .flatten = false});
            WalkLocation(location + L"Programs\\", tree);
        } else {
            WalkLocation(location, tree);
        }
    }
    Finish(catalogue_.AppsRoot());
    // The store holds exactly the applications tree now; places come later and are never search results.
    t_ItemSearch<t_CatalogueItem>& search = catalogue_.Search();
    search.Reserve(catalogue_.Items().size());
    for (const std::unique_ptr<t_CatalogueItem>& item : catalogue_.Items()) search.Add(*item);
}

void t_CatalogueScan::WalkPlaces(const std::vector<std::wstring>& locations) {
    for (const std::wstring& configured : locations)
        WalkLocation(PreparedLocation(configured), {.largeItems = false, .recurse = false, .flatten = true});
    Finish(catalogue_.PlacesRoot());
}

void t_CatalogueScan::WalkLocation(const std::wstring& location, const t_WalkMode& mode) {
    visitedFolders_.clear();
    if (const std::optional<t_FolderIdentity> identity = IdentityOf(location)) visitedFolders_.insert(*identity);
    Walk(location, mode, root_);
}

void t_CatalogueScan::Walk(const std::wstring& folder, const t_WalkMode& mode, t_List& container) {
    t_EntryWalker walker(*this, folder, mode, container);
    try {
        walker.Walk(folder + L"*");
    } catch (const t_FolderWalkerBase::t_ErrorException&) {
        // Missing or unreadable: the folder simply adds nothing more.
    }
}

void t_CatalogueScan::AddFile(t_FolderDisplayNames& folder, const std::wstring& fileName, const t_WalkMode& mode,
                              t_List& container) {
    if (Filtered(fileName)) return;
    const std::wstring fullPath = folder.Folder() + fileName;
    std::wstring displayName = DisplayName(folder, fileName);
    if (Filtered(displayName)) return;
    if (IsLinkFile(fileName)) {
        AddShortcut(fullPath, std::move(displayName), mode, container);
        return;
    }
    HBITMAP icon = showIcons_ ? iconStore_.ImageForFile(fullPath, mode.largeItems) : nullptr;
    Add(std::make_unique<t_FileItem>(icon, std::move(displayName), fullPath), container);
}

void t_CatalogueScan::AddShortcut(const std::wstring& linkPath, std::wstring displayName, const t_WalkMode& mode,
                                  t_List& container) {
    t_ComPtr<IShellLinkW> link;
    const HRESULT created =
        linkFactory_ ? linkFactory_->CreateInstance(nullptr, IID_PPV_ARGS(link.Put()))
                     : CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(link.Put()));
    if (FAILED(created)) return;
    const t_ComPtr<IPersistFile> file = link.TryQuery<IPersistFile>();
    if (!file || FAILED(file->Load(linkPath.c_str(), STGM_READ)) || FAILED(link->Resolve(nullptr, resolveFlags)))
        return;

    t_LinkPropertyReader properties(link.Get(), linkPath);
    if (properties.Has(startMenuExclusionKey)) return;
    std::wstring appId = properties.String(appUserModelIdKey).value_or(std::wstring());
    std::wstring targetPath =
        LinkText([&](wchar_t* buffer, int size) { return link->GetPath(buffer, size, nullptr, 0); });
    if (!targetPath.empty() && Filtered(targetPath)) return;
    std::wstring arguments = LinkText([&](wchar_t* buffer, int size) { return link->GetArguments(buffer, size); });
    std::wstring description;
    if (mode.largeItems) {
        description = LinkText([&](wchar_t* buffer, int size) { return link->GetDescription(buffer, size); });
        // A description that only repeats the name says nothing.
        if (CompareIgnoringCase(description, displayName) == 0) description.clear();
    }
    HBITMAP icon = showIcons_ ? iconStore_.ImageForLink(link.Get(), mode.largeItems) : nullptr;
    if (resolveAppIds_ && appId.empty() && appResolver_) {
        t_ComPtr<IShellItem> item;
        n_com::t_CoTaskMemString resolved;
        if (SUCCEEDED(SHCreateItemFromParsingName(linkPath.c_str(), nullptr, IID_PPV_ARGS(item.Put()))) &&
            SUCCEEDED(appResolver_->GetAppIDForShortcut(item.Get(), resolved.Put())) && resolved.Get())
            appId = resolved.Get();
    }
    Add(std::make_unique<t_ShortcutItem>(icon, std::move(displayName), std::move(description), std::move(appId),
                                         std::move(targetPath), std::move(arguments), linkPath),
        container);
}

void t_CatalogueScan::AddSubfolder(t_FolderDisplayNames& folder, const std::wstring& name, DWORD attributes,
                                   const t_WalkMode& mode, t_List& container) {
    const std::wstring subPath = folder.Folder() + name + L"\\";
    // A folder reached a second time in one location (a junction or link looping back) adds nothing, so that a
    // loop costs nothing. Where the file system gives no identity, a reparse point is not followed at all.
    const std::optional<t_FolderIdentity> identity = IdentityOf(subPath);
    if (identity ? !visitedFolders_.insert(*identity).second : (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) return;
    if (mode.flatten) {
        Walk(subPath, mode, container);
        return;
    }
    t_List children;
    Walk(subPath, mode, children);
    // Empty folders, and folders whose every entry was filtered out, are not listed.
    if (children.empty()) return;
    HBITMAP icon = showIcons_ ? iconStore_.ImageForFolder(mode.largeItems) : nullptr;
    Add(std::make_unique<t_FolderItem>(icon, DisplayName(folder, name), std::move(children)), container);
}

void t_CatalogueScan::Add(std::unique_ptr<t_CatalogueItem> item, t_List& container) {
    container.push_back(item.get());
    ownedItems_.push_back(std::move(item));
}

std::wstring t_CatalogueScan::DisplayName(t_FolderDisplayNames& folder, const std::wstring& entryName) {
    std::wstring displayName;
    if (!folder.Get(entryName, displayName)) displayName = entryName;
    return displayName;
}

void t_CatalogueScan::AddPackagedApps(const t_WalkMode& mode) {
    logoChooser_ = std::make_unique<t_LogoChooser>();
    for (const t_PackagedApp& app : InstalledPackagedApps())
        if (IsListable(app)) AddPackagedApp(app, mode);
}

void t_CatalogueScan::AddPackagedApp(const t_PackagedApp& app, const t_WalkMode& mode) {
    // A resource name the shell cannot resolve (a missing resource or language; under Wine, any) is never shown as it
    // stands: the name falls back to the package's, the description to none.
    const auto resolved = [&](const std::wstring& text) -> std::optional<std::wstring> {
        if (text.find(L':') == std::wstring::npos) return text;
        wchar_t buffer[1024]{};
        if (FAILED(SHLoadIndirectString(IndirectString(app, text).c_str(), buffer, 1024, nullptr))) return std::nullopt;
        return std::wstring(buffer);
    };
    std::wstring name = resolved(app.displayName).value_or(FallbackName(app));
    if (name.empty() || Filtered(name)) return;
    std::wstring description = mode.largeItems ? resolved(app.description).value_or(std::wstring()) : std::wstring();
    if (CompareIgnoringCase(description, name) == 0) description.clear();
    HBITMAP image = showIcons_ ? PackagedAppImage(app, mode.largeItems) : nullptr;
    Add(std::make_unique<t_PackagedAppItem>(image, std::move(name), std::move(description),
                                            app.familyName + L"!" + app.applicationId),
        root_);
}

HBITMAP t_CatalogueScan::PackagedAppImage(const t_PackagedApp& app, bool large) {
    const bool square30 = app.square44Logo.empty();
    const std::int32_t size = large ? iconStore_.LargeSize() : iconStore_.SmallSize();
    const std::int32_t target = LogoTargetSize(size, large);
    const std::wstring& path =
        logoChooser_->Choose(app.rootFolder, square30 ? app.square30Logo : app.square44Logo, size, target, square30);
    if (path.empty())
        return iconStore_.Slot(large ? t_IconStore::defaultAppLargeSlot : t_IconStore::defaultAppSmallSlot);
    return iconStore_.ImageForLogo(path, LogoBackground(app.backgroundColor, iconStore_.LogoBackground()), size,
                                   logoChooser_->Unplated() ? size : target, large);
}

bool t_CatalogueScan::Filtered(std::wstring_view text) const noexcept { return MatchesAnyPattern(text, filters_); }

void t_CatalogueScan::Finish(t_List& catalogueRoot) {
    if (!root_.empty()) Tidy(root_, extractSingleItems_);
    for (std::unique_ptr<t_CatalogueItem>& item : TakeReachable(ownedItems_, root_)) catalogue_.Adopt(std::move(item));
    catalogueRoot = std::move(root_);
    root_.clear();
}

void BuildCatalogue(t_Catalogue& catalogue, t_IconStore& iconStore, const t_Configuration& configuration,
                    const t_StartMenuFolders& startMenus) {
    // The scan empties the icon store, whose images the old items still show.
    catalogue.Clear();
    t_CatalogueScan scan(catalogue, iconStore, configuration);
    scan.WalkApplications(configuration.appsShortcutsLocations, startMenus);
    scan.WalkPlaces(configuration.placesShortcutsLocations);
    catalogue.PlacesRows() = BuildPlacesRows(catalogue.PlacesRoot().size());
}

void BuildCatalogue(t_Catalogue& catalogue, t_IconStore& iconStore, const t_Configuration& configuration,
                    const t_KnownFolders& knownFolders) {
    BuildCatalogue(catalogue, iconStore, configuration,
                   {.user = knownFolders.UserStartMenuFolder(), .common = knownFolders.CommonStartMenuFolder()});
}

} // namespace n_ombrix
