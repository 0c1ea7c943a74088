// Putting what was kept of a table in weight order: heaviest first, ties in
// reading order.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "foundation/desktop_tables/desktop_table.h"
#include "foundation/huge_pages.h"

// Sorts `items`, which stand in reading order (`entryOf` of each gives its
// entry's number, rising), by their entries' weights. One sort of records
// that hold the weight beside the item, so that no comparison looks an entry
// up; the entry number breaks ties, which keeps the reading order.
template <class Item, class EntryOf>
void sortByWeight(const DesktopTable& table, std::vector<Item>& items, EntryOf entryOf) {
    if (table.weights.empty()) return;  // every weight 0: the order stands
    struct Weighted {
        double weight;
        Item item;
    };
    std::vector<Weighted> records;
    reserveHugePages(records, items.size());
    for (const Item& item : items) records.push_back({table.weights[entryOf(item)], item});
    std::sort(records.begin(), records.end(), [&](const Weighted& a, const Weighted& b) {
        if (a.weight != b.weight) return a.weight > b.weight;
        return entryOf(a.item) < entryOf(b.item);
    });
    for (std::size_t i = 0; i < items.size(); ++i) items[i] = records[i].item;
}
