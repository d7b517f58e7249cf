#include "launch/command_template.h"

#include <gtest/gtest.h>

using n_ombrix::ExpandCommandTemplate;

TEST(CommandTemplate, EveryExactPlaceholderTakesTheTypedTextAsTyped) {
    EXPECT_EQ(ExpandCommandTemplate(L"/K \"%typed_command%\"", L"dir \"C:\\My Files\""),
              L"/K \"dir \"C:\\My Files\"\"");
    // Inserted text is never searched again, also where it completes a placeholder with the template's rest.
    EXPECT_EQ(ExpandCommandTemplate(L"%typed_command%,%typed_command%", L"<%typed_command%>"),
              L"<%typed_command%>,<%typed_command%>");
    EXPECT_EQ(ExpandCommandTemplate(L"%typed_command%typed_command%", L"%"), L"%typed_command%");
    EXPECT_EQ(ExpandCommandTemplate(L"x%typed_command%y", L""), L"xy");
    EXPECT_EQ(ExpandCommandTemplate(L"%TYPED_COMMAND% %typed_command", L"x"), L"%TYPED_COMMAND% %typed_command");
}
