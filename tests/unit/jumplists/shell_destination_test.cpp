#include "jumplists/shell_destination.h"

#include "app/display_metrics.h"
#include "catalogue/icon_store.h"
#include "catalogue/link_properties.h"
#include "link_property_writer.h"
#include "running_under_wine.h"
#include "scratch_folder.h"
#include "shell_link.h"
#include "system/com_ptr.h"
#include "system/error_exception.h"
#include "system/identity_hash.h"
#include "system/upper_case.h"

#include <gtest/gtest.h>

#include <shlobj.h>
#include <shlwapi.h>

#include <cwctype>

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

    std::wstring File(const std::wstring& name) {
        const std::wstring path = scratch_ / name;
        WriteFileBytes(path, "document");
        return path;
    }

    const n_com::t_ComApartment apartment_;
    t_ScratchFolder scratch_{L"destination"};
    std::string bytes_;
    int linkCount_ = 0;
};

} // namespace

TEST_F(ShellDestination, LinksAreKeyedByPathIgnoringCaseAndByArguments) {
    const std::wstring document = File(L"Report.txt");
    const t_ShellDestination plain = FromLink({.target = document});
    EXPECT_EQ(plain.IdentityKey(), Crc64OfText(UpperCased(document)));
    EXPECT_EQ(FromLink({.target = UpperCased(document)}).IdentityKey(), plain.IdentityKey());
    const t_ShellDestination withArguments = FromLink({.target = document, .arguments = L"/p"});
    EXPECT_EQ(withArguments.IdentityKey(), Crc64OfText(L"/p", plain.IdentityKey()));
    EXPECT_NE(FromLink({.target = document, .arguments = L"/P"}).IdentityKey(), withArguments.IdentityKey());

    // Without a title the shell's name of the target is shown.
    EXPECT_FALSE(plain.IsSeparator());
    EXPECT_NE(plain.Link(), nullptr);
    EXPECT_FALSE(plain.DisplayText().empty());
    // The text a pinned entry stores is the key in hexadecimal, kept only when asked for.
    EXPECT_TRUE(plain.ParsingText().empty());
    wchar_t expected[17] = {};
    _ui64tow_s(plain.IdentityKey(), expected, 17, 16);
    EXPECT_EQ(FromLink({.target = document}, true).ParsingText(), expected);
}

TEST_F(ShellDestination, TitlesAndSeparatorsComeFromTheLinksOwnProperties) {
    // Wine's link property store answers nothing, so these are read from the bytes the link was loaded from.
    const std::wstring document = File(L"Notes.txt");
    const std::wstring titled = scratch_ / L"titled.lnk";
    MakeShellLink(titled, {.target = document});
    AddLinkProperties(titled, {{titleKey, std::wstring(L"Meeting notes")}});
    const t_ShellDestination destination = FromLinkFile(titled);
    EXPECT_EQ(destination.DisplayText(), L"Meeting notes");
    EXPECT_EQ(destination.IdentityKey(), Crc64OfText(L"MEETING NOTES", Crc64OfText(UpperCased(document))));

    const std::wstring separator = scratch_ / L"separator.lnk";
    MakeShellLink(separator, {.target = document});
    AddLinkProperties(separator, {{isDestListSeparatorKey, true}});
    const t_ShellDestination line = FromLinkFile(separator);
    EXPECT_TRUE(line.IsSeparator());
    EXPECT_EQ(line.Link(), nullptr);
    EXPECT_TRUE(line.DisplayText().empty());
    EXPECT_EQ(line.IdentityKey(), t_ShellDestination::noKey);
    EXPECT_FALSE(line.Open(L"Any.App"));
}

TEST_F(ShellDestination, ItemsAreKeyedByTheirParsingNameAsItIs) {
    const std::wstring document = File(L"Plan.txt");
    t_ComPtr<IShellItem> item;
    ASSERT_HRESULT_SUCCEEDED(SHCreateItemFromParsingName(document.c_str(), nullptr, IID_PPV_ARGS(item.Put())));
    const t_ShellDestination destination = t_ShellDestination::Create(item.Get(), true);
    n_com::t_CoTaskMemString parsingName;
    ASSERT_HRESULT_SUCCEEDED(item->GetDisplayName(SIGDN_DESKTOPABSOLUTEPARSING, parsingName.Put()));
    EXPECT_EQ(destination.IdentityKey(), Crc64OfText(parsingName.Get()));
    EXPECT_NE(destination.IdentityKey(), Crc64OfText(UpperCased(parsingName.Get())));
    EXPECT_EQ(destination.ParsingText(), parsingName.Get());
    EXPECT_EQ(destination.DisplayText(), L"Plan.txt");
    EXPECT_NE(destination.Item(), nullptr);

    // A copy shares the item and keeps what was read.
    const t_ShellDestination copy = destination.Copy();
    EXPECT_EQ(copy.Item(), destination.Item());
    EXPECT_EQ(copy.IdentityKey(), destination.IdentityKey());
    if (RunningUnderWine())
        // Wine's shell item cannot be saved into a stream (Windows' can), so pinning one fails there.
        EXPECT_THROW(copy.GetPersistStream(), n_com::t_ErrorException);
    else
        EXPECT_NE(copy.GetPersistStream().Get(), nullptr);
}

TEST_F(ShellDestination, ALinkWithoutPathOrIdListIsNoDestination) {
    t_ComPtr<IShellLinkW> empty;
    ASSERT_HRESULT_SUCCEEDED(
        CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(empty.Put())));
    EXPECT_THROW(t_ShellDestination::Create(empty.Get(), false), n_com::t_ErrorException);

    // Neither an item nor a link.
    t_ComPtr<IUnknown> stream(SHCreateMemStream(nullptr, 0));
    EXPECT_THROW(t_ShellDestination::Create(stream.Get(), false), n_com::t_ErrorException);
}

TEST_F(ShellDestination, IconsAreMadeOnceAndSeparatorsShowTheDefault) {
    t_IconStore iconStore(t_DisplayMetrics::Read(), GetModuleHandleW(nullptr));
    iconStore.LoadDefaults();
    t_ShellDestination document = FromLink({.target = File(L"Picture.txt")});
    HBITMAP icon = document.GetIcon(iconStore);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(document.GetIcon(iconStore), icon);

    const std::wstring separator = scratch_ / L"separator.lnk";
    MakeShellLink(separator, {.target = File(L"Other.txt")});
    AddLinkProperties(separator, {{isDestListSeparatorKey, true}});
    t_ShellDestination line = FromLinkFile(separator);
    EXPECT_EQ(line.GetIcon(iconStore), iconStore.Slot(t_IconStore::defaultAppSmallSlot));
}
