// libFuzzer target for the properties stored in shell links, which reach us in links and jump-list files from
// anywhere. The input is read as a link and as property storages alone; neither may crash, read out of bounds or
// hang, a whole link's size lies within the input and reads the same on its own, and whatever values were read,
// written by PropertyStoreDataBlock (and put into the link, or into a bare link), read back the same. Any difference
// aborts.

#include "catalogue/link_properties.h"
#include "fuzz_check.h"
#include "link_property_block.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

using namespace n_ombrix;
using namespace n_ombrix_fuzz;
using namespace n_ombrix_test;

namespace {

bool Same(const t_PropertyValues& a, const t_PropertyValues& b) {
    if (a.All().size() != b.All().size()) return false;
    for (const t_Property& property : a.All()) {
        if (a.String(property.key) != b.String(property.key) || a.Bool(property.key) != b.Bool(property.key) ||
            a.Integer(property.key) != b.Integer(property.key)) {
            return false;
        }
    }
    return true;
}

// The block's storages read back as the values. A whole link given the block stays whole and reads the same: its own
// blocks come first, and a value read first wins. So does the link's header alone given the block, where only the
// block's values are there to read.
void CheckWrittenBlockReadsBack(const t_PropertyValues& values, std::span<const std::byte> wholeLink) {
    const std::vector<std::byte> block = PropertyStoreDataBlock(values.All());
    t_PropertyValues again;
    if (!ReadPropertyStorages(std::span(block).subspan(8), again)) Abandon("a written block reads as lying");
    if (!Same(values, again)) Abandon("a written block reads back other values");
    if (wholeLink.empty()) return;
    std::vector<std::byte> bare(wholeLink.begin(), wholeLink.begin() + 76);
    std::fill(bare.begin() + 20, bare.begin() + 24, std::byte{0}); // no flags: no structures after the header
    bare.resize(80);                                               // the terminal block
    for (const std::span<const std::byte> into : {wholeLink, std::span<const std::byte>(bare)}) {
        const std::vector<std::byte> link = WithPropertyStoreDataBlock(into, block);
        const t_LinkProperties read = ReadLinkProperties(link);
        if (read.status != t_LinkReadStatus::complete || read.size != link.size()) {
            Abandon("a rewritten link is not whole");
        }
        if (!Same(values, read.properties)) Abandon("a rewritten link reads back other values");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::byte> bytes(reinterpret_cast<const std::byte*>(data), size);
    const t_LinkProperties link = ReadLinkProperties(bytes);
    if (link.size > size) Abandon("a link larger than its bytes");
    std::span<const std::byte> wholeLink;
    if (link.status == t_LinkReadStatus::complete) {
        wholeLink = bytes.first(link.size);
        const t_LinkProperties alone = ReadLinkProperties(wholeLink);
        if (alone.status != link.status || alone.size != link.size || !Same(alone.properties, link.properties)) {
            Abandon("a whole link reads otherwise without the bytes after it");
        }
    }
    CheckWrittenBlockReadsBack(link.properties, wholeLink);

    t_PropertyValues storages;
    (void)ReadPropertyStorages(bytes, storages);
    CheckWrittenBlockReadsBack(storages, {});
    return 0;
}
