// The text side of the command box: how a typed command is split for the shell, how a folder becomes an Explorer
// request, which part of the text path completion works on, and how typed text goes into an executor's template.

#include "launch/command_line.h"
#include "launch/command_template.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace n_ombrix;

TEST(CommandLine, SplitCommandEndsTheProgramAtTheFirstSpaceOrAtTheClosingQuote) {
    const std::tuple<std::wstring, t_ShellRequest> cases[] = {
        // A path with a blank must be quoted, as in the Run dialog.
        {L"C:\\Program Files\\App\\app.exe -x", {L"C:\\Program", L"Files\\App\\app.exe -x"}},
        // Only U+0020 splits, and only those are skipped: tabs and trailing blanks are passed on.
        {L"notepad\tx  \t a.txt  ", {L"notepad\tx", L"\t a.txt  "}},
        {L"", {L"", L""}},
        {L"\"C:\\My Apps\\a.exe\"-flag x", {L"C:\\My Apps\\a.exe", L"-flag x"}},
        // A lone opening quote takes the whole rest as the program.
        {L"\"C:\\My Apps\\a.exe -flag", {L"C:\\My Apps\\a.exe -flag", L""}},
        {L"\"\"   x", {L"", L"x"}},
    };
    for (const auto& [text, request] : cases) EXPECT_EQ(SplitCommand(text), request) << text;
}

// The folder as typed, through WithBackslashes; canonicalisation, which comes next in the program, is left out.
TEST(CommandLine, AFolderBecomesTheRootOfExplorersTreeWithSingleBackslashesButANetworkPair) {
    const std::tuple<std::wstring, bool, std::wstring> cases[] = {
        {L"D:/Music\\\\//Rock", false, L"/e,/root,\"D:\\Music\\Rock\""},
        {L"//server/share//docs", false, L"/e,/root,\"\\\\server\\share\\docs\""},
        {L"\\\\\\server\\share", false, L"/e,/root,\"\\\\server\\share\""},
        // A relative folder is joined to the working folder with one backslash, also when canonicalisation left one
        // in front ("..\x" can become "\x"); when it failed, no text is left and the working folder opens.
        {L"\\Documents", true, L"/e,/root,\"\\\\server\\home\\Documents\""},
        {L"", true, L"/e,/root,\"\\\\server\\home\\\""},
    };
    for (const auto& [folder, relative, parameters] : cases)
        EXPECT_EQ(ExplorerRequest(WithBackslashes(folder), relative, L"\\\\server\\home\\"),
                  (t_ShellRequest{L"explorer", parameters}));
}

// Each text marks the target it should give: [ and ] around the token, ^ where its name part begins; a text without
// marks gives none.
TEST(CommandLine, CompletionWorksOnTheLastTokenUnlessItHoldsWhatNoPathCan) {
    for (const std::wstring marked :
         {L"notepad [C:\\Windows\\^sys]", L"[C:/Users/me/^Doc]", L"cd [C:\\Users\\^]", L"notepad\t[^read] \t ",
          // Quotes enclose a token, closed or not; text right after the closing quote is a token of its own.
          L"cmd \"[C:\\Program Files\\^Com]", L"edit \"[C:\\My Files\\^re]\"  ", L"\"C:\\My Files\\re\"[^port]",
          L"edit \"[^]\"", L"a|b [^c]", L"", L" \t ", L"type a|more", L"sort <in", L"dir >out", L"say x\"y",
          L"a \"b|c\"", L"x\x01y"}) {
        std::wstring text = marked;
        std::erase_if(text, [](wchar_t c) { return c == L'[' || c == L'^' || c == L']'; });
        if (const std::optional<t_CompletionTarget> target = FindCompletionTarget(text))
            text.insert(target->tokenEnd, L"]").insert(target->nameStart, L"^").insert(target->tokenStart, L"[");
        EXPECT_EQ(text, marked);
    }
}

TEST(CommandLine, CompletionPutsTheCommonPrefixInTheFirstNamesLettersInPlaceOfTheName) {
    std::wstring candidate = L"Program Files";
    ShortenToCommonPrefix(candidate, L"PROGRAM FILES (x86)");
    ShortenToCommonPrefix(candidate, L"programdata");
    EXPECT_EQ(candidate, L"Program");

    std::wstring text = L"run \"c:\\prog\" ";
    // Only the name part changes, inside the quotes; what was added is what the command box selects.
    EXPECT_EQ(ApplyCompletion(text, *FindCompletionTarget(text), candidate), (t_PathCompletion{8, 12, 15}));
    // A candidate equal to the name changes nothing; one that only changes letter case adds nothing.
    EXPECT_EQ(ApplyCompletion(text, *FindCompletionTarget(text), L"Program"), std::nullopt);
    EXPECT_EQ(ApplyCompletion(text, *FindCompletionTarget(text), L"PROGRAM"), (t_PathCompletion{8, 15, 15}));
    EXPECT_EQ(text, L"run \"c:\\PROGRAM\" ");
}

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
