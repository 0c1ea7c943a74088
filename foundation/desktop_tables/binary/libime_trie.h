// The double-array tries that fcitx 5's tables keep their entries in, as
// libime saves them (numbers big-endian unless said):
//   0   the tail's length T, then the number N of nodes
//   8   T bytes of tail: the ends of keys that have no branch left, each
//       NUL-terminated and followed by its value (four bytes, little-endian)
//       N nodes of eight bytes: base (the value, for a node reached by the
//       label 0), then check (the node's parent)
//       three numbers of the block lists, N bytes pairs of sibling and child
//       labels, N / 256 blocks of 20 bytes: only the trie's builder needs them
// A node's children lie at base XOR label; a negative base is where the
// rest of the key stands in the tail.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/desktop_tables/binary/table_bytes.h"

struct TrieEntry {
    std::string key;
    uint32_t value = 0;
};

// Reads the trie at `at` in `bytes` (big-endian) into `entries`, its keys in
// the order of their bytes, and moves `at` past it. False when the trie's
// sizes or links lead outside it.
bool readLibimeTrie(const TableBytes& bytes, std::size_t& at, std::vector<TrieEntry>& entries);
