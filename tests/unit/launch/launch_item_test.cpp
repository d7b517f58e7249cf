#include "launch/launch_item.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace n_ombrix;

TEST(LaunchItem, WrittenInFieldOrderAndReadBackOnlyWithWhatItNeedsToRun) {
    const t_LaunchItem item{L"PwS", L"Windows PowerShell", L"powershell", L"-Command %typed_command%", L"%TEMP%"};
    n_quillane::t_Document document;
    WriteLaunchItem(item, document, document.CreateRoot(L""));
    document.Finish();
    EXPECT_EQ(
        document.Serialise(document.Root()),
        L"\"\" \"short caption\"=\"PwS\" \"description\"=\"Windows PowerShell\" \"executable path\"=\"powershell\" "
        L"\"command line template\"=\"-Command %typed_command%\" \"work dir\"=\"%TEMP%\"\r\n");
    EXPECT_EQ(ReadLaunchItem(document, document.Root()), item);

    // A description and a work dir may be missing; a record without what it needs to run is refused.
    document.Parse(L"\"\"\n"
                   L"    \"\" \"short caption\"=\"mmc\" \"executable path\"=\"mmc\" \"command line template\"=\"%x\"\n"
                   L"    \"\" \"short caption\"=\"\" \"executable path\"=\"mmc\" \"command line template\"=\"%x\"\n"
                   L"    \"\" \"short caption\"=\"mmc\" \"command line template\"=\"%x\"\n"
                   L"    \"\" \"short caption\"=\"mmc\" \"executable path\"=\"mmc\"\n");
    auto element = document.FirstChild(document.Root());
    EXPECT_EQ(ReadLaunchItem(document, element), (t_LaunchItem{L"mmc", L"", L"mmc", L"%x", L""}));
    for (int missing = 0; missing < 3; ++missing)
        EXPECT_THROW(ReadLaunchItem(document, element = document.NextSibling(element)), std::runtime_error) << missing;
}
