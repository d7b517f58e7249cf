// The text side of the command box: how a typed command is split for the shell, how a folder becomes an Explorer
// request, and which part of the text path completion works on.

#include "launch/command_line.h"

#include <gtest/gtest.h>

#include <optional>

using namespace n_ombrix;

TEST(SplitCommand, AnUnquotedProgramEndsAtTheFirstSpace) {
    // A path with a blank must be quoted, as in the Run dialog.
    EXPECT_EQ(SplitCommand(L"C:\\Program Files\\App\\app.exe -x"),
              (t_ShellRequest{L"C:\\Program", L"Files\\App\\app.exe -x"}));
    // Only U+0020 splits: a tab stays in the program name.
    EXPECT_EQ(SplitCommand(L"notepad\tfile.txt"), (t_ShellRequest{L"notepad\tfile.txt", L""}));
    // Spaces after the program are skipped, anything else (tabs, trailing blanks) is passed on unchanged.
    EXPECT_EQ(SplitCommand(L"notepad  \t a.txt  "), (t_ShellRequest{L"notepad", L"\t a.txt  "}));
    EXPECT_EQ(SplitCommand(L"calc"), (t_ShellRequest{L"calc", L""}));
    EXPECT_EQ(SplitCommand(L""), (t_ShellRequest{L"", L""}));
}

TEST(SplitCommand, AQuotedProgramEndsAtTheClosingQuote) {
    EXPECT_EQ(SplitCommand(L"\"C:\\My Apps\\a.exe\" --open \"x y\""),
              (t_ShellRequest{L"C:\\My Apps\\a.exe", L"--open \"x y\""}));
    // The parameters may follow the closing quote directly.
    EXPECT_EQ(SplitCommand(L"\"C:\\My Apps\\a.exe\"-flag x"), (t_ShellRequest{L"C:\\My Apps\\a.exe", L"-flag x"}));
    // A lone opening quote takes the whole rest as the program.
    EXPECT_EQ(SplitCommand(L"\"C:\\My Apps\\a.exe -flag"), (t_ShellRequest{L"C:\\My Apps\\a.exe -flag", L""}));
    EXPECT_EQ(SplitCommand(L"\"\"   x"), (t_ShellRequest{L"", L"x"}));
}

TEST(ExplorerRequest, TheFolderBecomesTheRootOfExplorersTree) {
    EXPECT_EQ(ExplorerRequest(L"D:\\Music", false, L"C:\\Users\\me\\"),
              (t_ShellRequest{L"explorer", L"/e,/root,\"D:\\Music\""}));
    // A relative folder is joined to the working folder with one backslash, also when canonicalisation left one
    // in front ("..\x" can become "\x").
    EXPECT_EQ(ExplorerRequest(L"Documents\\Letters", true, L"C:\\Users\\me\\").parameters,
              L"/e,/root,\"C:\\Users\\me\\Documents\\Letters\"");
    EXPECT_EQ(ExplorerRequest(L"\\Documents", true, L"C:\\Users\\me\\").parameters,
              L"/e,/root,\"C:\\Users\\me\\Documents\"");
    // A failed canonicalisation leaves no text: a relative folder then opens the working folder itself.
    EXPECT_EQ(ExplorerRequest(L"", true, L"C:\\Users\\me\\").parameters, L"/e,/root,\"C:\\Users\\me\\\"");
    EXPECT_EQ(ExplorerRequest(L"", false, L"C:\\Users\\me\\").parameters, L"/e,/root,\"\"");
}

TEST(ExplorerRequest, RunsOfBackslashesShrinkButANetworkPathKeepsItsLeadingPair) {
    EXPECT_EQ(WithBackslashes(L"C:/Users//me/"), L"C:\\Users\\\\me\\");
    EXPECT_EQ(WithSingleBackslashes(L"C:\\\\Users\\\\\\me\\\\"), L"C:\\Users\\me\\");
    EXPECT_EQ(WithSingleBackslashes(L"\\\\server\\\\share\\\\\\x"), L"\\\\server\\share\\x");
    EXPECT_EQ(WithSingleBackslashes(L"\\\\\\server\\share"), L"\\\\server\\share");
    EXPECT_EQ(ExplorerRequest(WithBackslashes(L"//server/share//docs"), false, L"C:\\Users\\me\\").parameters,
              L"/e,/root,\"\\\\server\\share\\docs\"");
    // The working folder itself may be on the network.
    EXPECT_EQ(ExplorerRequest(L"docs", true, L"\\\\server\\home\\me\\").parameters,
              L"/e,/root,\"\\\\server\\home\\me\\docs\"");
}

