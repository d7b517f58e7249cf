#include "jumplists/jump_list.h"

#include "jumplists/destinations_file_name.h"
#include "resource_ids.h"
#include "system/error_exception.h"
#include "system/resource_string.h"

namespace n_ombrix {

using namespace n_zql::n_system;

t_JumpListHeaderTexts LoadJumpListHeaderTexts(HMODULE resources) {
    using n_windows::ResourceString;
    return {.pinned = ResourceString(resources, IDS_PINNED_HEADER),
            .recent = ResourceString(resources, IDS_RECENT_HEADER),
            .frequent = ResourceString(resources, IDS_FREQUENT_HEADER),
            .unnamedCategory = ResourceString(resources, IDS_UNNAMED_CATEGORY_HEADER),
            .tasks = ResourceString(resources, IDS_TASKS_HEADER)};
}

t_JumpList::t_JumpList(const std::wstring& applicationIdentity, const t_DestinationsFolders& folders)
    : identity_(applicationIdentity), hash_(ApplicationIdentityHash(applicationIdentity)) {
    const std::wstring stem = DestinationsFileStem(hash_);
    automatic_.Open(folders.automatic, stem);
    custom_.Open(folders.custom, stem);
    CollectPinnedKeys();
    CollectCustomKeys();
}

void t_JumpList::CollectPinnedKeys() {
    pinnedKeys_.clear();
    for (const t_DestListEntry* entry : automatic_.PinnedEntries())
        pinnedKeys_.insert(entry->destination.IdentityKey());
}

void t_JumpList::CollectCustomKeys() {
    customKeys_.clear();
    for (const t_CustomCategory& category : custom_.Categories())
        for (const t_ShellDestination& item : category.items) customKeys_.insert(item.IdentityKey());
}

std::vector<std::unique_ptr<t_JumpListEntry>> t_JumpList::Assemble(const t_JumpListHeaderTexts& texts) {
    using t_Entry = t_JumpListEntry;
    std::vector<std::unique_ptr<t_Entry>> entries;
    auto header = [&](t_PaneSection section, const std::wstring& text) {
        entries.push_back(std::make_unique<t_Entry>(section, text));
    };
    auto entry = [&](t_PaneSection section, t_PinKind kind, const t_ShellDestination& destination) {
        entries.push_back(std::make_unique<t_Entry>(section, kind, kind != t_PinKind::notPinnable, *this, destination));
    };

    header(t_PaneSection::pinned, texts.pinned);
    for (const t_DestListEntry* pinned : automatic_.PinnedEntries())
        entry(t_PaneSection::pinned, t_PinKind::pinned, pinned->destination);

    bool frequent = false;
    for (const t_CustomCategory& category : custom_.Categories())
        frequent = frequent || category.kind == t_CustomCategoryKind::frequent;
    header(t_PaneSection::recent, frequent ? texts.frequent : texts.recent);
    // The automatic file's documents show once, here, unless pinned or listed in a category of the application's.
    for (const t_DestListEntry* recent : automatic_.Entries()) {
        const std::uint64_t key = recent->destination.IdentityKey();
        if (!pinnedKeys_.contains(key) && !customKeys_.contains(key))
            entry(t_PaneSection::recent, t_PinKind::pinnable, recent->destination);
    }

    for (const t_CustomCategory& category : custom_.Categories()) {
        if (category.kind != t_CustomCategoryKind::custom) continue;
        header(t_PaneSection::custom, category.displayName.empty() ? texts.unnamedCategory : category.displayName);
        for (const t_ShellDestination& item : category.items)
            if (!pinnedKeys_.contains(item.IdentityKey())) entry(t_PaneSection::custom, t_PinKind::pinnable, item);
    }

    header(t_PaneSection::tasks, texts.tasks);
    for (const t_CustomCategory& category : custom_.Categories()) {
        if (category.kind != t_CustomCategoryKind::tasks) continue;
        for (const t_ShellDestination& task : category.items) entry(t_PaneSection::tasks, t_PinKind::notPinnable, task);
    }
    return entries;
}

template <typename t_Edit> void t_JumpList::Edit(t_Edit&& edit) {
    try {
        edit();
    } catch (...) {
        // The files may be part way through the edit: show nothing of them rather than something wrong. The jump
        // list is optional: no failure of it, not even running out of memory, goes on to end the program.
        automatic_.Close();
        custom_.Close();
    }
}

void t_JumpList::Pin(const t_ShellDestination& destination) {
    Edit([&] {
        automatic_.Pin(destination);
        CollectPinnedKeys();
    });
}

void t_JumpList::Unpin(const t_ShellDestination& destination) {
    const std::uint64_t key = destination.IdentityKey();
    Edit([&] {
        if (customKeys_.contains(key)) {
            // Back to its category only.
            automatic_.RemoveByLink(destination);
        } else if (const t_DestListEntry* entry = automatic_.Find(key)) {
            automatic_.Unpin(*entry);
        }
        CollectPinnedKeys();
    });
}

void t_JumpList::Remove(const t_ShellDestination& destination) {
    const std::uint64_t key = destination.IdentityKey();
    Edit([&] {
        if (const t_DestListEntry* entry = automatic_.Find(key)) automatic_.Remove(*entry);
        // One item only: the first that has the key, tasks included.
        const std::vector<t_CustomCategory>& categories = custom_.Categories();
        bool removed = false;
        for (std::size_t category = 0; category < categories.size() && !removed; ++category) {
            const std::vector<t_ShellDestination>& items = categories[category].items;
            for (std::size_t item = 0; item < items.size() && !removed; ++item) {
                if (items[item].IdentityKey() != key) continue;
                custom_.RemoveItems(category, item, item + 1);
                removed = true;
            }
        }
        CollectPinnedKeys();
        CollectCustomKeys();
    });
}

void t_JumpList::Clear() {
    Edit([&] {
        if (!automatic_.Entries().empty()) automatic_.RemoveAll();
        const std::vector<t_CustomCategory>& categories = custom_.Categories();
        for (std::size_t category = categories.size(); category-- > 0;) {
            if (categories[category].kind == t_CustomCategoryKind::custom && !categories[category].items.empty())
                custom_.RemoveItems(category, 0, categories[category].items.size());
        }
        pinnedKeys_.clear();
        CollectCustomKeys();
    });
}

} // namespace n_ombrix
