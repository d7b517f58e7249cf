#include "jumplists/shell_destination.h"

#include "catalogue/icon_store.h"
#include "catalogue/link_properties.h"
#include "jump_list_files.h"
#include "link_property_writer.h"
#include "scratch_folder.h"
#include "shell_link.h"
#include "system/com_ptr.h"
#include "system/display_metrics.h"
#include "system/error_exception.h"
#include "system/upper_case.h"

#include <gtest/gtest.h>

#include <shlobj.h>
#include <shlwapi.h>

using namespace n_ombrix;
using namespace n_ombrix_test;
using namespace n_zql::n_system;
using namespace n_zql::n_system::n_windows;
using n_com::t_ComPtr;

namespace {

class ShellDestination : public testing::Test {
protected:
    // A link as a jump-list file holds it: loaded through IPersistStream from bytes, which are handed on too.
    t_ShellDestination FromLinkFile(const std::wstring& linkPath, bool keepParsingText = false) {
        bytes_ = ReadFileBytes(linkPath);
        const t_ComPtr<IStream> stream(
            SHCreateMemStream(reinterpret_cast<const BYTE*>(bytes_.data()), static_cast<UINT>(bytes_.size())));
        t_ComPtr<IPersistStream> link;
        n_com::ThrowIfFailed(
            CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(link.Put())));
        n_com::ThrowIfFailed(link->Load(stream.Get()));
        return t_ShellDestination::Create(link.Get(), keepParsingText,
                                          std::span(reinterpret_cast<const std::byte*>(bytes_.data()), bytes_.size()));
    }

    t_ShellDestination FromLink(const t_ShellLinkFields& fields, bool keepParsingText = false) {
        const std::wstring path = scratch_ / (L"link" + std::to_wstring(++linkCount_) + L".lnk");
        MakeShellLink(path, fields);
        return FromLinkFile(path, keepParsingText);
    }

    std::wstring File(const std::wstring& name) { return WriteDocument(scratch_ / name); }

    const n_com::t_ComApartment apartment_;
    t_ScratchFolder scratch_{L"destination"};
    std::string bytes_;
    int linkCount_ = 0;
};

} // namespace

// What a key must tell apart and what it must not: the same document named in another letter case is the same
// destination; other arguments or another title make another one.
TEST_F(ShellDestination, KeysIgnoreThePathsCaseButNotArgumentsOrTitles) {
    const std::wstring document = File(L"Report.txt");
    const std::wstring titled = scratch_ / L"titled.lnk";
    MakeShellLink(titled, {.target = document});
    AddLinkProperties(titled, {{titleKey, std::wstring(L"Meeting notes")}});
    const t_ShellDestination plain = FromLink({.target = document});
    const t_ShellDestination withArguments = FromLink({.target = document, .arguments = L"/p"});
    const t_ShellDestination withTitle = FromLinkFile(titled);
    EXPECT_EQ(FromLink({.target = UpperCased(document)}).IdentityKey(), plain.IdentityKey());
    EXPECT_NE(withArguments.IdentityKey(), plain.IdentityKey());
    EXPECT_NE(FromLink({.target = document, .arguments = L"/P"}).IdentityKey(), withArguments.IdentityKey());
    EXPECT_NE(withTitle.IdentityKey(), plain.IdentityKey());
    // Wine's link property store answers nothing: the title comes from the bytes the link was loaded from.
    EXPECT_EQ(withTitle.DisplayText(), L"Meeting notes");
    // Without a title the shell's name of the target is shown; the text a pin stores is kept only when asked for.
    EXPECT_FALSE(plain.DisplayText().empty());
    EXPECT_TRUE(plain.ParsingText().empty());
    EXPECT_FALSE(FromLink({.target = document}, true).ParsingText().empty());

    // Items are keyed by their parsing name as it is (their case may matter), not upper-cased as link paths are.
    t_ComPtr<IShellItem> item;
    ASSERT_HRESULT_SUCCEEDED(SHCreateItemFromParsingName(document.c_str(), nullptr, IID_PPV_ARGS(item.Put())));
    EXPECT_NE(t_ShellDestination::Create(item.Get(), true).IdentityKey(), plain.IdentityKey());
}

TEST_F(ShellDestination, SeparatorsAndObjectsThatAreNoDestination) {
    const std::wstring separator = scratch_ / L"separator.lnk";
    MakeShellLink(separator, {.target = File(L"Other.txt")});
    AddLinkProperties(separator, {{isDestListSeparatorKey, true}});
    const t_ShellDestination line = FromLinkFile(separator);
    EXPECT_TRUE(line.IsSeparator());
    EXPECT_TRUE(line.DisplayText().empty());
    EXPECT_FALSE(line.Open(L"Any.App"));
    t_IconStore iconStore(t_DisplayMetrics::Read(), GetModuleHandleW(nullptr));
    iconStore.LoadDefaults();
    EXPECT_EQ(line.GetIcon(iconStore), iconStore.Slot(t_IconStore::defaultAppSmallSlot));

    // A link with neither path nor ID list, and an object that is neither item nor link.
    t_ComPtr<IShellLinkW> empty;
    ASSERT_HRESULT_SUCCEEDED(
        CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(empty.Put())));
    EXPECT_THROW(t_ShellDestination::Create(empty.Get(), false), n_com::t_ErrorException);
    t_ComPtr<IUnknown> stream(SHCreateMemStream(nullptr, 0));
    EXPECT_THROW(t_ShellDestination::Create(stream.Get(), false), n_com::t_ErrorException);
}
