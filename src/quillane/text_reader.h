#pragma once
// Reads .qln text of either form into a tree, in one pass, without recursion and in time linear in the text.
// docs/qln-format.md has the grammar. Platform-neutral.

#include "quillane/tree.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace n_quillane {

class t_TextReader {
public:
    // The text is not copied; it must outlive the reader.
    explicit t_TextReader(std::wstring_view text) noexcept : text_(text) {}
    // Throws t_ParseError at the first thing that is not the format. Call once.
    t_Tree Read();

private:
    // Element and indentation of each open line of the indented form.
    struct t_OpenLine {
        std::size_t indent;
        t_Tree::t_Index element;
    };

    void ReadIndented();
    void ReadCompact();
    void ReadElementLine(std::vector<t_OpenLine>& open, std::size_t indent);
    void ReadCompactElement(std::vector<t_Tree::t_Index>& open);
    // Reads `"name"="value"` at the current position into the element.
    void ReadAttribute(t_Tree::t_Index element);
    t_Tree::t_Span ReadQuoted();
    void ReadEscape(std::size_t backslash);
    t_Tree::t_Index AddElement(t_Tree::t_Index parent, t_Tree::t_Span name, std::size_t depth, std::size_t at);

    bool AtEnd() const noexcept { return position_ >= text_.size(); }
    wchar_t Peek() const noexcept { return AtEnd() ? L'\0' : text_[position_]; }
    // The line break at the current position (LF or CR LF), or 0 when there is none.
    std::size_t LineBreakLength() const noexcept;
    void TakeLineBreak(std::size_t length) noexcept;
    // Spaces and tabs; true when there was at least one.
    bool SkipBlanks() noexcept;
    // Spaces, tabs and line breaks (between the tokens of the compact form); true when there was any.
    bool SkipBlanksAndLineBreaks();
    [[noreturn]] void Fail(const char* message, std::size_t at) const;
    [[noreturn]] void Fail(const char* message) const { Fail(message, position_); }

    std::wstring_view text_;
    std::size_t position_ = 0;
    std::size_t line_ = 1;
    std::size_t lineStart_ = 0;
    t_Tree tree_;
    bool hasRoot_ = false;
};

} // namespace n_quillane
