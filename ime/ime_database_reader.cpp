#include "ime/ime_database_reader.h"

#include <algorithm>
#include <cstring>

#include "foundation/char_sets.h"
#include "ime/code_geometry.h"
#include "ime/help_text_resource.h"
#include "ime/messages.h"

namespace {

constexpr uint16_t kImeFormatVersion = 0x0200;
constexpr int kMaxMaxCodes = 12;

bool everyBodyInside(const ImeDatabaseFile& file) {
    return std::all_of(file.resources.begin(), file.resources.end(),
                       [](const FoundResource& resource) { return resource.inside; });
}

const FoundResource* findBody(const ImeDatabaseFile& file, const char* type) {
    return file.find(type, kResourceId);
}

std::span<const uint8_t> bodyOf(const ImeDatabaseFile& file, const char* type) {
    const FoundResource* found = findBody(file, type);
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
    ImeHeader derived = h;
    QuietReports quiet;
    return setCodeGeometry(derived) == 0 && derived.bitsPerCode == h.bitsPerCode &&
           derived.codeHeadBytes == h.codeHeadBytes && derived.codeRestBytes == h.codeRestBytes;
}

int readHeader(const ImeDatabaseFile& file, const char* name, ImeHeader& header) {
    const FoundResource* found = findBody(file, "RT11");
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
bool readFrontEnd(const ImeDatabaseFile& file, CMabrel& m) {
    const ImeHeader& h = m.header;
    if (const FoundResource* found = findBody(file, "RT12")) {
        if (!decodeDisplayCodes(found->body.data(), found->body.size(), h.usedCodeCount,
                                m.displayCodes)) {
            return false;
        }
    }
    if (const FoundResource* found = findBody(file, "RT13")) {
        if (!decodeKeyMap(found->body.data(), found->body.size(), m.keyMap.emplace())) return false;
    }
    const auto rules = bodyOf(file, "RT14");
    if ((h.ruleCount > 0) != (findBody(file, "RT14") != nullptr)) return false;
    if (h.ruleCount > 0 &&
        !decodeRules(rules.data(), rules.size(), h.ruleCount, h.ruleSize, m.rules)) {
        return false;
    }
    if (const FoundResource* found = findBody(file, "RT21")) {
        if (!decodeKeyboardBitmap(found->body.data(), found->body.size(),
                                  m.keyboardBitmap.emplace())) {
            return false;
        }
    }
    if (const FoundResource* found = findBody(file, "tSTR")) {
        if (!decodeHelpText(found->body.data(), found->body.size(), m.helpText) ||
            m.helpText.empty()) {
            return false;
        }
    }
    return true;
}

bool readCodeTables(const ImeDatabaseFile& file, CMabrel& m) {
    const bool style1 = m.header.codingStyle == 1;
    const CodeTableBodies bodies{bodyOf(file, "RT31"), bodyOf(file, "RT41"), bodyOf(file, "RT42"),
                                 bodyOf(file, "RT32"), bodyOf(file, "RT33"), bodyOf(file, "RT51"),
                                 bodyOf(file, "RT52")};
    // The rest table of style 1 may be empty; the other style's table must not be there.
    if (findBody(file, style1 ? "RT42" : "RT32") == nullptr) return false;
    if (findBody(file, style1 ? "RT32" : "RT42") != nullptr) return false;
    return decodeCodeTables(m.header, bodies, m.tables);
}

}  // namespace

int readImeDatabase(const std::vector<uint8_t>& image, const char* name, ImeDatabaseFile& file,
                    CMabrel& mabrel) {
    if (int rc =
            readDatabaseContainer(image, name, "IMEM", kNotImeDatabase, BodyEnd::kNextBody, file)) {
        return rc;
    }
    if (int rc = readHeader(file, name, mabrel.header)) return rc;
    std::memcpy(mabrel.databaseName, file.header.name, sizeof mabrel.databaseName);
    if (!everyBodyInside(file) || bodyOf(file, "RT11").size() != kImeHeaderSize ||
        !readFrontEnd(file, mabrel) || !readCodeTables(file, mabrel)) {
        return report(kDatabaseDamaged, name);
    }
    return 0;
}
