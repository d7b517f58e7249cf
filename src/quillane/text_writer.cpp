#include "quillane/text_writer.h"

#include <cstdint>

namespace n_quillane {

namespace {

constexpr std::size_t indentWidth = 4;
constexpr wchar_t lineEnd[] = L"\r\n";
constexpr wchar_t hexDigits[] = L"0123456789ABCDEF";

bool IsHighSurrogate(std::uint32_t unit) noexcept { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(std::uint32_t unit) noexcept { return unit >= 0xDC00 && unit <= 0xDFFF; }

// How many units starting at text[i] may stand as they are: 0 (escape it), 1, or 2 for a surrogate pair. Escaped
// are controls (C0, DEL, C1), the quote and the backslash, lone surrogates, what editors take for line breaks or a
// byte-order mark, the two non-characters, and anything wider than 16 bits (only a 32-bit wchar_t holds that).
std::size_t PlainLength(std::wstring_view text, std::size_t i) noexcept {
    const auto unit = static_cast<std::uint32_t>(text[i]);
    if (unit < 0x20 || unit == L'"' || unit == L'\\' || (unit >= 0x7F && unit <= 0x9F)) return 0;
    if (unit == 0x2028 || unit == 0x2029 || unit == 0xFEFF || unit >= 0xFFFE) return 0;
    if (IsHighSurrogate(unit)) {
        return i + 1 < text.size() && IsLowSurrogate(static_cast<std::uint32_t>(text[i + 1])) ? 2 : 0;
    }
    return IsLowSurrogate(unit) ? 0 : 1;
}

void AppendHex(std::wstring& out, std::uint32_t value, int digits) {
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) out.push_back(hexDigits[(value >> shift) & 0xF]);
}

void AppendEscape(std::wstring& out, std::uint32_t unit) {
    out.push_back(L'\\');
    switch (unit) {
    case L'"':
        out.push_back(L'"');
        return;
    case L'\\':
        out.push_back(L'\\');
        return;
    case L'\n':
        out.push_back(L'n');
        return;
    case L'\r':
        out.push_back(L'r');
        return;
    case L'\t':
        out.push_back(L't');
        return;
    default:
        if (unit <= 0xFFFF) {
            out.push_back(L'u');
            AppendHex(out, unit, 4);
        } else {
            out.push_back(L'U');
            AppendHex(out, unit, 8);
        }
        return;
    }
}

void AppendAttributes(std::wstring& out, const t_Tree& tree, const t_Tree::t_ElementNode& element) {
    for (t_Tree::t_Index a = element.firstAttribute; a != t_Tree::none; a = tree.Attribute(a).next) {
        const t_Tree::t_AttributeNode& attribute = tree.Attribute(a);
        out.push_back(L' ');
        AppendQuoted(out, tree.View(attribute.name));
        out.push_back(L'=');
        AppendQuoted(out, tree.View(attribute.value));
    }
}

// Most text needs no escape; a little more than its length covers quotes and separators without regrowing.
std::wstring OutputFor(const t_Tree& tree) {
    std::wstring out;
    out.reserve(tree.TextSize() + tree.TextSize() / 16 + 8 * (tree.ElementCount() + tree.AttributeCount()) + 64);
    return out;
}

// Visits root's subtree depth first without recursion: open(element, depth) on the way down, close(element) once
// its children are done.
template <typename Open, typename Close>
void Walk(const t_Tree& tree, t_Tree::t_Index root, Open&& open, Close&& close) {
    t_Tree::t_Index current = root;
    std::size_t depth = 0;
    for (;;) {
        open(current, depth);
        const t_Tree::t_Index child = tree.Element(current).firstChild;
        if (child != t_Tree::none) {
            current = child;
            ++depth;
            continue;
        }
        for (;;) {
            close(current);
            if (current == root) return;
            const t_Tree::t_Index sibling = tree.Element(current).nextSibling;
            if (sibling != t_Tree::none) {
                current = sibling;
                break;
            }
            current = tree.Element(current).parent;
            --depth;
        }
    }
}

} // namespace

void AppendQuoted(std::wstring& out, std::wstring_view text) {
    out.push_back(L'"');
    std::size_t run = 0; // start of the units not yet copied
    std::size_t i = 0;
    while (i < text.size()) {
        const auto unit = static_cast<std::uint32_t>(text[i]);
        if (unit >= 0x20 && unit < 0x7F && unit != L'"' && unit != L'\\') {
            ++i;
            continue;
        }
        if (const std::size_t plain = PlainLength(text, i)) {
            i += plain;
            continue;
        }
        out.append(text.data() + run, i - run);
        AppendEscape(out, unit);
        run = ++i;
    }
    out.append(text.data() + run, text.size() - run);
    out.push_back(L'"');
}

std::wstring WriteIndented(const t_Tree& tree, t_Tree::t_Index root) {
    std::wstring out = OutputFor(tree);
    Walk(
        tree, root,
        [&](t_Tree::t_Index index, std::size_t depth) {
            const t_Tree::t_ElementNode& element = tree.Element(index);
            out.append(depth * indentWidth, L' ');
            AppendQuoted(out, tree.View(element.name));
            AppendAttributes(out, tree, element);
            out.append(lineEnd);
        },
        [](t_Tree::t_Index) {});
    return out;
}

std::wstring WriteCompact(const t_Tree& tree, t_Tree::t_Index root) {
    std::wstring out = OutputFor(tree);
    Walk(
        tree, root,
        [&](t_Tree::t_Index index, std::size_t) {
            const t_Tree::t_ElementNode& element = tree.Element(index);
            out.push_back(L'(');
            AppendQuoted(out, tree.View(element.name));
            AppendAttributes(out, tree, element);
        },
        [&](t_Tree::t_Index) { out.push_back(L')'); });
    out.append(lineEnd);
    return out;
}

} // namespace n_quillane
