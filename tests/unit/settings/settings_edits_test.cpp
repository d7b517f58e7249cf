#include "settings/settings_edits.h"

#include <gtest/gtest.h>

#include <optional>

using namespace n_ombrix;

TEST(SettingsEdits, ALabelEditKeepsReplacesOrRemovesItsEntry) {
    struct t_Case {
        const wchar_t* entry;
        const wchar_t* typed; // null: the edit was cancelled
        bool upperCase;
        std::optional<std::wstring> expected;
    };
    const t_Case cases[] = {
        {L"C:\\Apps", L"D:\\Tools", false, L"D:\\Tools"},
        {L"C:\\Apps", L"d:\\tools", false, L"d:\\tools"}, // folders keep their case
        {L"*.TXT", L"*.log", true, L"*.LOG"},             // patterns are stored in upper case
        {L"", L"*uninstall*", true, L"*UNINSTALL*"},      // a new pattern typed in
        {L"C:\\Apps", L"", false, std::nullopt},          // emptied: the entry goes
        {L"C:\\Apps", nullptr, false, L"C:\\Apps"},       // cancelled: as it was
        {L"", nullptr, true, std::nullopt},               // a new pattern never typed goes again
    };
    for (const t_Case& c : cases)
        EXPECT_EQ(EntryAfterLabelEdit(c.entry, c.typed, c.upperCase), c.expected)
            << "entry \"" << testing::PrintToString(std::wstring(c.entry)) << "\"";
}

TEST(SettingsEdits, AnExecutorIsKeptOnlyWithANameAndAProgram) {
    EXPECT_TRUE(IsKeptExecutor({L"ps", L"", L"powershell", L"", L""}));
    EXPECT_FALSE(IsKeptExecutor({L"", L"described", L"powershell", L"%typed_command%", L""}));
    EXPECT_FALSE(IsKeptExecutor({L"ps", L"described", L"", L"%typed_command%", L""}));
}
