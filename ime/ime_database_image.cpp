// The input-method database as bytes: a resource database of type "IMEM",
// creator "dQlt", every resource with id 8888.
//
//   offset        size        content
//   0             78          DatabaseHeader, name = databaseName
//   78            10 x count  ResourceEntry: type, 8888, body offset
//   78 + 10 x count  0 or 2   zero gap when count is even
//   firstBodyOffset           the bodies, in this order, back to back:
//
//   type  present when          body
//   RT11  always                ImeHeader, multi-byte fields big-endian (256)
//   RT12  displayCodes          2 x usedCodeCount
//   RT13  keyMap                120
//   RT14  ruleCount > 0         ruleCount records of ruleSize bytes
//   RT21  keyboardBitmap        bitmapSize
//   tSTR  helpSize > 0          helpSize bytes of helpText
//   RT51  always                HZMap slots minHZIndex .. maxHZIndex + 1
//   RT52  repeatCount > 0       RepeatBlocks slots 0 .. repeatCount
//   RT31  Index table           its size
//   RT41  Bits table            its size
//   RT42  BitsRest (style 1)    its size, one zero byte added when odd
//   RT32  HZInd (style 2)       its size
//   RT33  HZTab table           its size
#include "ime/ime_database_image.h"

#include <cstring>

#include "foundation/database_container.h"

namespace {

void addResource(std::vector<ImeResource>& resources, const char* type, const uint8_t* bytes,
                 std::size_t size) {
    ImeResource& resource = resources.emplace_back();
    std::memcpy(resource.type, type, sizeof resource.type);
    resource.body.assign(bytes, bytes + size);
}

void addHeader(std::vector<ImeResource>& resources, const ImeHeader& header) {
    ImeHeader copy = header;
    swapHeaderBytes(copy);
    addResource(resources, "RT11", reinterpret_cast<const uint8_t*>(&copy), sizeof copy);
}

void addFrontEndResources(std::vector<ImeResource>& resources, const CMabrel& mabrel) {
    const ImeHeader& header = mabrel.header;
    if (mabrel.displayCodes) {
        addResource(resources, "RT12", mabrel.displayCodes.get(), 2u * header.usedCodeCount);
    }
    if (mabrel.keyMap) addResource(resources, "RT13", mabrel.keyMap.get(), kKeyMapSize);
    if (header.ruleCount > 0) {
        ImeResource& rules = resources.emplace_back(ImeResource{"RT14", {}});
        for (int r = 0; r < header.ruleCount; ++r) {
            const uint8_t* record = mabrel.rules[r].get();
            rules.body.insert(rules.body.end(), record, record + header.ruleSize);
        }
    }
    if (mabrel.keyboardBitmap) {
        addResource(resources, "RT21", mabrel.keyboardBitmap.get(), mabrel.bitmapSize);
    }
    if (mabrel.helpSize > 0 && mabrel.helpText) {
        addResource(resources, "tSTR", mabrel.helpText.get(), mabrel.helpSize);
    }
}

void addCodeTables(std::vector<ImeResource>& resources, const CMabrel& mabrel) {
    const ImeHeader& header = mabrel.header;
    const CodeTables& tables = mabrel.tables;
    if (tables.hzMap) {
        const std::size_t slots = header.maxHZIndex - header.minHZIndex + 2u;
        addResource(resources, "RT51", tables.hzMap.get() + 2 * header.minHZIndex, 2 * slots);
    }
    if (header.repeatCount > 0) {
        addResource(resources, "RT52", tables.repeatBlocks.get(), 2u * header.repeatCount + 2);
    }
    if (tables.index) addResource(resources, "RT31", tables.index.get(), tables.indexSize);
    if (tables.bits) addResource(resources, "RT41", tables.bits.get(), tables.bitsSize);
    if (tables.bitsRest) {
        addResource(resources, "RT42", tables.bitsRest.get(), tables.bitsRestSize);
        if (tables.bitsRestSize % 2 != 0) resources.back().body.push_back(0);
    }
    if (tables.hzInd) addResource(resources, "RT32", tables.hzInd.get(), tables.hzIndSize);
    if (tables.hzTab) addResource(resources, "RT33", tables.hzTab.get(), tables.hzTabSize);
}

}  // namespace

std::vector<ImeResource> imeResources(const CMabrel& mabrel) {
    std::vector<ImeResource> resources;
    addHeader(resources, mabrel.header);
    addFrontEndResources(resources, mabrel);
    addCodeTables(resources, mabrel);
    return resources;
}

std::vector<uint8_t> imeDatabaseImage(const CMabrel& mabrel, uint32_t date) {
    const std::vector<ImeResource> resources = imeResources(mabrel);
    const int count = static_cast<int>(resources.size());

    const auto header = encodeDatabaseHeader(
        makeDatabaseHeader(mabrel.databaseName, "IMEM", static_cast<uint16_t>(count), date));
    std::vector<uint8_t> image(header.begin(), header.end());

    uint32_t offset = firstBodyOffset(count);
    for (const ImeResource& resource : resources) {
        ResourceEntry entry{};
        std::memcpy(entry.type, resource.type, sizeof entry.type);
        entry.id = kResourceId;
        entry.offset = offset;
        const auto bytes = encodeResourceEntry(entry);
        image.insert(image.end(), bytes.begin(), bytes.end());
        offset += static_cast<uint32_t>(resource.body.size());
    }
    image.resize(firstBodyOffset(count), 0);
    for (const ImeResource& resource : resources) {
        image.insert(image.end(), resource.body.begin(), resource.body.end());
    }
    return image;
}
