#include "catalogue/catalogue_tidy.h"

#include <cwctype>
#include <type_traits>

namespace n_ombrix {

int CompareIgnoringCase(std::wstring_view left, std::wstring_view right) noexcept {
    using t_Unit = std::make_unsigned_t<wchar_t>;
    const auto lower = [](wchar_t c) {
        return static_cast<t_Unit>(std::towlower(static_cast<std::wint_t>(static_cast<t_Unit>(c))));
    };
    const std::size_t common = std::min(left.size(), right.size());
    for (std::size_t i = 0; i < common; ++i) {
        const t_Unit a = lower(left[i]);
        const t_Unit b = lower(right[i]);
        if (a != b) return a < b ? -1 : 1;
    }
    if (left.size() == right.size()) return 0;
    return left.size() < right.size() ? -1 : 1;
}

} // namespace n_ombrix
