// libFuzzer target for the vectorised substring search under every keystroke. The first byte is where the search
// starts, the second the query's length; the rest are the query's units and then the text's, one byte each: 'a' to
// 'd' from the byte's low two bits, so that matches and near misses abound, except that bytes from 0xF0 up give the
// units from 0xFFF0 up. The search must give what std::wstring_view::find gives; any difference aborts.

#include "fuzz_check.h"
#include "system/substring_search.h"

#include <algorithm>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    std::wstring units;
    for (std::size_t i = 2; i < size; ++i)
        units.push_back(static_cast<wchar_t>(data[i] >= 0xF0 ? 0xFF00 | data[i] : L'a' + (data[i] & 3)));
    const std::wstring_view query = std::wstring_view(units).substr(0, std::min<std::size_t>(data[1], units.size()));
    const std::wstring_view text = std::wstring_view(units).substr(query.size());
    if (n_zql::n_system::FindSubstring(text, query, data[0]) != text.find(query, data[0]))
        n_ombrix_fuzz::Abandon("FindSubstring differs from std::wstring_view::find");
    return 0;
}
