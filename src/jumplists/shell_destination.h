#pragma once
// One document or task of a jump list: a persisted shell link or shell item, turned into what the side pane and
// the shell's jump-list files need. The identity key recognises the same document across the automatic file, the
// custom file and the pinned list; a destination with neither link nor item is a separator.

#include "system/com_ptr.h"
#include "system/identity_hash.h"

#include <shobjidl.h>
#include <windows.h>

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace n_ombrix {

class t_IconStore;

class t_ShellDestination {
public:
    static constexpr std::uint64_t noKey = n_zql::n_system::identityHashStart;

    // From an object loaded through IPersistStream. linkBytes are the bytes it was loaded from (may be empty):
    // a link's title, arguments and separator flag are read from them where the platform's property store does
    // not answer. With keepParsingText the text that a pinned entry stores as its path is kept. storedName is
    // what a jump-list file stores beside the link as its name (may be empty): it keys and names a link that has
    // no path and whose ID list the shell cannot name here. Throws the COM error exception (E_FAIL) when the
    // object is neither an item nor a link, or when it gives no key.
    static t_ShellDestination Create(IUnknown* loaded, bool keepParsingText, std::span<const std::byte> linkBytes = {},
                                     std::wstring_view storedName = {});

    t_ShellDestination(t_ShellDestination&&) noexcept = default;
    t_ShellDestination& operator=(t_ShellDestination&&) noexcept = default;
    // Shares the same link or item; the texts, the key and the cached icon are copied. Copies are made only
    // on purpose, so the copy constructor is private.
    t_ShellDestination Copy() const { return *this; }

    // A link without a title shows the shell's name of its target, asked for when first wanted: opening a jump-list
    // file reads every link, and naming each through the shell would be most of that time.
    const std::wstring& DisplayText() const;
    const std::wstring& ParsingText() const noexcept { return parsingText_; }
    std::uint64_t IdentityKey() const noexcept { return identityKey_; }
    bool IsSeparator() const noexcept { return !link_ && !item_; }
    IShellLinkW* Link() const noexcept { return link_.Get(); }
    IShellItem* Item() const noexcept { return item_.Get(); }

    // The small image, made on first use: the link's, the item's, else the store's default application image.
    HBITMAP GetIcon(t_IconStore& iconStore) const;
    // Opens the document: a link by its default verb, an item with the jump list's application. A separator
    // opens nothing. True when something was opened.
    bool Open(const std::wstring& applicationIdentity) const;
    // The object's persistence, to save it into a jump-list file. Throws when it has none.
    n_zql::n_system::n_windows::n_com::t_ComPtr<IPersistStream> GetPersistStream() const;

private:
    t_ShellDestination() = default;
    t_ShellDestination(const t_ShellDestination&) = default;
    t_ShellDestination& operator=(const t_ShellDestination&) = default;

    void CreateFromItem(bool keepParsingText);
    void CreateFromLink(bool keepParsingText, std::span<const std::byte> linkBytes, std::wstring_view storedName);
    void AddToKey(std::wstring_view text) noexcept;

    mutable std::wstring displayText_;
    mutable bool displayTextPending_ = false;
    std::wstring parsingText_;
    n_zql::n_system::n_windows::n_com::t_ComPtr<IShellLinkW> link_;
    n_zql::n_system::n_windows::n_com::t_ComPtr<IShellItem> item_;
    std::uint64_t identityKey_ = noKey;
    mutable HBITMAP icon_ = nullptr; // the icon store's
};

} // namespace n_ombrix
