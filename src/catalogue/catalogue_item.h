#pragma once
// Every entry the popup can list: shortcuts, packaged apps, plain files and the folders that group them. Callers use
// items only through these operations, in this fixed order, and never ask for the concrete class; an operation that
// a predicate rules out (GetAppId without HasAppId, GetChildren without IsFolder, ...) is never called.

#include "system/identity_hash.h"

#include <windows.h>

#include <string>
#include <vector>

namespace n_ombrix {

class t_CatalogueItem {
public:
    virtual bool HasAppId() const { return false; }
    virtual const std::wstring& GetAppId() const;
    virtual n_zql::n_system::t_IdentityHash GetAppIdHash() const { return n_zql::n_system::identityHashStart; }
    virtual void SetHasJumpList(bool) {}
    virtual bool HasJumpList() const { return false; }
    virtual bool HasDescription() const { return false; }
    virtual const std::wstring& GetDescription() const;
    virtual bool HasCommandLine() const { return false; }
    // The command to copy into the command box for editing.
    virtual std::wstring GetCommandLine() const { return {}; }
    virtual bool IsFolder() const { return false; }
    virtual const std::vector<t_CatalogueItem*>& GetChildren() const;
    // Reordered and trimmed only by the scan's finishing pass.
    virtual std::vector<t_CatalogueItem*>& GetMutableChildren();
    virtual bool IsLaunchable() const { return true; }
    // True if the shell (or the activation manager) accepted the request. Nothing is shown on failure.
    virtual bool Launch(bool elevated) const = 0;
    virtual ~t_CatalogueItem() = default;

    t_CatalogueItem(const t_CatalogueItem&) = delete;
    t_CatalogueItem& operator=(const t_CatalogueItem&) = delete;

    // The image belongs to the icon store, which outlives every item of a catalogue.
    HBITMAP Icon() const noexcept { return icon_; }
    const std::wstring& DisplayName() const noexcept { return displayName_; }

protected:
    t_CatalogueItem(HBITMAP icon, std::wstring displayName) : icon_(icon), displayName_(std::move(displayName)) {}

private:
    HBITMAP icon_; // not owned
    std::wstring displayName_;
};

// Something with an application identity, which may have a jump list.
class t_ApplicationItem : public t_CatalogueItem {
public:
    bool HasAppId() const override { return !appId_.empty(); }
    const std::wstring& GetAppId() const override { return appId_; }
    // Computed once; all ones for an empty identity, like the hash of a file or a folder.
    n_zql::n_system::t_IdentityHash GetAppIdHash() const override { return appIdHash_; }
    void SetHasJumpList(bool hasJumpList) override { hasJumpList_ = hasJumpList; }
    bool HasJumpList() const override { return hasJumpList_; }
    bool HasDescription() const override { return !description_.empty(); }
    const std::wstring& GetDescription() const override { return description_; }

protected:
    t_ApplicationItem(HBITMAP icon, std::wstring displayName, std::wstring description, std::wstring appId);

private:
    std::wstring description_;
    std::wstring appId_;
    n_zql::n_system::t_IdentityHash appIdHash_;
    bool hasJumpList_ = false;
};

} // namespace n_ombrix
