#include "ime/exactness_check.h"

#include <algorithm>
#include <cstring>

#include "foundation/diagnostics.h"
#include "ime/database/ime_resources.h"
#include "ime/source/code_table.h"
#include "ime/source/description.h"
#include "ime/source/help_text.h"
#include "ime/source/key_map.h"
#include "ime/source/rules.h"

namespace {

class Verdicts {
  public:
    void flag(ImeResourceKind kind) { flag(std::string(imeResourceType(kind), 4)); }
    void flag(const std::string& type) {
        if (std::find(types_.begin(), types_.end(), type) == types_.end()) types_.push_back(type);
    }
    const std::vector<std::string>& types() const { return types_; }

  private:
    std::vector<std::string> types_;
};

// What the database says before the sections after [Description].
InputMethod descriptionOf(const InputMethod& read) {
    InputMethod description = read;
    description.keyMap.reset();
    description.rules.clear();
    description.helpText.clear();
    description.codes.clear();
    description.entries.clear();
    return description;
}

// Compiles the source in `c` and lays it out; a section that fails takes
// what the database says (its records as read, where the layout of what it
// says could differ from them), and its resource is flagged.
void compileQuietly(CMabrel& c, const InputMethod& read, const ImeLayout& database,
                    ImeLayout& layout, Verdicts& verdicts) {
    using enum ImeResourceKind;
    QuietReports quiet;
    InputMethod& im = c.im;
    const bool described = parseDescription(c) == 0;
    if (!described) {
        im = descriptionOf(read);
        verdicts.flag(kHeader);
    }
    if (parseKeyMapTable(c) != 0) {
        im.keyMap = read.keyMap;
        verdicts.flag(kKeyMap);
    }
    const bool ruled = parseRules(c) == 0;
    if (!ruled) verdicts.flag(kRules);
    if (parseHelp(c) != 0) {
        im.helpText = read.helpText;
        verdicts.flag(kHelpText);
    }
    const bool codesRead = codeTextSection(c) == 0;

    const bool laidOut = layOutFrontEnd(im, layout) == 0;
    // Pictures the source could not name are taken as the database holds
    // them; the caller tells of them.
    if (!described || !read.keyboard) layout.keyboardBitmap = database.keyboardBitmap;
    if (!ruled) layout.rules = database.rules;
    const bool coded =
        codesRead && laidOut &&
        runCodingStep([&] { return layOutCodeTables(im, layout.header, layout.tables); }) == 0;
    if (!coded) {
        layout.tables = database.tables;
        verdicts.flag(kIndex);
    }
}

bool sameEntry(const ResourceEntry& a, const DatabaseResource& b) {
    return std::memcmp(a.type, b.type, 4) == 0 && a.id == b.id;
}

// Compares the resources in order, then, when they all agree, the whole
// file, dates aside: the container header and the gap go with the header
// record.
void compareResources(const ImeDatabaseFile& file, const ImeLayout& compiled, Verdicts& verdicts) {
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
        makeDatabaseHeader(compiled.databaseName, kImeDatabaseType, 0, file.header.creationDate),
        given);
    DatabaseHeader dated = file.header;
    dated.modificationDate = dated.backupDate = dated.creationDate;
    std::vector<uint8_t> header;
    encodeDatabaseHeader(dated, header);
    const auto rest =
        file.image.subspan(std::min<std::size_t>(kDatabaseHeaderSize, file.image.size()));
    if (image.size() != file.image.size() ||
        !std::equal(header.begin(), header.end(), image.begin()) ||
        !std::equal(rest.begin(), rest.end(), image.begin() + kDatabaseHeaderSize)) {
        verdicts.flag(ImeResourceKind::kHeader);
    }
}

}  // namespace

std::vector<std::string> inexactResources(const ImeDatabaseFile& file, const ImeLayout& layout,
                                          const InputMethod& im, const std::string& source,
                                          const PictureFiles& pictures) {
    CMabrel compiled;
    compiled.source.stream = SourceText{source};
    compiled.pictureFiles = pictures;
    Verdicts verdicts;
    ImeLayout compiledLayout;
    compileQuietly(compiled, im, layout, compiledLayout, verdicts);
    compareResources(file, compiledLayout, verdicts);
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
