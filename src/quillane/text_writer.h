#pragma once
// Writes a tree as .qln text, in the form for people (indented) or the compact form. docs/qln-format.md has the
// grammar. Platform-neutral; iterative, so the depth of the tree never reaches the stack.

#include "quillane/tree.h"

#include <string>
#include <string_view>

namespace n_quillane {

// The element `root` and everything under it; lines end in CR LF.
std::wstring WriteIndented(const t_Tree& tree, t_Tree::t_Index root);
std::wstring WriteCompact(const t_Tree& tree, t_Tree::t_Index root);

// Appends text in quotes, escaping every unit that is not plainly visible (see docs/qln-format.md).
void AppendQuoted(std::wstring& out, std::wstring_view text);

} // namespace n_quillane
