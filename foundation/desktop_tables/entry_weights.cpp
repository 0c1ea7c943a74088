#include "foundation/desktop_tables/entry_weights.h"

#include "foundation/huge_pages.h"

void EntryWeights::turnRead() {
    if (!read_.empty()) return;
    reserveHugePages(read_, whole_.capacity());
    read_.assign(whole_.begin(), whole_.end());
    std::vector<uint32_t>().swap(whole_);
}

void EntryWeights::pushRead(double weight) {
    turnRead();
    read_.push_back(weight);
}

void EntryWeights::raise(std::size_t entry, double weight) {
    if (empty() || !((*this)[entry] < weight)) return;
    if (read_.empty() && isWhole(weight)) {
        whole_[entry] = static_cast<uint32_t>(weight);
        return;
    }
    turnRead();
    read_[entry] = weight;
}

void EntryWeights::reserveAndZero(std::size_t count, std::size_t size) {
    reserveHugePages(whole_, count);
    whole_.resize(size);
}

void EntryWeights::release() {
    std::vector<uint32_t>().swap(whole_);
    std::vector<double>().swap(read_);
}
