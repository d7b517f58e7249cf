#include "catalogue/catalogue_scan.h"

#include "app/known_folders.h"
#include "catalogue/catalogue_tidy.h"
#include "catalogue/file_item.h"
#include "catalogue/filter_pattern.h"
#include "catalogue/folder_display_names.h"
#include "catalogue/folder_item.h"
#include "catalogue/link_properties.h"
#include "catalogue/shortcut_item.h"
#include "launch/shell_execute.h"
#include "system/folder_walker.h"
#include "system/unique_handle.h"

#include <propsys.h>
#include <shobjidl.h>
#include <versionhelpers.h>

#include <cstddef>
#include <span>

namespace n_ombrix {

using namespace n_zql::n_system::n_windows;
using n_com::t_ComPtr;

namespace {

// MinGW's headers may lack these; the values are the documented ones.
constexpr PROPERTYKEY appUserModelIdPropertyKey{
    {0x9F4C2855, 0x9F79, 0x4B39, {0xA8, 0xD0, 0xE1, 0xD4, 0x2D, 0xE1, 0xD5, 0xF3}}, 5};
// Any value here keeps the link out of the Start menu.
constexpr PROPERTYKEY startMenuExclusionPropertyKey{
    {0x9F4C2855, 0x9F79, 0x4B39, {0xA8, 0xD0, 0xE1, 0xD4, 0x2D, 0xE1, 0xD5, 0xF3}}, 17};
constexpr t_PropertyKey startMenuExclusionKey{appUserModelFormatId, 17};

constexpr CLSID applicationResolverClassId{
    0x660B90C8, 0x73A9, 0x4B58, {0x8C, 0xAE, 0x35, 0x5B, 0x7F, 0x55, 0x34, 0x1B}};
constexpr IID applicationResolverWindows8Id{
    0xDE25675A, 0x72DE, 0x44B4, {0x93, 0x73, 0x05, 0x17, 0x04, 0x50, 0xC1, 0x40}};
constexpr IID applicationResolverWindows7Id{
    0x46A6EEFF, 0x908E, 0x4DC6, {0x92, 0xA6, 0x64, 0xBE, 0x91, 0x77, 0xB4, 0x1C}};

// SLR_NO_UI | SLR_NOUPDATE | SLR_NOSEARCH | SLR_NOTRACK: a broken link must never make the build wait.
constexpr DWORD resolveFlags = 0x39;
constexpr int linkTextCapacity = 1024;
// Links are a few kilobytes; a bigger file is read only this far, which still holds any real link's properties.
constexpr DWORD linkReadLimit = 1 << 20;

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

std::vector<std::byte> ReadLinkBytes(const std::wstring& path) {
    t_FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.Get(), &size)) return {};
    std::vector<std::byte> bytes(static_cast<std::size_t>(std::min<LONGLONG>(size.QuadPart, linkReadLimit)));
    DWORD read = 0;
    if (!bytes.empty() && !ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
        return {};
    bytes.resize(read);
    return bytes;
}

struct t_LinkIdentity {
    bool excluded = false;
    std::wstring appId;
};

// From the link's property store where the platform answers; from the link's own bytes where it does not (Wine's
// store gives E_NOTIMPL for every read).
t_LinkIdentity ReadLinkIdentity(const t_ComPtr<IShellLinkW>& link, const std::wstring& linkPath) {
    t_LinkIdentity identity;
    if (const t_ComPtr<IPropertyStore> store = link.TryQuery<IPropertyStore>()) {
        n_com::t_PropVariant exclusion;
        if (SUCCEEDED(store->GetValue(startMenuExclusionPropertyKey, exclusion.Put()))) {
            identity.excluded = exclusion.Get().vt != VT_EMPTY;
            n_com::t_PropVariant appId;
            if (!identity.excluded && SUCCEEDED(store->GetValue(appUserModelIdPropertyKey, appId.Put())) &&
                appId.Get().vt == VT_LPWSTR && appId.Get().pwszVal)
                identity.appId = appId.Get().pwszVal;
            return identity;
        }
    }
    const std::vector<std::byte> bytes = ReadLinkBytes(linkPath);
    const t_PropertyValues values = ReadLinkProperties(bytes).properties;
    identity.excluded = values.Has(startMenuExclusionKey);
    identity.appId = values.String(appUserModelIdKey).value_or(std::wstring());
    return identity;
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

} // namespace

class t_CatalogueScan::t_EntryWalker final : public t_FolderWalkerBase {
public:
    t_EntryWalker(t_CatalogueScan& scan, const std::wstring& folder, t_List& container)
        : scan_(scan), folder_(folder), container_(container) {}

private:
    void OnEntry(const WIN32_FIND_DATAW& entry) override {
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) return;
        const std::wstring name(entry.cFileName);
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            scan_.AddFile(folder_, container_, name);
        else if (name != L"." && name != L"..")
            scan_.AddSubfolder(folder_, container_, name);
    }

    t_CatalogueScan& scan_;
    t_FolderDisplayNames folder_;
    t_List& container_;
};

std::wstring PreparedLocation(std::wstring location) {
    ExpandEnvironment(location);
    if (location.empty() || (location.back() != L'\\' && location.back() != L'/')) location.push_back(L'\\');
    return location;
}

