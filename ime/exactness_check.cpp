#include "ime/exactness_check.h"

#include <algorithm>
#include <cstring>
#include <functional>

#include "foundation/diagnostics.h"
#include "foundation/process_end.h"
#include "ime/code_table.h"
#include "ime/description.h"
#include "ime/help_text.h"
#include "ime/ime_database_image.h"
#include "ime/key_map.h"
#include "ime/rules.h"

namespace {

// Thrown by the stand-in for the process end while the source is compiled.
struct CompileEnded {};

[[noreturn]] void endCompile(int) {
    throw CompileEnded{};
}

class Verdicts {
  public:
    void flag(const std::string& type) {
        if (std::find(types_.begin(), types_.end(), type) == types_.end()) types_.push_back(type);
    }
    const std::vector<std::string>& types() const { return types_; }

  private:
    std::vector<std::string> types_;
};

// Runs one pass; a pass that fails, or ends the process, gives the records
// it fills their values from the database, and its resource is flagged.
void runPass(const std::function<int()>& pass, const std::function<void()>& takeFromDatabase,
             const char* type, Verdicts& verdicts) {
    bool passed = false;
    try {
        passed = pass() == 0;
    } catch (const CompileEnded&) {
    }
    if (passed) return;
    takeFromDatabase();
    verdicts.flag(type);
}

void compileQuietly(CMabrel& c, const CMabrel& d, Verdicts& verdicts) {
    QuietReports quiet;
    setProcessEndHook(endCompile);
    runPass([&] { return parseDescription(c); },
            [&] {
                c.header = d.header;
                std::memcpy(c.databaseName, d.databaseName, sizeof c.databaseName);
                c.displayCodes = d.displayCodes;
                c.keyboardBitmap = d.keyboardBitmap;
            },
            "RT11", verdicts);
    runPass([&] { return parseKeyMapTable(c); }, [&] { c.keyMap = d.keyMap; }, "RT13", verdicts);
    runPass([&] { return parseRules(c); },
            [&] {
                c.rules = d.rules;
                c.header.ruleCount = d.header.ruleCount;
                c.header.ruleSize = d.header.ruleSize;
                c.header.minRuleItems = d.header.minRuleItems;
                c.header.maxRuleItems = d.header.maxRuleItems;
            },
            "RT14", verdicts);
    runPass([&] { return parseHelp(c); }, [&] { c.helpText = d.helpText; }, "tSTR", verdicts);
    runPass([&] { return codeTextSection(c); },
            [&] {
                c.tables = d.tables;
                c.header.minHZIndex = d.header.minHZIndex;
                c.header.maxHZIndex = d.header.maxHZIndex;
                c.header.hzTotal = d.header.hzTotal;
                c.header.repeatCount = d.header.repeatCount;
            },
            "RT31", verdicts);
    setProcessEndHook(nullptr);
}

bool sameEntry(const ResourceEntry& a, const DatabaseResource& b) {
    return std::memcmp(a.type, b.type, 4) == 0 && a.id == b.id;
}

// Compares the resources in order, then, when they all agree, the whole
// file, dates aside: the container header and the gap go with the header
// record.
void compareResources(const ImeDatabaseFile& file, const CMabrel& compiled, Verdicts& verdicts) {
    const std::vector<DatabaseResource> given = imeResources(compiled);
    const std::size_t count = std::max(given.size(), file.resources.size());
    bool differ = false;
    for (std::size_t i = 0; i < count; ++i) {
        const FoundResource* found = i < file.resources.size() ? &file.resources[i] : nullptr;
        const DatabaseResource* made = i < given.size() ? &given[i] : nullptr;
        if (found != nullptr && made != nullptr && sameEntry(found->entry, *made) &&
            std::equal(found->body.begin(), found->body.end(), made->body.begin(),
                       made->body.end())) {
            continue;
        }
        verdicts.flag(std::string(found != nullptr ? found->entry.type : made->type, 4));
        differ = true;
    }
    if (differ) return;
    const std::vector<uint8_t> image = assembleDatabase(
        makeDatabaseHeader(compiled.databaseName, "IMEM", 0, file.header.creationDate), given);
    DatabaseHeader dated = file.header;
    dated.modificationDate = dated.backupDate = dated.creationDate;
    std::vector<uint8_t> header;
    encodeDatabaseHeader(dated, header);
    const auto rest =
        file.image.subspan(std::min<std::size_t>(kDatabaseHeaderSize, file.image.size()));
    if (image.size() != file.image.size() ||
        !std::equal(header.begin(), header.end(), image.begin()) ||
        !std::equal(rest.begin(), rest.end(), image.begin() + kDatabaseHeaderSize)) {
        verdicts.flag("RT11");
    }
}

}  // namespace

std::vector<std::string> inexactResources(const ImeDatabaseFile& file, const CMabrel& records,
                                          const std::string& source, const PictureFiles& pictures) {
    CMabrel compiled;
    compiled.source.stream = SourceText{source};
    compiled.pictureFiles = pictures;
    Verdicts verdicts;
    compileQuietly(compiled, records, verdicts);
    compareResources(file, compiled, verdicts);
    // Directory order.
    std::vector<std::string> ordered;
    for (const FoundResource& resource : file.resources) {
        const std::string type(resource.entry.type, 4);
        const auto& flagged = verdicts.types();
        if (std::find(flagged.begin(), flagged.end(), type) != flagged.end() &&
            std::find(ordered.begin(), ordered.end(), type) == ordered.end()) {
            ordered.push_back(type);
        }
    }
    for (const std::string& type : verdicts.types()) {
        if (std::find(ordered.begin(), ordered.end(), type) == ordered.end())
            ordered.push_back(type);
    }
    return ordered;
}
