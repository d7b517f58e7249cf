#include "launch/launch_item.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace n_ombrix;

TEST(LaunchItem, WrittenInFieldOrderAndReadBackOnlyWithWhatItNeedsToRun) {
    const t_LaunchItem item{L"a", L"b", L"c", L"d", L"e"};
    n_quillane::t_Document document;
    WriteLaunchItem(item, document, document.CreateRoot(L""));
    document.Finish();
    EXPECT_EQ(
        document.Serialise(document.Root()),
        LR"("" "short caption"="a" "description"="b" "executable path"="c" "command line template"="d" "work dir"="e")"
        L"\r\n");
    EXPECT_EQ(ReadLaunchItem(document, document.Root()), item);

    // A record without what it needs to run is refused. (Missing optional fields and a missing template are the
    // configuration's tests.)
    for (const wchar_t* record : {LR"("" "short caption"="" "executable path"="mmc" "command line template"="%x")",
                                  LR"("" "short caption"="mmc" "command line template"="%x")"}) {
        document.Parse(record);
        EXPECT_THROW(ReadLaunchItem(document, document.Root()), std::runtime_error) << record;
    }
}
