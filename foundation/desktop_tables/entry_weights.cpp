#include "foundation/desktop_tables/entry_weights.h"

#include <algorithm>

#include "foundation/huge_pages.h"

namespace {

template <class Others>
auto placeOf(Others& others, std::size_t entry) {
    return std::lower_bound(others.begin(), others.end(), entry,
                            [](const auto& other, std::size_t e) { return other.first < e; });
}

}  // namespace

double EntryWeights::other(std::size_t entry) const {
    return placeOf(others_, entry)->second;
}

void EntryWeights::turnRead() {
    std::vector<double> read;
    reserveHugePages(read, whole_.capacity());
    for (std::size_t entry = 0; entry < whole_.size(); ++entry) read.push_back((*this)[entry]);
    read_ = std::move(read);
    std::vector<uint32_t>().swap(whole_);
    std::vector<std::pair<std::size_t, double>>().swap(others_);
}

void EntryWeights::pushOther(double weight) {
    if (read_.empty() && others_.size() < kMostOthers) {
        others_.emplace_back(whole_.size(), weight);
        whole_.push_back(kElsewhere);
        return;
    }
    if (read_.empty()) turnRead();
    read_.push_back(weight);
}

void EntryWeights::raise(std::size_t entry, double weight) {
    if (empty() || !((*this)[entry] < weight)) return;
    if (!read_.empty()) {
        read_[entry] = weight;
        return;
    }
    const bool apart = whole_[entry] == kElsewhere;
    if (isWhole(weight)) {
        if (apart) others_.erase(placeOf(others_, entry));
        whole_[entry] = static_cast<uint32_t>(weight);
    } else if (apart) {
        placeOf(others_, entry)->second = weight;
    } else if (others_.size() < kMostOthers) {
        others_.insert(placeOf(others_, entry), {entry, weight});
        whole_[entry] = kElsewhere;
    } else {
        turnRead();
        read_[entry] = weight;
    }
}

void EntryWeights::reserveAndZero(std::size_t count, std::size_t size) {
    reserveHugePages(whole_, count);
    whole_.resize(size);
}

void EntryWeights::release() {
    std::vector<uint32_t>().swap(whole_);
    std::vector<std::pair<std::size_t, double>>().swap(others_);
    std::vector<double>().swap(read_);
}
