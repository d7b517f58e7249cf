#pragma once
// Text arithmetic on what is typed into the command box: splitting a command into program and parameters, the
// Explorer request for a folder, and finding the part of the text that path completion works on. Platform-neutral;
// the file-system questions (is it a folder, what names match) are asked by the default executor and path completion.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace n_ombrix {

// What is handed to the shell: the program (or document) and its parameters.
struct t_ShellRequest {
    std::wstring file;
    std::wstring parameters;

    friend bool operator==(const t_ShellRequest&, const t_ShellRequest&) = default;
};

// A typed command as the shell gets it. A leading double quote encloses the program up to the next double quote (or
// to the end); otherwise the program runs up to the first space (U+0020; a tab does not split). Spaces after the
// program are skipped and the rest is passed on unchanged.
t_ShellRequest SplitCommand(std::wstring_view text);

// The folder text with every '/' turned into '\', as it goes into canonicalisation.
std::wstring WithBackslashes(std::wstring_view text);

// Reduces every run of backslashes to one, except that a leading "\\" of a network path stays.
std::wstring WithSingleBackslashes(std::wstring_view path);

// The request that opens a folder in Explorer with the folder as the root of its tree. canonicalFolder is the typed
// folder after WithBackslashes and canonicalisation; a relative one is joined to the working folder (which ends in a
// backslash).
t_ShellRequest ExplorerRequest(std::wstring_view canonicalFolder, bool relative, std::wstring_view workingFolder);

// Where path completion works in the typed text: the last token, and where its name part begins (after the token's
// last '\' or '/'). Offsets are into the typed text.
struct t_CompletionTarget {
    std::size_t tokenStart;
    std::size_t nameStart;
    std::size_t tokenEnd;
};

// The last token of the text: white space separates tokens, and a token that begins with a double quote runs to the
// next double quote (both quotes excluded) or to the end. Nothing when the text is blank, or when the token holds a
// control character, a double quote, '|', '<' or '>', which no path can.
std::optional<t_CompletionTarget> FindCompletionTarget(std::wstring_view text);

// Shortens candidate to its longest common prefix with name, comparing upper-cased characters; the candidate keeps
// its own letter case.
void ShortenToCommonPrefix(std::wstring& candidate, std::wstring_view name);

// What a completion did: the completed name spans [nameStart, nameEnd) of the new text; [addedStart, nameEnd) is
// what completion added to the name as typed, which the command box selects.
struct t_PathCompletion {
    std::size_t nameStart;
    std::size_t addedStart;
    std::size_t nameEnd;

    friend bool operator==(const t_PathCompletion&, const t_PathCompletion&) = default;
};

// Replaces the target's name part by the candidate. Nothing when the text stays exactly as it was.
std::optional<t_PathCompletion> ApplyCompletion(std::wstring& text, const t_CompletionTarget& target,
                                                std::wstring_view candidate);

} // namespace n_ombrix
