#include "foundation/desktop_tables/binary/libime_trie.h"

namespace {

constexpr std::size_t kNodeSize = 8;
constexpr std::size_t kBlockListsSize = 12;
constexpr std::size_t kLabelsSize = 2;
constexpr std::size_t kBlockSize = 20;
constexpr std::size_t kBlockNodes = 256;
constexpr unsigned kLabels = 256;
constexpr std::size_t kLongestKey = 1024;
// A value the trie keeps for a key it no longer holds.
constexpr uint32_t kNoValue = 0xFFFFFFFF;

struct Trie {
    const TableBytes& bytes;
    TableBytes tail;  // its values are little-endian
    std::size_t nodes;
    std::size_t count;

    int32_t base(std::size_t node) const {
        return static_cast<int32_t>(bytes.u32(nodes + node * kNodeSize));
    }
    // The child of `from` by `label`, or 0 (the root is no one's child).
    std::size_t child(std::size_t from, int32_t base, unsigned label) const {
        const std::size_t to = static_cast<uint32_t>(base) ^ label;
        if (to == 0 || to >= count) return 0;
        const auto check = static_cast<int32_t>(bytes.u32(nodes + to * kNodeSize + 4));
        return check == static_cast<int32_t>(from) ? to : 0;
    }
    // Completes `entry` with the key's end and value in the tail at `offset`.
    bool fromTail(std::size_t offset, TrieEntry& entry) const {
        if (!tail.holds(offset, 0)) return false;
        const std::string_view end = tail.cString(offset, tail.size() - offset);
        const std::size_t valueAt = offset + end.size() + 1;
        if (!tail.holds(valueAt, 4)) return false;
        entry.key += end;
        entry.value = tail.u32(valueAt);
        return true;
    }
};

struct Frame {
    std::size_t node;
    int32_t base;
    unsigned label;
};

}  // namespace

bool readLibimeTrie(const TableBytes& bytes, std::size_t& at, std::vector<TrieEntry>& entries) {
    if (!bytes.holds(at, 8)) return false;
    const std::size_t tailSize = bytes.u32(at);
    const std::size_t count = bytes.u32(at + 4);
    const std::size_t nodes = at + 8 + tailSize;
    const std::size_t size = tailSize + count * (kNodeSize + kLabelsSize) + kBlockListsSize +
                             count / kBlockNodes * kBlockSize;
    if (count == 0 || !bytes.holds(at + 8, size)) return false;
    const Trie trie{bytes, TableBytes(bytes.view(at + 8, tailSize)), nodes, count};
    if (trie.base(0) < 0) return false;

    // Depth first, labels in ascending order: `key` holds the label of every
    // frame but the root's.
    std::vector<Frame> path{{0, trie.base(0), 0}};
    std::string key;
    std::size_t keyBytes = 0;
    while (!path.empty()) {
        Frame& frame = path.back();
        if (frame.label == kLabels) {
            if (path.size() > 1) key.pop_back();
            path.pop_back();
            continue;
        }
        const unsigned label = frame.label++;
        const std::size_t to = trie.child(frame.node, frame.base, label);
        if (to == 0) continue;
        TrieEntry entry{key, static_cast<uint32_t>(trie.base(to))};
        if (label != 0) {
            entry.key.push_back(static_cast<char>(label));
            if (trie.base(to) >= 0) {
                if (key.size() == kLongestKey) return false;
                key.push_back(static_cast<char>(label));
                path.push_back({to, trie.base(to), 0});
                continue;
            }
            if (!trie.fromTail(-static_cast<int64_t>(trie.base(to)), entry)) return false;
        }
        keyBytes += entry.key.size();
        if (keyBytes > kMaxInputFileBytes) return false;
        if (entry.value != kNoValue) entries.push_back(std::move(entry));
    }
    at += 8 + size;
    return true;
}
