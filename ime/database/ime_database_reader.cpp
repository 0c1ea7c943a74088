#include "ime/database/ime_database_reader.h"

#include <algorithm>
#include <cstring>

#include "foundation/char_sets.h"
#include "foundation/database_input.h"
#include "ime/database/code_geometry.h"
#include "ime/database/help_text_resource.h"
#include "ime/database/ime_resources.h"
#include "ime/database/largest_database.h"
#include "ime/messages.h"

namespace {

constexpr int kMaxMaxCodes = 12;
constexpr char kImeDatabaseType[] = "IMEM";

bool everyBodyInside(const ImeDatabaseFile& file) {
    return std::all_of(file.resources.begin(), file.resources.end(),
                       [](const FoundResource& resource) { return resource.inside; });
}

const FoundResource* findBody(const ImeDatabaseFile& file, ImeResourceKind kind) {
    return file.find(imeResourceType(kind), kResourceId);
}

std::span<const uint8_t> bodyOf(const ImeDatabaseFile& file, ImeResourceKind kind) {
    const FoundResource* found = findBody(file, kind);
    return found != nullptr ? found->body : std::span<const uint8_t>();
}

bool isText(const char* field, std::size_t size) {
    return std::memchr(field, 0, size) != nullptr;
}

bool textsAreFieldSized(const ImeHeader& h) {
    return isText(h.usedCodes, sizeof h.usedCodes) && isText(h.tuneCodes, sizeof h.tuneCodes) &&
           isText(h.fullName, sizeof h.fullName) && isText(h.name, sizeof h.name) &&
           isText(h.versionText, sizeof h.versionText) && isText(h.copyright, sizeof h.copyright) &&
           isText(h.author, sizeof h.author);
}

// The coding fields hold what a compile can give them.
bool codingIsCompilable(ImeHeader h) {
    if (charSetName(h.charSet) == nullptr || !textsAreFieldSized(h)) return false;
    if (h.usedCodeCount == 0 || h.usedCodeCount != std::strlen(h.usedCodes)) return false;
    if (h.maxCodes < 1 || h.maxCodes > kMaxMaxCodes) return false;
    if (h.codingStyle == 1) {
        if (h.indexDepth > 2 || h.noSort > 1 || h.codingSubtype != 0) return false;
    } else if (h.codingStyle != 2 || h.indexDepth != 0 || h.noSort != 0 || h.codingSubtype > 2) {
        return false;
    }
    CodeGeometry derived;
    QuietReports quiet;
    return codeGeometry(h.codingStyle, h.usedCodeCount, h.maxCodes, derived) == 0 &&
           derived.bitsPerCode == h.bitsPerCode && derived.codeHeadBytes == h.codeHeadBytes &&
           derived.codeRestBytes == h.codeRestBytes;
}

int readHeader(const ImeDatabaseFile& file, const char* name, ImeHeader& header) {
    const FoundResource* found = findBody(file, ImeResourceKind::kHeader);
    if (found == nullptr) return report(kNotImeDatabase, name);
    if (!found->inside || found->body.size() < kImeHeaderSize) {
        return report(kDatabaseDamaged, name);
    }
    decodeImeHeader(found->body.data(), kImeHeaderSize, header);
    if (header.version != kImeFormatVersion) return report(kVersionError, name);
    if (!codingIsCompilable(header)) return report(kDatabaseDamaged, name);
    return 0;
}

// The front-end resources: each may be there, "RT14" must be when the header
// counts rules, and what is there decodes.
bool readFrontEnd(const ImeDatabaseFile& file, ImeLayout& m) {
    const ImeHeader& h = m.header;
    m.rules = RuleTable{{}, h.ruleSize, h.minRuleItems, h.maxRuleItems};
    if (const FoundResource* found = findBody(file, ImeResourceKind::kDisplayCodes)) {
        if (!decodeDisplayCodes(found->body.data(), found->body.size(), h.usedCodeCount,
                                m.displayCodes)) {
            return false;
        }
    }
    if (const FoundResource* found = findBody(file, ImeResourceKind::kKeyMap)) {
        if (!decodeKeyMap(found->body.data(), found->body.size(), m.keyMap.emplace())) return false;
    }
    const FoundResource* rules = findBody(file, ImeResourceKind::kRules);
    if ((h.ruleCount > 0) != (rules != nullptr)) return false;
    if (h.ruleCount > 0 && !decodeRules(rules->body.data(), rules->body.size(), h.ruleCount,
                                        h.ruleSize, m.rules.records)) {
        return false;
    }
    if (const FoundResource* found = findBody(file, ImeResourceKind::kKeyboardBitmap)) {
        if (!decodeKeyboardBitmap(found->body.data(), found->body.size(),
                                  m.keyboardBitmap.emplace())) {
            return false;
        }
    }
    if (const FoundResource* found = findBody(file, ImeResourceKind::kHelpText)) {
        if (!decodeHelpText(found->body.data(), found->body.size(), m.helpText) ||
            m.helpText.empty()) {
            return false;
        }
    }
    return true;
}

bool readCodeTables(const ImeDatabaseFile& file, ImeLayout& m) {
    using enum ImeResourceKind;
    const bool style1 = m.header.codingStyle == 1;
    const CodeTableBodies bodies{bodyOf(file, kIndex),       bodyOf(file, kBits),
                                 bodyOf(file, kBitsRest),    bodyOf(file, kHzInd),
                                 bodyOf(file, kHzTab),       bodyOf(file, kHzMap),
                                 bodyOf(file, kRepeatBlocks)};
    // The rest table of style 1 may be empty; the other style's table must not be there.
    if (findBody(file, style1 ? kBitsRest : kHzInd) == nullptr) return false;
    if (findBody(file, style1 ? kHzInd : kBitsRest) != nullptr) return false;
    return decodeCodeTables(m.header, bodies, m.tables);
}

}  // namespace

int readImeDatabaseImage(const char* name, std::vector<uint8_t>& image) {
    return readDatabaseImage(name, kImeDatabaseType, kNotImeDatabase, largestImeDatabaseBytes(),
                             image);
}

int readImeDatabase(const std::vector<uint8_t>& image, const char* name, ImeDatabaseFile& file,
                    ImeLayout& layout) {
    if (int rc = readDatabaseContainer(image, name, kImeDatabaseType, kNotImeDatabase,
                                       BodyEnd::kNextBody, file)) {
        return rc;
    }
    if (int rc = readHeader(file, name, layout.header)) return rc;
    std::memcpy(layout.databaseName, file.header.name, sizeof layout.databaseName);
    if (!everyBodyInside(file) || bodyOf(file, ImeResourceKind::kHeader).size() != kImeHeaderSize ||
        !readFrontEnd(file, layout) || !readCodeTables(file, layout)) {
        return report(kDatabaseDamaged, name);
    }
    return 0;
}
