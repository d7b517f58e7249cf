#include "launch/command_template.h"

#include <gtest/gtest.h>

using n_ombrix::ExpandCommandTemplate;

TEST(CommandTemplate, EveryPlaceholderTakesTheTypedTextAsTyped) {
    EXPECT_EQ(ExpandCommandTemplate(L"/K \"%typed_command%\"", L"dir /s \"C:\\My Files\""),
              L"/K \"dir /s \"C:\\My Files\"\"");
    // Twice, with a placeholder inside the typed text: inserted text is never searched again.
    EXPECT_EQ(ExpandCommandTemplate(L"%typed_command% %typed_command%", L"a %typed_command% b"),
              L"a %typed_command% b a %typed_command% b");
    // Typed text that completes a placeholder with the template's following characters is not replaced either.
    EXPECT_EQ(ExpandCommandTemplate(L"%typed_command%typed_command%", L"%"), L"%typed_command%");
    EXPECT_EQ(ExpandCommandTemplate(L"x%typed_command%y", L""), L"xy");
}

TEST(CommandTemplate, OnlyTheExactPlaceholderIsReplaced) {
    EXPECT_EQ(ExpandCommandTemplate(L"-Command %TYPED_COMMAND%", L"ls"), L"-Command %TYPED_COMMAND%");
    EXPECT_EQ(ExpandCommandTemplate(L"--version", L"ignored"), L"--version");
    EXPECT_EQ(ExpandCommandTemplate(L"%typed_command", L"x"), L"%typed_command");
}
