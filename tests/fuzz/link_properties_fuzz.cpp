// libFuzzer target for the properties stored in shell links, which reach us in links and jump-list files from
// anywhere. The input is read as a link and as property storages alone; neither may crash, read out of bounds or
// hang, a whole link's size lies within the input and reads the same on its own, and whatever values were read,
// written by PropertyStoreDataBlock, read back the same. Any difference aborts.

#include "catalogue/link_properties.h"
#include "fuzz_check.h"
#include "link_property_block.h"

#include <algorithm>
#include <vector>

using namespace n_ombrix;
using namespace n_ombrix_fuzz;

namespace {

bool Same(const t_PropertyValues& a, const t_PropertyValues& b) {
    return a.All().size() == b.All().size() && std::ranges::all_of(a.All(), [&](const t_Property& p) {
               return a.String(p.key) == b.String(p.key) && a.Bool(p.key) == b.Bool(p.key) &&
                      a.Integer(p.key) == b.Integer(p.key);
           });
}

void CheckWrittenBlockReadsBack(const t_PropertyValues& values) {
    const std::vector<std::byte> block = n_ombrix_test::PropertyStoreDataBlock(values.All());
    t_PropertyValues again;
    if (!ReadPropertyStorages(std::span(block).subspan(8), again) || !Same(values, again))
        Abandon("a written block reads back otherwise");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::byte> bytes(reinterpret_cast<const std::byte*>(data), size);
    const t_LinkProperties link = ReadLinkProperties(bytes);
    if (link.size > size) Abandon("a link larger than its bytes");
    if (link.status == t_LinkReadStatus::complete) {
        const t_LinkProperties alone = ReadLinkProperties(bytes.first(link.size));
        if (alone.status != link.status || alone.size != link.size || !Same(alone.properties, link.properties))
            Abandon("a whole link reads otherwise without the bytes after it");
    }
    CheckWrittenBlockReadsBack(link.properties);
    t_PropertyValues storages;
    (void)ReadPropertyStorages(bytes, storages);
    CheckWrittenBlockReadsBack(storages);
    return 0;
}
