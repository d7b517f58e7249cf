// Properties in real links saved through IShellLinkW: written into the link's bytes as the shell stores them, read
// back from the bytes, and the link still loads. Under Wine the link's own property store answers nothing.

#include "catalogue/link_properties.h"

#include "link_property_writer.h"
#include "running_under_wine.h"
#include "scratch_folder.h"
#include "shell_link.h"
#include "system/com_ptr.h"

#include <gtest/gtest.h>

#include <propsys.h>
#include <shlobj.h>

using namespace n_ombrix;
using namespace n_ombrix_test;
using namespace n_zql::n_system::n_windows::n_com;

namespace {

// System.AppUserModel.ID, defined here with its documented value as MinGW's headers may lack it.
constexpr PROPERTYKEY appUserModelIdPropertyKey{
    {0x9F4C2855, 0x9F79, 0x4B39, {0xA8, 0xD0, 0xE1, 0xD4, 0x2D, 0xE1, 0xD5, 0xF3}}, 5};

t_LinkProperties ReadLinkFile(const std::wstring& path) {
    const std::string bytes = ReadFileBytes(path);
    return ReadLinkProperties(std::span(reinterpret_cast<const std::byte*>(bytes.data()), bytes.size()));
}

std::wstring SystemProgram(const wchar_t* name) {
    wchar_t folder[MAX_PATH]{};
    GetSystemDirectoryW(folder, MAX_PATH);
    return std::wstring(folder) + L"\\" + name;
}

t_ComPtr<IShellLinkW> LoadLink(const std::wstring& path) {
    t_ComPtr<IShellLinkW> link;
    ThrowIfFailed(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(link.Put())));
    ThrowIfFailed(link.Query<IPersistFile>()->Load(path.c_str(), STGM_READ));
    return link;
}

} // namespace

TEST(LinkPropertiesOnWindows, PropertiesAddedToASavedLinkReadBackAndTheLinkStillLoads) {
    const t_ComApartment apartment;
    const t_ScratchFolder folder(L"link-properties");
    const std::wstring link = folder / L"Editor.lnk";
    const std::wstring notepad = SystemProgram(L"notepad.exe");
    MakeShellLink(link, {.target = notepad, .arguments = L"readme.txt", .description = L"Edits text"});

    // The link as saved is whole to its terminal block.
    const t_LinkProperties saved = ReadLinkFile(link);
    EXPECT_EQ(saved.status, t_LinkReadStatus::complete);
    EXPECT_EQ(saved.size, ReadFileBytes(link).size());
    EXPECT_EQ(saved.properties.String(appUserModelIdKey), std::nullopt);

    AddLinkProperties(link, {{appUserModelIdKey, L"Vendor.Old"}});
    AddLinkProperties(link, {{appUserModelIdKey, L"Vendor.App"}, {startMenuExclusionKey, true}});
    const t_LinkProperties read = ReadLinkFile(link);
    EXPECT_EQ(read.status, t_LinkReadStatus::complete);
    EXPECT_EQ(read.size, ReadFileBytes(link).size());
    EXPECT_EQ(read.properties.String(appUserModelIdKey), L"Vendor.App"); // the earlier block was replaced
    EXPECT_EQ(read.properties.Bool(startMenuExclusionKey), true);
    EXPECT_EQ(read.properties.All().size(), 2u);

    const t_ComPtr<IShellLinkW> loaded = LoadLink(link);
    wchar_t path[MAX_PATH]{};
    ASSERT_EQ(loaded->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH), S_OK);
    EXPECT_EQ(_wcsicmp(path, notepad.c_str()), 0) << path;
    wchar_t arguments[MAX_PATH]{};
    ASSERT_EQ(loaded->GetArguments(arguments, MAX_PATH), S_OK);
    EXPECT_STREQ(arguments, L"readme.txt");
}

// Wine 8's shell link implements IPropertyStore as a stub: GetValue fails (E_NOTIMPL) or gives nothing, so the
// AppUserModelID written into the link can only come from its bytes. On Windows the same value comes back.
TEST(LinkPropertiesOnWindows, WineLinkPropertyStoreAnswersNothingWhereWindowsReadsTheBlock) {
    const t_ComApartment apartment;
    const t_ScratchFolder folder(L"link-property-store");
    const std::wstring link = folder / L"Editor.lnk";
    MakeShellLink(link, {.target = SystemProgram(L"notepad.exe")});
    AddLinkProperties(link, {{appUserModelIdKey, L"Vendor.App"}});

    const t_ComPtr<IPropertyStore> store = LoadLink(link).TryQuery<IPropertyStore>();
    t_PropVariant value;
    const HRESULT result = store ? store->GetValue(appUserModelIdPropertyKey, value.Put()) : E_NOINTERFACE;
    if (RunningUnderWine()) {
        EXPECT_TRUE(FAILED(result) || value.Get().vt == VT_EMPTY) << std::hex << result;
    } else {
        ASSERT_EQ(result, S_OK);
        ASSERT_EQ(value.Get().vt, VT_LPWSTR);
        EXPECT_STREQ(value.Get().pwszVal, L"Vendor.App");
    }
}
