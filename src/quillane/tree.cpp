#include "quillane/tree.h"

#include <algorithm>
#include <functional>
#include <stdexcept>

namespace n_quillane {

namespace {

// Index none stays free, so that no real node can look like the null handle.
template <typename T> void CheckRoom(const std::vector<T>& nodes) {
    if (nodes.size() >= t_Tree::none) throw std::length_error("quillane: too many nodes for one document");
}

} // namespace

t_Tree::t_Source t_Tree::Locate(std::wstring_view text) const noexcept {
    const std::less<const wchar_t*> before;
    const wchar_t* const begin = text_.data();
    if (!text.empty() && !before(text.data(), begin) && before(text.data(), begin + text_.size())) {
        return {nullptr, static_cast<std::size_t>(text.data() - begin), text.size()};
    }
    return {text.data(), 0, text.size()};
}

// Called with room reserved, so an inside source is read from the buffer it was located in.
t_Tree::t_Span t_Tree::Append(const t_Source& source) {
    const std::size_t start = text_.size();
    text_.append(source.outside != nullptr ? source.outside : text_.data() + source.offset, source.length);
    return SpanSince(start);
}

// Some libraries reserve exactly what is asked for; growing by at least half keeps appending linear anyway.
void t_Tree::MakeRoom(std::size_t length) {
    const std::size_t needed = text_.size() + length;
    if (needed > text_.capacity()) text_.reserve(std::max(needed, text_.capacity() + text_.capacity() / 2));
}

t_Tree::t_Span t_Tree::Store(std::wstring_view text) {
    const t_Source source = Locate(text);
    MakeRoom(source.length);
    return Append(source);
}

std::pair<t_Tree::t_Span, t_Tree::t_Span> t_Tree::Store(std::wstring_view first, std::wstring_view second) {
    const t_Source one = Locate(first);
    const t_Source two = Locate(second);
    MakeRoom(one.length + two.length);
    const t_Span a = Append(one);
    return {a, Append(two)};
}

t_Tree::t_Index t_Tree::AddElement(t_Index parent, t_Span name) {
    CheckRoom(elements_);
    const auto index = static_cast<t_Index>(elements_.size());
    t_ElementNode node{.name = name, .parent = parent};
    if (parent != none) {
        t_ElementNode& up = elements_[parent];
        node.depth = up.depth + 1;
        if (up.lastChild == none) {
            up.firstChild = index;
        } else {
            elements_[up.lastChild].nextSibling = index;
        }
        up.lastChild = index;
    }
    elements_.push_back(node);
    return index;
}

t_Tree::t_Index t_Tree::AddAttribute(t_Index element, t_Span name, t_Span value) {
    CheckRoom(attributes_);
    const auto index = static_cast<t_Index>(attributes_.size());
    t_ElementNode& owner = elements_[element];
    if (owner.lastAttribute == none) {
        owner.firstAttribute = index;
    } else {
        attributes_[owner.lastAttribute].next = index;
    }
    owner.lastAttribute = index;
    attributes_.push_back({.name = name, .value = value, .element = element});
    return index;
}

} // namespace n_quillane
