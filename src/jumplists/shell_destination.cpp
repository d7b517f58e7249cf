#include "jumplists/shell_destination.h"

#include "catalogue/icon_store.h"
#include "catalogue/link_property_reader.h"
#include "catalogue/shell_verbs.h"
#include "jumplists/destinations_file_name.h"
#include "system/error_exception.h"
#include "system/upper_case.h"

#include <shlobj.h>
#include <shlwapi.h>

#include <optional>

namespace n_ombrix {

using namespace n_zql::n_system;
using namespace n_zql::n_system::n_windows;
using n_com::t_ComPtr;

namespace {

// Paths of 260 characters or more do not key a link; the buffer is bigger than that so that a longer path is seen
// whole instead of cut to a wrong key.
constexpr int pathCapacity = 1024;
constexpr std::size_t longestKeyPath = MAX_PATH - 1;
constexpr int titleCapacity = 1024;
constexpr HRESULT formatError = E_FAIL;

std::wstring ItemName(IShellItem* item, SIGDN form) {
    n_com::t_CoTaskMemString name;
    n_com::ThrowIfFailed(item->GetDisplayName(form, name.Put()));
    return name.Get() ? name.Get() : L"";
}

} // namespace

t_ShellDestination t_ShellDestination::Create(IUnknown* loaded, bool keepParsingText,
                                              std::span<const std::byte> linkBytes, std::wstring_view storedName) {
    if (!loaded) n_com::ThrowHResult(formatError);
    t_ShellDestination destination;
    if (SUCCEEDED(loaded->QueryInterface(IID_PPV_ARGS(destination.item_.Put())))) {
        destination.CreateFromItem(keepParsingText);
    } else {
        if (FAILED(loaded->QueryInterface(IID_PPV_ARGS(destination.link_.Put())))) n_com::ThrowHResult(formatError);
        destination.CreateFromLink(keepParsingText, linkBytes, storedName);
    }
    if (!destination.IsSeparator() && destination.identityKey_ == noKey) n_com::ThrowHResult(formatError);
    return destination;
}

void t_ShellDestination::AddToKey(std::wstring_view text) noexcept { identityKey_ = Crc64OfText(text, identityKey_); }

void t_ShellDestination::CreateFromItem(bool keepParsingText) {
    // Items are keyed by their parsing name as it is: unlike paths, their case may matter.
    std::wstring parsingName = ItemName(item_.Get(), SIGDN_DESKTOPABSOLUTEPARSING);
    AddToKey(parsingName);
    if (keepParsingText) parsingText_ = parsingName;
    // Some folders have no editing names for their items; the normal name, else the parsing name, serves then.
    // Only the key is essential.
    n_com::t_CoTaskMemString name;
    if (SUCCEEDED(item_->GetDisplayName(SIGDN_PARENTRELATIVEEDITING, name.Put())) && name.Get())
        displayText_ = name.Get();
    else if (n_com::t_CoTaskMemString normal;
             SUCCEEDED(item_->GetDisplayName(SIGDN_NORMALDISPLAY, normal.Put())) && normal.Get())
        displayText_ = normal.Get();
    else
        displayText_ = parsingName;
}

void t_ShellDestination::CreateFromLink(bool keepParsingText, std::span<const std::byte> linkBytes,
                                        std::wstring_view storedName) {
    wchar_t path[pathCapacity] = {};
    const bool hasPath = SUCCEEDED(link_->GetPath(path, pathCapacity, nullptr, SLGP_RAWPATH)) && path[0] != L'\0' &&
                         std::wcslen(path) <= longestKeyPath;
    if (hasPath) AddToKey(UpperCased(path));

    t_LinkPropertyReader properties(link_.Get(), linkBytes);
    if (properties.Bool(isDestListSeparatorKey)) {
        link_ = {};
        identityKey_ = noKey;
        return;
    }
    if (hasPath) {
        std::optional<std::wstring> arguments = properties.String(linkArgumentsKey);
        // The platform's store reads the arguments from the link itself; the bytes do not hold them as a property.
        if (!properties.StoreAnswers(linkArgumentsKey)) {
            wchar_t text[titleCapacity] = {};
            if (SUCCEEDED(link_->GetArguments(text, titleCapacity)) && text[0] != L'\0') arguments = text;
        }
        if (arguments) AddToKey(*arguments);
    }
    if (const std::optional<std::wstring> title = properties.String(titleKey)) {
        wchar_t text[titleCapacity] = {};
        if (title->empty())
            displayText_.clear();
        else if (SUCCEEDED(SHLoadIndirectString(title->c_str(), text, titleCapacity, nullptr)))
            displayText_ = text;
        if (hasPath && !displayText_.empty()) AddToKey(UpperCased(displayText_));
    }
    if (keepParsingText && hasPath) parsingText_ = DestinationsFileStem(identityKey_);

    if (!hasPath) {
        n_com::t_IdList idList;
        n_com::t_CoTaskMemString parsingName;
        if (link_->GetIDList(idList.Put()) == S_OK && idList &&
            SUCCEEDED(SHGetNameFromIDList(idList.Get(), SIGDN_DESKTOPABSOLUTEPARSING, parsingName.Put())) &&
            parsingName.Get() && *parsingName.Get()) {
            AddToKey(parsingName.Get());
            if (keepParsingText) parsingText_ = parsingName.Get();
        } else if (!storedName.empty()) {
            // The shell cannot name the ID list on this machine (a namespace that is not installed, a virtual
            // folder Wine lacks); the name stored beside the link keys and names it instead.
            AddToKey(storedName);
            if (keepParsingText) parsingText_ = storedName;
            if (displayText_.empty()) displayText_ = storedName;
        }
    }
    displayTextPending_ = displayText_.empty();
}

const std::wstring& t_ShellDestination::DisplayText() const {
    if (!displayTextPending_) return displayText_;
    displayTextPending_ = false;
    n_com::t_IdList idList;
    n_com::t_CoTaskMemString name;
    if (link_ && link_->GetIDList(idList.Put()) == S_OK && idList &&
        SUCCEEDED(SHGetNameFromIDList(idList.Get(), SIGDN_NORMALDISPLAY, name.Put())) && name.Get())
        displayText_ = name.Get();
    return displayText_;
}

HBITMAP t_ShellDestination::GetIcon(t_IconStore& iconStore) const {
    if (icon_) return icon_;
    if (link_) {
        icon_ = iconStore.ImageForLink(link_.Get(), false);
    } else if (item_) {
        n_com::t_IdList idList;
        if (SUCCEEDED(SHGetIDListFromObject(item_.Get(), idList.Put())) && idList)
            icon_ = iconStore.ImageFromIdList(idList.Get(), false);
    }
    if (!icon_) icon_ = iconStore.Slot(t_IconStore::defaultAppSmallSlot);
    return icon_;
}

bool t_ShellDestination::Open(const std::wstring& applicationIdentity) const {
    if (link_) return InvokeDefaultVerb(link_.Get());
    if (item_) return OpenWithApplication(item_.Get(), applicationIdentity);
    return false;
}

t_ComPtr<IPersistStream> t_ShellDestination::GetPersistStream() const {
    if (link_) return link_.Query<IPersistStream>();
    if (item_) return item_.Query<IPersistStream>();
    n_com::ThrowHResult(E_NOINTERFACE);
}

} // namespace n_ombrix
