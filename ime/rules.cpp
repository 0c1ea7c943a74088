#include "ime/rules.h"

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "foundation/big_endian.h"
#include "foundation/text_helpers.h"
#include "ime/messages.h"

namespace {

constexpr uint16_t kMinItemsStart = 100;

// The value of a hexadecimal digit written in capitals, or -1.
int upperHexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The items of an upper-cased value without its blanks, up to the first
// empty one.
std::vector<std::string> ruleItems(const std::string& value) {
    std::string compact;
    for (char c : value) {
        if (!isBlank(c)) compact += c;
    }
    std::vector<std::string> items;
    std::size_t start = 0;
    while (start < compact.size()) {
        std::size_t end = compact.find('+', start);
        if (end == std::string::npos) end = compact.size();
        if (end == start) break;
        items.push_back(compact.substr(start, end - start));
        start = end + 1;
    }
    return items;
}

// The message for an item that breaks the grammar, or nullptr.
const Message* itemFault(const std::string& item, int hanZiCount, int codingStyle) {
    if (item.size() != 3 || (item[0] != 'F' && item[0] != 'B')) return &kRuleDirectionError;
    const int hanZiNumber = upperHexValue(item[1]);
    if (hanZiNumber < 1 || hanZiNumber > hanZiCount) return &kRuleHanZiNumberError;
    const int codeNumber = upperHexValue(item[2]);
    if (codeNumber < 0) return &kRuleCodeNumberError;
    if (codingStyle == 1 && codeNumber == 0) return &kRuleNoWholeCode;
    if (codingStyle == 2 && codeNumber != 0) return &kRuleOnlyWholeCode;
    return nullptr;
}

}  // namespace

int parseRule(CMabrel& mabrel, const char* name, const char* value, RuleRecord& record,
              int& length) {
    const std::string command = upperCopy(name);
    const int hanZiCount = command.size() == 3 ? upperHexValue(command[2]) : -1;
    if (command.size() != 3 || command[0] != 'P' || (command[1] != 'A' && command[1] != 'E') ||
        hanZiCount < 2) {
        return report(kRuleCommandError, name, value);
    }

    ImeHeader& header = mabrel.header;
    const std::vector<std::string> items = ruleItems(upperCopy(value));
    record.fill(0);
    int count = 0;
    for (const std::string& item : items) {
        if (count == kMaxRuleItems) return report(kRuleTooManyItems, name, value);
        if (const Message* fault = itemFault(item, hanZiCount, header.codingStyle)) {
            return report(*fault, name, value);
        }
        uint8_t* field = record.data() + 6 + 6 * count;
        putU16BE(field, static_cast<uint16_t>(item[0]));
        putU16BE(field + 2, static_cast<uint16_t>(upperHexValue(item[1])));
        putU16BE(field + 4, static_cast<uint16_t>(upperHexValue(item[2])));
        ++count;
    }

    if (count < header.minRuleItems) header.minRuleItems = static_cast<uint16_t>(count);
    if (count > header.maxRuleItems) header.maxRuleItems = static_cast<uint16_t>(count);
    if (count < 2) return report(kRuleTooFewItems, name, value);

    putU16BE(record.data(), static_cast<uint16_t>(command[1]));
    putU16BE(record.data() + 2, static_cast<uint16_t>(hanZiCount));
    putU16BE(record.data() + 4, static_cast<uint16_t>(count));
    length = 6 + 6 * count;
    return 0;
}

int parseRules(CMabrel& mabrel) {
    const char* section = keyName(kKeyRules);
    if (!seekSection(mabrel.source, kKeyRules)) return 0;
    CKeyTable& table = mabrel.keyTable;
    if (table.loadSection(mabrel.source.stream.get()) == 0) return report(kNoKeywords, section);
    if (table.count() > kMaxRules) return report(kTooManyRules, section);

    ImeHeader& header = mabrel.header;
    header.minRuleItems = kMinItemsStart;
    header.maxRuleItems = 0;
    for (int line = 0; line < table.count(); ++line) {
        char name[kKeyNameBufferSize];
        const char* value = table.entryAt(line, name, true);
        if (value == nullptr) continue;

        RuleRecord record;
        int length = 0;
        if (int rc = parseRule(mabrel, name, value, record, length)) return rc;
        for (int stored = 0; stored < header.ruleCount; ++stored) {
            if (std::memcmp(mabrel.rules[stored].get(), record.data(), length) == 0) {
                return report(kDuplicateRule, name, value);
            }
        }
        if (length > header.ruleSize) header.ruleSize = static_cast<uint16_t>(length);

        ZeroedBlock copy = allocZeroedBlock(kRuleAreaSize);
        if (copy == nullptr) return kNoMemory.code;
        std::memcpy(copy.get(), record.data(), length);
        mabrel.rules[header.ruleCount++] = std::move(copy);
    }
    // Every rule is 6 + 6 n bytes, so ruleSize is already even.
    if (header.ruleCount == 0) return report(kNoValidRule, section);
    return 0;
}
