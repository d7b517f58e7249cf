#pragma once
// Builds the catalogue's two trees from the shortcut folders: the applications tree from the apps locations (with
// the content of each Start Menu's Programs folder at the top) and the places list from the places locations.
// Visible files become shortcut or file items, non-empty subfolders folder items; the filter patterns drop what
// the user does not want; the finishing pass sorts, merges equal names and hands the survivors to the catalogue.
// Runs synchronously on the user-interface thread (COM initialised there); nothing is reported to the user.

#include "catalogue/catalogue.h"
#include "catalogue/icon_store.h"
#include "catalogue/logo_chooser.h"
#include "catalogue/package_manifest.h"
#include "config/configuration.h"
#include "system/com_ptr.h"

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace n_ombrix {

class t_KnownFolders;
class t_FolderDisplayNames;

// The two Start Menu folders, each ending in a backslash. An apps location equal to one of them (ignoring case)
// shows only its own files and its Programs folder's tree; its other subfolders are the shell's business.
struct t_StartMenuFolders {
    std::wstring user;
    std::wstring common;
};

// The shell's application resolver, an undocumented object. Both of its interface versions start with this
// operation, the only one used: the application identity the shell gives a shortcut, as task memory.
// COM objects are released, never deleted, so IUnknown has no virtual destructor and neither has this.
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif
struct t_ApplicationResolver : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE GetAppIDForShortcut(IShellItem* shortcut, LPWSTR* appId) = 0;
};
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

// One per build, on the stack of BuildCatalogue: the applications walk, then the places walk.
class t_CatalogueScan {
public:
    // A folder by volume and file index; see the walk's loop rule.
    using t_FolderIdentity = std::pair<DWORD, std::uint64_t>;

    // Empties the icon store (the catalogue's images die with it, so the catalogue must be empty) and refills its
    // defaults when icons are shown; creates the application resolver when the platform has one.
    t_CatalogueScan(t_Catalogue& catalogue, t_IconStore& iconStore, const t_Configuration& configuration);
    t_CatalogueScan(const t_CatalogueScan&) = delete;
    t_CatalogueScan& operator=(const t_CatalogueScan&) = delete;
    ~t_CatalogueScan();

    // Fills the apps root, the item store and the search's full list. Locations are expanded and walked in order.
    void WalkApplications(const std::vector<std::wstring>& locations, const t_StartMenuFolders& startMenus);
    // Fills the places root and the item store, never the search: only the files directly in each location.
    void WalkPlaces(const std::vector<std::wstring>& locations);

private:
    class t_EntryWalker;
    using t_List = std::vector<t_CatalogueItem*>;

    // How a location is walked: the applications tree descends into subfolders and lists them as folders; a Start
    // Menu's own folder is walked without its subfolders; places take only the files directly in a location.
    struct t_WalkMode {
        bool largeItems; // large images and descriptions
        bool recurse;
        bool flatten; // a subfolder's entries join its parent's list (only with recurse)
    };

    // One configured location into root_; a folder seen twice in it is walked once.
    void WalkLocation(const std::wstring& location, const t_WalkMode& mode);
    // Enumeration failures end the folder's walk silently; what was added before stays.
    void Walk(const std::wstring& folder, const t_WalkMode& mode, t_List& container);
    void AddFile(t_FolderDisplayNames& folder, const std::wstring& fileName, const t_WalkMode& mode, t_List& container);
    void AddShortcut(const std::wstring& linkPath, std::wstring displayName, const t_WalkMode& mode, t_List& container);
    void AddSubfolder(t_FolderDisplayNames& folder, const std::wstring& name, DWORD attributes, const t_WalkMode& mode,
                      t_List& container);
    void Add(std::unique_ptr<t_CatalogueItem> item, t_List& container);
    // The applications of the user's packages, as top-level items of the applications tree.
    void AddPackagedApps(const t_WalkMode& mode);
    void AddPackagedApp(const t_PackagedApp& app, const t_WalkMode& mode);
    HBITMAP PackagedAppImage(const t_PackagedApp& app, bool large);
    // The shell's normal display name of the folder's entry, or the entry's own name when the shell has none.
    static std::wstring DisplayName(t_FolderDisplayNames& folder, const std::wstring& entryName);
    bool Filtered(std::wstring_view text) const noexcept;
    // Tidies root_, moves what is still reachable into the item store and root_ into the catalogue's root list.
    void Finish(t_List& catalogueRoot);

    t_Catalogue& catalogue_;
    t_IconStore& iconStore_;
    const std::vector<std::wstring>& filters_; // the configuration's, upper case
    n_zql::n_system::n_windows::n_com::t_ComPtr<t_ApplicationResolver> appResolver_;
    n_zql::n_system::n_windows::n_com::t_ComPtr<IClassFactory> linkFactory_;
    // Every item of the current walk, in creation order, until the finishing pass.
    std::vector<std::unique_ptr<t_CatalogueItem>> ownedItems_;
    // Top level of the current walk; the catalogue's own list gets it only when the walk is finished, so that the
    // catalogue never refers to an item it does not own.
    t_List root_;
    // The folders walked so far in the current location.
    std::set<t_FolderIdentity> visitedFolders_;
    bool resolveAppIds_;
    bool handleModernApps_;
    std::unique_ptr<t_LogoChooser> logoChooser_; // made anew for each packaged-apps walk
    bool extractSingleItems_;
    bool showIcons_;
    bool compactMode_;
};

// Replaces the catalogue's contents by a fresh scan of the configured locations.
void BuildCatalogue(t_Catalogue& catalogue, t_IconStore& iconStore, const t_Configuration& configuration,
                    const t_StartMenuFolders& startMenus);
void BuildCatalogue(t_Catalogue& catalogue, t_IconStore& iconStore, const t_Configuration& configuration,
                    const t_KnownFolders& knownFolders);

// The location as walked: environment references expanded (when the result fits 260 characters) and a backslash
// appended unless it ends in one or in a slash.
std::wstring PreparedLocation(std::wstring location);

} // namespace n_ombrix
