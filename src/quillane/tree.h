#pragma once
// The storage behind a document: elements and attributes in two arrays linked by index, and all names and values in
// one text buffer. Appending and every step of navigation are O(1); nothing here recurses. Platform-neutral.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace n_quillane {

class t_Tree {
public:
    using t_Index = std::uint32_t;
    static constexpr t_Index none = std::numeric_limits<t_Index>::max();
    // Levels of elements, the root being the first. The reader refuses deeper text, so the writer never makes it.
    static constexpr std::size_t maxDepth = 256;

    // A piece of the text buffer.
    struct t_Span {
        std::size_t offset = 0;
        std::size_t length = 0;
    };
    struct t_ElementNode {
        t_Span name;
        t_Index parent = none;
        t_Index firstChild = none;
        t_Index lastChild = none;
        t_Index nextSibling = none;
        t_Index firstAttribute = none;
        t_Index lastAttribute = none;
        std::uint32_t depth = 1;
    };
    struct t_AttributeNode {
        t_Span name;
        t_Span value;
        t_Index element = none;
        t_Index next = none;
    };

    // Text for names and values. Append pieces, then take everything since `start` as one span.
    std::size_t TextSize() const noexcept { return text_.size(); }
    void AppendText(const wchar_t* begin, std::size_t length) { text_.append(begin, length); }
    void AppendUnit(wchar_t unit) { text_.push_back(unit); }
    t_Span SpanSince(std::size_t start) const noexcept { return {start, text_.size() - start}; }
    // Copy text in; the texts may be views into this tree's own buffer.
    t_Span Store(std::wstring_view text);
    std::pair<t_Span, t_Span> Store(std::wstring_view first, std::wstring_view second);
    void ReserveText(std::size_t length) { text_.reserve(length); }

    // parent is none for the root. Throws std::length_error when the index space is used up.
    t_Index AddElement(t_Index parent, t_Span name);
    t_Index AddAttribute(t_Index element, t_Span name, t_Span value);

    bool HasElement(t_Index index) const noexcept { return index < elements_.size(); }
    bool HasAttribute(t_Index index) const noexcept { return index < attributes_.size(); }
    std::size_t ElementCount() const noexcept { return elements_.size(); }
    std::size_t AttributeCount() const noexcept { return attributes_.size(); }
    // Only for indices that HasElement / HasAttribute accept.
    const t_ElementNode& Element(t_Index index) const noexcept { return elements_[index]; }
    const t_AttributeNode& Attribute(t_Index index) const noexcept { return attributes_[index]; }
    std::wstring_view View(t_Span span) const noexcept { return {text_.data() + span.offset, span.length}; }

private:
    // Text to copy in, found by offset when it lies in our buffer (which may move while appending).
    struct t_Source {
        const wchar_t* outside;
        std::size_t offset;
        std::size_t length;
    };
    t_Source Locate(std::wstring_view text) const noexcept;
    void MakeRoom(std::size_t length);
    t_Span Append(const t_Source& source);

    std::wstring text_;
    std::vector<t_ElementNode> elements_;
    std::vector<t_AttributeNode> attributes_;
};

} // namespace n_quillane