t_CatalogueScan::t_CatalogueScan(t_Catalogue& catalogue, t_IconStore& iconStore, const t_Configuration& configuration)
    : catalogue_(catalogue), iconStore_(iconStore), filters_(configuration.appsShortcutsFilters),
      resolveAppIds_(configuration.handleJumplists), extractSingleItems_(configuration.extractSingleItemFolders),
      showIcons_(configuration.showIcons), compactMode_(configuration.compactMode) {
    nameScratch_.reserve(MAX_PATH);
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
    largeItems_ = !compactMode_;
    recurse_ = true;
    flatten_ = false;
    // The packaged applications, when "handle modern apps" is set, are added here first, as top-level items.
    for (const std::wstring& configured : locations) {
        const std::wstring location = PreparedLocation(configured);
        if (IsStartMenu(location, startMenus)) {
            recurse_ = false;
            Walk(location, root_);
            recurse_ = true;
            Walk(location + L"Programs\\", root_);
        } else {
            Walk(location, root_);
        }
    }
    Finish(catalogue_.AppsRoot());
    // The store holds exactly the applications tree now; places come later and are never search results.
    t_ItemSearch<t_CatalogueItem>& search = catalogue_.Search();
    search.Reserve(catalogue_.Items().size());
    for (const std::unique_ptr<t_CatalogueItem>& item : catalogue_.Items()) search.Add(*item);
}

void t_CatalogueScan::WalkPlaces(const std::vector<std::wstring>& locations) {
    largeItems_ = false;
    recurse_ = false;
    flatten_ = true;
    for (const std::wstring& configured : locations) Walk(PreparedLocation(configured), root_);
    Finish(catalogue_.PlacesRoot());
}

void t_CatalogueScan::Walk(const std::wstring& folder, t_List& container) {
    t_EntryWalker walker(*this, folder, container);
    try {
        walker.Walk(folder + L"*");
    } catch (const t_FolderWalkerBase::t_ErrorException&) {
        // Missing or unreadable: the folder simply adds nothing more.
    }
}

void t_CatalogueScan::AddFile(t_FolderDisplayNames& folder, t_List& container, const std::wstring& fileName) {
    if (Filtered(fileName)) return;
    const std::wstring fullPath = folder.Folder() + fileName;
    TakeDisplayName(folder, fileName);
    if (Filtered(nameScratch_)) return;
    if (IsLinkFile(fileName)) {
        AddShortcut(container, fullPath);
        return;
    }
    HBITMAP icon = showIcons_ ? iconStore_.ImageForFile(fullPath, largeItems_) : nullptr;
    Add(std::make_unique<t_FileItem>(icon, nameScratch_, fullPath), container);
}

void t_CatalogueScan::AddShortcut(t_List& container, const std::wstring& linkPath) {
    t_ComPtr<IShellLinkW> link;
    const HRESULT created =
        linkFactory_ ? linkFactory_->CreateInstance(nullptr, IID_PPV_ARGS(link.Put()))
                     : CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(link.Put()));
    if (FAILED(created)) return;
    const t_ComPtr<IPersistFile> file = link.TryQuery<IPersistFile>();
    if (!file || FAILED(file->Load(linkPath.c_str(), STGM_READ)) || FAILED(link->Resolve(nullptr, resolveFlags)))
        return;

    t_LinkIdentity identity = ReadLinkIdentity(link, linkPath);
    if (identity.excluded) return;
    std::wstring targetPath =
        LinkText([&](wchar_t* buffer, int size) { return link->GetPath(buffer, size, nullptr, 0); });
    if (!targetPath.empty() && Filtered(targetPath)) return;
    std::wstring arguments = LinkText([&](wchar_t* buffer, int size) { return link->GetArguments(buffer, size); });
    std::wstring description;
    if (largeItems_) {
        description = LinkText([&](wchar_t* buffer, int size) { return link->GetDescription(buffer, size); });
        // A description that only repeats the name says nothing.
        if (CompareIgnoringCase(description, nameScratch_) == 0) description.clear();
    }
    HBITMAP icon = showIcons_ ? iconStore_.ImageForLink(link.Get(), largeItems_) : nullptr;
    if (resolveAppIds_ && identity.appId.empty() && appResolver_) {
        t_ComPtr<IShellItem> item;
        n_com::t_CoTaskMemString appId;
        if (SUCCEEDED(SHCreateItemFromParsingName(linkPath.c_str(), nullptr, IID_PPV_ARGS(item.Put()))) &&
            SUCCEEDED(appResolver_->GetAppIDForShortcut(item.Get(), appId.Put())) && appId.Get())
            identity.appId = appId.Get();
    }
    Add(std::make_unique<t_ShortcutItem>(icon, nameScratch_, std::move(description), std::move(identity.appId),
                                         std::move(targetPath), std::move(arguments), linkPath),
        container);
}

void t_CatalogueScan::AddSubfolder(t_FolderDisplayNames& folder, t_List& container, const std::wstring& name) {
    if (!recurse_) return;
    const std::wstring subPath = folder.Folder() + name + L"\\";
    if (flatten_) {
        Walk(subPath, container);
        return;
    }
    t_List children;
    Walk(subPath, children);
    // Empty folders, and folders whose every entry was filtered out, are not listed.
    if (children.empty()) return;
    TakeDisplayName(folder, name);
    HBITMAP icon = showIcons_ ? iconStore_.ImageForFolder(largeItems_) : nullptr;
    Add(std::make_unique<t_FolderItem>(icon, nameScratch_, std::move(children)), container);
}

void t_CatalogueScan::Add(std::unique_ptr<t_CatalogueItem> item, t_List& container) {
    container.push_back(item.get());
    ownedItems_.push_back(std::move(item));
}

void t_CatalogueScan::TakeDisplayName(t_FolderDisplayNames& folder, const std::wstring& entryName) {
    if (!folder.Get(entryName, nameScratch_)) nameScratch_.assign(entryName);
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
