#include "link_property_writer.h"

#include "link_property_block.h"
#include "scratch_folder.h"

#include <stdexcept>

namespace n_ombrix_test {

void AddLinkProperties(const std::wstring& linkPath, const std::vector<n_ombrix::t_Property>& properties) {
    const std::string text = ReadFileBytes(linkPath);
    const std::vector<std::byte> rewritten =
        WithPropertyStoreDataBlock(std::as_bytes(std::span(text)), PropertyStoreDataBlock(properties));
    if (rewritten.empty()) throw std::runtime_error("AddLinkProperties: not a whole shell link");
    WriteFileBytes(linkPath, std::string_view(reinterpret_cast<const char*>(rewritten.data()), rewritten.size()));
}

} // namespace n_ombrix_test
