#include "quillane/text_reader.h"

#include "quillane/document.h"

#include <cstdint>
#include <stdexcept>
#include <utility>

namespace n_quillane {

namespace {

bool IsBlank(wchar_t c) noexcept { return c == L' ' || c == L'\t'; }

int HexValue(wchar_t c) noexcept {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    return -1;
}

} // namespace

t_Tree t_TextReader::Read() {
    // Every unit of a name or value comes from at least one unit of text, so this is the only buffer growth.
    tree_.ReserveText(text_.size());
    if (!text_.empty() && text_.front() == L'\xFEFF') {
        Fail("a byte-order mark starts the text; it belongs to the file, not to the document", 0);
    }
    std::size_t first = 0;
    while (first < text_.size() && (IsBlank(text_[first]) || text_[first] == L'\r' || text_[first] == L'\n')) ++first;
    if (first < text_.size() && text_[first] == L'(') {
        ReadCompact();
    } else {
        ReadIndented();
    }
    return std::move(tree_);
}

void t_TextReader::ReadIndented() {
    std::vector<t_OpenLine> open;
    while (!AtEnd()) {
        const std::size_t lineBegin = position_;
        while (Peek() == L' ') ++position_;
        const std::size_t indent = position_ - lineBegin;
        const std::size_t tab = Peek() == L'\t' ? position_ : text_.size();
        SkipBlanks();
        if (AtEnd()) break;
        if (const std::size_t length = LineBreakLength()) {
            TakeLineBreak(length); // a blank line
            continue;
        }
        if (Peek() == L'\r') Fail("a carriage return without a line feed");
        if (tab != text_.size()) Fail("a tab in the indentation; indent with spaces", tab);
        if (Peek() != L'"') Fail("expected an element name in quotes");
        ReadElementLine(open, indent);
    }
    if (!hasRoot_) Fail("no root element: the text holds no element");
}

void t_TextReader::ReadElementLine(std::vector<t_OpenLine>& open, std::size_t indent) {
    const std::size_t at = position_;
    t_Tree::t_Index parent = t_Tree::none;
    if (!hasRoot_) {
        if (indent != 0) Fail("the root element is indented; it starts its line", at);
    } else {
        // Lines indented more than this one are done; one at the same indentation is a sibling.
        bool closed = false;
        while (open.back().indent > indent) {
            open.pop_back();
            closed = true;
        }
        if (open.back().indent == indent) {
            if (open.size() == 1) Fail("a second root element; a document has one root, indent this to nest it", at);
            open.pop_back();
        } else if (closed) {
            Fail("the indentation matches no enclosing element", at);
        }
        parent = open.back().element;
    }
    const t_Tree::t_Span name = ReadQuoted();
    const t_Tree::t_Index element = AddElement(parent, name, open.size() + 1, at);
    open.push_back({indent, element});
    for (;;) {
        const bool spaced = SkipBlanks();
        if (AtEnd()) return;
        if (const std::size_t length = LineBreakLength()) {
            TakeLineBreak(length);
            return;
        }
        if (Peek() == L'\r') Fail("a carriage return without a line feed");
        if (Peek() != L'"') Fail("expected an attribute (\"name\"=\"value\") or the end of the line");
        if (!spaced) Fail("expected a space before the attribute");
        ReadAttribute(element);
    }
}

void t_TextReader::ReadCompact() {
    std::vector<t_Tree::t_Index> open;
    SkipBlanksAndLineBreaks();
    ReadCompactElement(open);
    while (!open.empty()) {
        SkipBlanksAndLineBreaks();
        switch (Peek()) {
        case L'(':
            ReadCompactElement(open);
            break;
        case L')':
            ++position_;
            open.pop_back();
            break;
        case L'"':
            Fail("an attribute after a child element; attributes come first");
        default:
            if (AtEnd()) Fail("the text ends inside an element; ')' is missing");
            Fail("expected '(', ')' or an attribute");
        }
    }
    SkipBlanksAndLineBreaks();
    if (!AtEnd()) Fail("text after the end of the document; a document has one root element");
}

void t_TextReader::ReadCompactElement(std::vector<t_Tree::t_Index>& open) {
    // The depth is checked at '(' itself, which is on the current line.
    const std::size_t at = position_;
    if (open.size() >= t_Tree::maxDepth) Fail("elements nested deeper than 256 levels", at);
    ++position_;
    SkipBlanksAndLineBreaks();
    if (Peek() != L'"') Fail("expected an element name in quotes after '('");
    const t_Tree::t_Span name = ReadQuoted();
    const t_Tree::t_Index element = AddElement(open.empty() ? t_Tree::none : open.back(), name, open.size() + 1, at);
    open.push_back(element);
    for (;;) {
        const bool spaced = SkipBlanksAndLineBreaks();
        if (Peek() != L'"') return;
        if (!spaced) Fail("expected a space before the attribute");
        ReadAttribute(element);
    }
}

void t_TextReader::ReadAttribute(t_Tree::t_Index element) {
    const t_Tree::t_Span name = ReadQuoted();
    SkipBlanks();
    if (Peek() != L'=') Fail("expected '=' after the attribute name");
    ++position_;
    SkipBlanks();
    if (Peek() != L'"') Fail("expected the attribute value in quotes");
    const t_Tree::t_Span value = ReadQuoted();
    try {
        tree_.AddAttribute(element, name, value);
    } catch (const std::length_error&) {
        Fail("too many attributes for one document");
    }
}

t_Tree::t_Span t_TextReader::ReadQuoted() {
    const std::size_t open = position_++;
    const std::size_t start = tree_.TextSize();
    for (;;) {
        const std::size_t run = position_;
        while (position_ < text_.size()) {
            const wchar_t c = text_[position_];
            if (c == L'"' || c == L'\\' || c == L'\n' || c == L'\r') break;
            ++position_;
        }
        tree_.AppendText(text_.data() + run, position_ - run);
        if (AtEnd() || Peek() == L'\n' || Peek() == L'\r') {
            Fail("the quoted text is not closed on its line", open);
        }
        if (Peek() == L'"') {
            ++position_;
            return tree_.SpanSince(start);
        }
        ReadEscape(position_);
    }
}

void t_TextReader::ReadEscape(std::size_t backslash) {
    ++position_;
    const wchar_t kind = AtEnd() ? L'\0' : Peek();
    int digits = 0;
    switch (kind) {
    case L'"':
    case L'\\':
        tree_.AppendUnit(kind);
        ++position_;
        return;
    case L'n':
        tree_.AppendUnit(L'\n');
        ++position_;
        return;
    case L'r':
        tree_.AppendUnit(L'\r');
        ++position_;
        return;
    case L't':
        tree_.AppendUnit(L'\t');
        ++position_;
        return;
    case L'u':
        digits = 4;
        break;
    case L'U':
        digits = 8;
        break;
    default:
        Fail("an unknown escape; a backslash is written \\\\", backslash);
    }
    ++position_;
    if (text_.size() - position_ < static_cast<std::size_t>(digits)) {
        Fail(digits == 4 ? "\\u takes four hex digits" : "\\U takes eight hex digits", backslash);
    }
    std::uint32_t value = 0;
    for (int i = 0; i < digits; ++i) {
        const int digit = HexValue(text_[position_ + static_cast<std::size_t>(i)]);
        if (digit < 0) Fail(digits == 4 ? "\\u takes four hex digits" : "\\U takes eight hex digits", backslash);
        value = (value << 4) | static_cast<std::uint32_t>(digit);
    }
    if constexpr (sizeof(wchar_t) < 4) {
        if (value > 0xFFFF) Fail("a \\U escape beyond 16 bits; write the character as two \\u escapes", backslash);
    }
    tree_.AppendUnit(static_cast<wchar_t>(value));
    position_ += static_cast<std::size_t>(digits);
}

t_Tree::t_Index t_TextReader::AddElement(t_Tree::t_Index parent, t_Tree::t_Span name, std::size_t depth,
                                         std::size_t at) {
    if (depth > t_Tree::maxDepth) Fail("elements nested deeper than 256 levels", at);
    try {
        const t_Tree::t_Index element = tree_.AddElement(parent, name);
        hasRoot_ = true;
        return element;
    } catch (const std::length_error&) {
        Fail("too many elements for one document", at);
    }
}

std::size_t t_TextReader::LineBreakLength() const noexcept {
    if (AtEnd()) return 0;
    if (text_[position_] == L'\n') return 1;
    if (text_[position_] == L'\r' && position_ + 1 < text_.size() && text_[position_ + 1] == L'\n') return 2;
    return 0;
}

void t_TextReader::TakeLineBreak(std::size_t length) noexcept {
    position_ += length;
    ++line_;
    lineStart_ = position_;
}

bool t_TextReader::SkipBlanks() noexcept {
    const std::size_t start = position_;
    while (!AtEnd() && IsBlank(text_[position_])) ++position_;
    return position_ != start;
}

bool t_TextReader::SkipBlanksAndLineBreaks() {
    const std::size_t start = position_;
    for (;;) {
        SkipBlanks();
        if (const std::size_t length = LineBreakLength()) {
            TakeLineBreak(length);
            continue;
        }
        if (!AtEnd() && Peek() == L'\r') Fail("a carriage return without a line feed");
        return position_ != start;
    }
}

void t_TextReader::Fail(const char* message, std::size_t at) const {
    // Every caller points at its current line; columns count UTF-16 units from 1.
    const std::size_t column = at >= lineStart_ ? at - lineStart_ + 1 : 1;
    throw t_ParseError(message, line_, column);
}

} // namespace n_quillane