namespace {

// The token and name part FindCompletionTarget picks, as text.
struct t_Target {
    std::wstring token;
    std::wstring name;
    friend bool operator==(const t_Target&, const t_Target&) = default;
};

std::optional<t_Target> TargetOf(std::wstring_view text) {
    const std::optional<t_CompletionTarget> target = FindCompletionTarget(text);
    if (!target) return std::nullopt;
    return t_Target{std::wstring(text.substr(target->tokenStart, target->tokenEnd - target->tokenStart)),
                    std::wstring(text.substr(target->nameStart, target->tokenEnd - target->nameStart))};
}

void PrintTo(const t_Target& target, std::ostream* out) {
    *out << testing::PrintToString(target.token) << " / " << testing::PrintToString(target.name);
}

} // namespace

TEST(CompletionTarget, TheLastTokenCounts) {
    EXPECT_EQ(TargetOf(L"notepad C:\\Windows\\sys"), (t_Target{L"C:\\Windows\\sys", L"sys"}));
    EXPECT_EQ(TargetOf(L"C:/Users/me/Doc"), (t_Target{L"C:/Users/me/Doc", L"Doc"}));
    EXPECT_EQ(TargetOf(L"cd C:\\Users\\"), (t_Target{L"C:\\Users\\", L""}));
    // Trailing white space does not start a new, empty token.
    EXPECT_EQ(TargetOf(L"notepad read \t "), (t_Target{L"read", L"read"}));
    // Any white space separates tokens, not only blanks.
    EXPECT_EQ(TargetOf(L"notepad\tread"), (t_Target{L"read", L"read"}));
}

TEST(CompletionTarget, QuotesEncloseATokenWithBlanks) {
    EXPECT_EQ(TargetOf(L"cmd \"C:\\Program Files\\Com"), (t_Target{L"C:\\Program Files\\Com", L"Com"}));
    // A closed token stays the last one even with text after its quote that is only blank...
    EXPECT_EQ(TargetOf(L"edit \"C:\\My Files\\re\"  "), (t_Target{L"C:\\My Files\\re", L"re"}));
    // ...but text right after the closing quote is a token of its own.
    EXPECT_EQ(TargetOf(L"\"C:\\My Files\\re\"port"), (t_Target{L"port", L"port"}));
    EXPECT_EQ(TargetOf(L"edit \"\""), (t_Target{L"", L""}));
    // The offsets are into the typed text, inside the quotes.
    const std::optional<t_CompletionTarget> target = FindCompletionTarget(L"a \"b\\cd\" ");
    ASSERT_TRUE(target);
    EXPECT_EQ(target->tokenStart, 3u);
    EXPECT_EQ(target->nameStart, 5u);
    EXPECT_EQ(target->tokenEnd, 7u);
}

TEST(CompletionTarget, NothingForBlankTextOrCharactersNoPathHolds) {
    EXPECT_EQ(TargetOf(L""), std::nullopt);
    EXPECT_EQ(TargetOf(L" \t "), std::nullopt);
    for (const wchar_t* text : {L"type a|more", L"sort <in", L"dir >out", L"say x\"y", L"a \"b|c\"", L"x\x01y"})
        EXPECT_EQ(TargetOf(text), std::nullopt) << testing::PrintToString(std::wstring(text));
    // Only the last token is checked.
    EXPECT_EQ(TargetOf(L"a|b c"), (t_Target{L"c", L"c"}));
}

TEST(Completion, TheNameBecomesTheCommonPrefixInTheLettersOfTheFirstName) {
    std::wstring candidate = L"Program Files";
    ShortenToCommonPrefix(candidate, L"PROGRAM FILES (x86)");
    EXPECT_EQ(candidate, L"Program Files");
    ShortenToCommonPrefix(candidate, L"programdata");
    EXPECT_EQ(candidate, L"Program");
    ShortenToCommonPrefix(candidate, L"..");
    EXPECT_EQ(candidate, L"");

    std::wstring text = L"run \"c:\\prog\" ";
    const std::optional<t_CompletionTarget> target = FindCompletionTarget(text);
    ASSERT_TRUE(target);
    // Only the name part changes, inside the quotes; the added part is what the command box selects.
    EXPECT_EQ(ApplyCompletion(text, *target, L"Program"), (t_PathCompletion{8, 12, 15}));
    EXPECT_EQ(text, L"run \"c:\\Program\" ");

    // A candidate equal to the name changes nothing; one that only changes letter case adds nothing.
    std::wstring same = L"Docs";
    EXPECT_EQ(ApplyCompletion(same, *FindCompletionTarget(same), L"Docs"), std::nullopt);
    EXPECT_EQ(ApplyCompletion(same, *FindCompletionTarget(same), L"DOCS"), (t_PathCompletion{0, 4, 4}));
    EXPECT_EQ(same, L"DOCS");
}
