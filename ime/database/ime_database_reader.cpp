#include "ime/database/ime_database_reader.h"

#include <algorithm>
#include <cstring>

#include "foundation/char_sets.h"
#include "foundation/database_input.h"
#include "ime/database/code_geometry.h"
#include "ime/database/ime_resources.h"
#include "ime/database/largest_database.h"
#include "ime/database/source_can_say.h"
#include "ime/input_method_limits.h"
#include "ime/messages.h"

namespace {

bool everyBodyInside(const ImeDatabaseFile& file) {
    return std::all_of(file.resources.begin(), file.resources.end(),
                       [](const FoundResource& resource) { return resource.inside; });
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
    const FoundResource* found = file.find(imeResourceType(ImeResourceKind::kHeader), kResourceId);
    if (found == nullptr) return report(kNotImeDatabase, name);
    if (!found->inside || found->body.size() < kImeHeaderSize) {
        return report(kDatabaseDamaged, name);
    }
    decodeImeHeader(found->body.data(), kImeHeaderSize, header);
    if (header.version != kImeFormatVersion) return report(kVersionError, name);
    if (!codingIsCompilable(header)) return report(kDatabaseDamaged, name);
    return 0;
}

// Every resource of the list that the header calls for is there, none that
// it rules out, and every one there decodes.
bool readBodies(const ImeDatabaseFile& file, ImeLayout& layout) {
    const ImeHeader& h = layout.header;
    layout.rules = RuleTable{{}, h.ruleSize, h.minRuleItems, h.maxRuleItems};
    ImeReading reading{layout, {}};
    for (const ImeResource& listed : imeResourceList()) {
        const FoundResource* found = file.find(listed.type, kResourceId);
        const Presence presence = listed.expected(h);
        if (found == nullptr ? presence == Presence::kMust : presence == Presence::kMustNot) {
            return false;
        }
        if (found != nullptr && !listed.decode(found->body, reading)) return false;
    }
    return decodeCodeTables(h, reading.tables, layout.tables);
}

}  // namespace

int readImeDatabaseImage(const char* name, std::vector<uint8_t>& image) {
    return readDatabaseImage(name, kImeDatabaseType, kNotImeDatabase, largestImeDatabaseBytes(),
                             image);
}

int readImeDatabase(const std::vector<uint8_t>& image, const char* name, ImeDatabaseFile& file,
                    ImeLayout& layout, InputMethod& im) {
    if (int rc = readDatabaseContainer(image, name, kImeDatabaseType, kNotImeDatabase,
                                       BodyEnd::kNextBody, file)) {
        return rc;
    }
    if (int rc = readHeader(file, name, layout.header)) return rc;
    std::memcpy(layout.databaseName, file.header.name, sizeof layout.databaseName);
    if (!everyBodyInside(file) || !readBodies(file, layout)) {
        return report(kDatabaseDamaged, name);
    }
    im = inputMethodOf(layout);
    if (!sourceCanSay(im)) return report(kDatabaseDamaged, name);
    return 0;
}
