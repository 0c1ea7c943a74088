#include "ime/difference/input_method_difference.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>

#include "foundation/text_encoding.h"

namespace {

using Orders = std::vector<std::vector<uint16_t>>;

std::string codeName(std::size_t number) {
    return std::string("k").append(std::to_string(number));
}

InputMethod withOrders(const Orders& orders) {
    InputMethod im;
    im.charSet = kChineseGB;
    for (std::size_t c = 0; c < orders.size(); ++c) {
        const uint32_t code = im.codes.add(codeName(c));
        for (uint16_t packed : orders[c]) im.entries.push_back({code, code, {packed}});
    }
    return im;
}

std::string lineOf(const char* sign, const std::string& code, const std::string& rest) {
    return std::string(sign).append(" ").append(code).append(" ").append(rest);
}

std::vector<std::string> sortedLines(std::string text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    std::sort(lines.begin(), lines.end());
    return lines;
}

// Random edit scripts, one edit to each of `edits` codes: a character added,
// one removed, or the first moved to the end. /d reports exactly those.
TEST(InputMethodDifference, ReportsExactlyTheEditsOfARandomScript) {
    for (const int edits : {1, 100, 10000}) {
        std::mt19937 random(edits);
        const auto character = [&] {
            return static_cast<uint16_t>((0xB0 + random() % 39) << 8 | (0xA1 + random() % 94));
        };
        CharSetConverter utf8(kChineseGB);
        const auto shown = [&](const std::vector<uint16_t>& order) {
            std::string text;
            for (uint16_t c : order)
                text += utf8.toUtf8(std::string{static_cast<char>(c >> 8), static_cast<char>(c)});
            return text;
        };
        Orders before(static_cast<std::size_t>(edits) * 2);
        for (auto& order : before) {
            while (order.size() < 4) {
                const uint16_t c = character();
                if (std::find(order.begin(), order.end(), c) == order.end()) order.push_back(c);
            }
        }
        Orders after = before;
        std::vector<std::string> expected;
        int counts[3] = {};
        for (int e = 0; e < edits; ++e) {
            auto& order = after[static_cast<std::size_t>(e) * 2];
            const std::string code = codeName(static_cast<std::size_t>(e) * 2);
            const int kind = static_cast<int>(random() % 3);
            ++counts[kind];
            if (kind == 0) {
                uint16_t c = character();
                while (std::find(order.begin(), order.end(), c) != order.end()) c = character();
                order.insert(order.begin() + random() % 5, c);
                expected.push_back(lineOf("+", code, shown({c})));
            } else if (kind == 1) {
                const auto at = order.begin() + random() % 4;
                expected.push_back(lineOf("-", code, shown({*at})));
                order.erase(at);
            } else {
                std::rotate(order.begin(), order.begin() + 1, order.end());
                expected.push_back(lineOf(
                    "~", code,
                    shown(before[static_cast<std::size_t>(e) * 2]).append(" => ") + shown(order)));
            }
        }
        const InputMethodDifference difference =
            inputMethodDifference(withOrders(before), withOrders(after));
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(sortedLines(difference.lines), expected) << edits << " edits";
        EXPECT_EQ(difference.codes, edits);
        EXPECT_EQ(difference.added, counts[0]);
        EXPECT_EQ(difference.removed, counts[1]);
        EXPECT_EQ(difference.moved, counts[2]);
    }
}

}  // namespace
