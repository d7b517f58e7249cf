#include "launch/launch_item.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

using namespace n_ombrix;
using n_quillane::t_Document;
using n_quillane::t_Element;

namespace {

const t_LaunchItem powerShell{L"PwS", L"Windows PowerShell", L"powershell", L"-Command \"%typed_command%\"",
                              L"%USERPROFILE%"};

} // namespace

TEST(LaunchItem, WrittenInFieldOrderAndReadBack) {
    t_Document document;
    const t_Element element = document.CreateRoot(L"");
    WriteLaunchItem(powerShell, document, element);

    std::vector<std::wstring> names;
    for (auto attribute = document.FirstAttribute(element); attribute != n_quillane::nullAttribute;
         attribute = document.NextAttribute(element, attribute))
        names.emplace_back(document.Name(attribute));
    EXPECT_EQ(names, (std::vector<std::wstring>{L"short caption", L"description", L"executable path",
                                                L"command line template", L"work dir"}));
    EXPECT_EQ(ReadLaunchItem(document, element), powerShell);
}

TEST(LaunchItem, OptionalFieldsMayBeMissingRequiredOnesMayNot) {
    t_Document document;
    const t_Element root = document.CreateRoot(L"executors");
    const t_Element minimal = document.AppendChild(root, L"");
    document.AddAttribute(minimal, L"short caption", L"mmc");
    document.AddAttribute(minimal, L"executable path", L"mmc");
    document.AddAttribute(minimal, L"command line template", L"%typed_command%");
    EXPECT_EQ(ReadLaunchItem(document, minimal), (t_LaunchItem{L"mmc", L"", L"mmc", L"%typed_command%", L""}));

    for (const wchar_t* required : {L"short caption", L"executable path", L"command line template"}) {
        const t_Element item = document.AppendChild(root, L"");
        for (const wchar_t* name : {L"short caption", L"executable path", L"command line template"})
            document.AddAttribute(item, name, std::wstring_view(name) == required ? L"" : L"x");
        EXPECT_THROW(ReadLaunchItem(document, item), std::runtime_error) << "empty " << required;
    }
}
