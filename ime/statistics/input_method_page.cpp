#include "ime/statistics/input_method_page.h"

#include "foundation/character_weights.h"
#include "foundation/report_page.h"
#include "foundation/statistics_text.h"

namespace {

void addPictures(ReportPage& page, const InputMethod& im) {
    if (!im.keyboard) return;
    page.heading("Keyboard");
    const auto add = [&](const char* density, const KeyboardPicture& picture) {
        page.markup("<p>" + std::string(density) + ", " + std::to_string(picture.width) + " x " +
                    std::to_string(picture.height) + " pixels</p>\n" + keyboardPictureSvg(picture) +
                    "\n");
    };
    add("Standard density", im.keyboard->standard);
    if (im.keyboard->highDensity) add("High density", *im.keyboard->highDensity);
}

void addCoverage(ReportPage& page, const InputMethodStatistics& s, ShownCharacters& shown,
                 CharSet charSet) {
    page.heading("Coverage");
    std::vector<std::vector<std::string>> uncoded;
    for (const AreaCoverage& area : s.areas) {
        page.bar(area.area.name, area.area.coded, area.area.characters,
                 ofLimit(area.area.coded, area.area.characters));
        for (const CharacterCoverage& level : area.levels) {
            page.bar(level.name, level.coded, level.characters,
                     ofLimit(level.coded, level.characters));
            if (level.firstUncoded.empty()) continue;
            std::string characters;
            for (unsigned index : level.firstUncoded)
                characters += shown.shownIndex(charSet, index);
            uncoded.push_back(
                {level.name, std::to_string(level.characters - level.coded), characters});
        }
    }
    if (uncoded.empty()) return;
    page.heading("Uncoded characters");
    page.table({"Level", "Uncoded", "The first of them"}, uncoded);
}

void addTyping(ReportPage& page, const TypingFigures& f, ShownCharacters& shown, CharSet charSet) {
    page.heading("Typing");
    page.bar("Coded", f.codedWeight, f.totalWeight, sharePercent(f.codedWeight, f.totalWeight));
    page.bar("First candidate", f.firstWeight, f.codedWeight,
             sharePercent(f.firstWeight, f.codedWeight));
    std::vector<std::vector<std::string>> rows;
    for (const CostlyCode& code : f.costliestCodes) {
        std::string candidates;
        for (const auto& [index, weight] : code.candidates) {
            if (!candidates.empty()) candidates += "  ";
            candidates += shown.shownIndex(charSet, index) + " " + std::to_string(weight);
        }
        rows.push_back({code.code, std::to_string(code.cost), candidates});
    }
    page.heading("Costliest shared codes");
    page.table({"Code", "Weight chosen", "Candidates"}, rows);
    rows.clear();
    for (const auto& [index, weight] : f.heaviestUncoded) {
        rows.push_back({shown.shownIndex(charSet, index), std::to_string(weight)});
    }
    page.heading("Heaviest uncoded characters");
    page.table({"Character", "Weight"}, rows);
}

}  // namespace

std::string keyboardPictureSvg(const KeyboardPicture& picture) {
    const std::string width = std::to_string(picture.width);
    const std::string height = std::to_string(picture.height);
    std::string svg = "<svg class=\"picture\" width=\"" + width + "\" height=\"" + height +
                      "\" viewBox=\"0 0 " + width + " " + height +
                      "\" shape-rendering=\"crispEdges\"><rect width=\"" + width + "\" height=\"" +
                      height + "\" fill=\"#fff\"/><path fill=\"#000\" d=\"";
    // One rectangle a run of black pixels on a row.
    for (int y = 0; y < picture.height; ++y) {
        const auto row = static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width);
        for (int x = 0; x < picture.width;) {
            if (picture.pixels[row + static_cast<std::size_t>(x)] == 0) {
                ++x;
                continue;
            }
            int end = x;
            while (end < picture.width &&
                   picture.pixels[row + static_cast<std::size_t>(end)] != 0) {
                ++end;
            }
            const std::string run = std::to_string(end - x);
            svg.append("M").append(std::to_string(x)).append(" ").append(std::to_string(y));
            svg.append("h").append(run).append("v1h-").append(run).append("z");
            x = end;
        }
    }
    return svg + "\"/></svg>";
}

std::string inputMethodPage(const InputMethod& im, const InputMethodStatistics& figures,
                            const TypingFigures* typing, const std::string& report,
                            const char* fileName) {
    ShownCharacters shown(im.charSet);
    ReportPage page("Statistics of \"" + std::string(fileName) + "\"", im.charSet);
    addPictures(page, im);
    addCoverage(page, figures, shown, im.charSet);
    page.heading("Codes");
    page.histogram("Distinct codes by length in keys", countColumns(figures.codesByLength, 1));
    page.histogram("Distinct codes by candidates", countColumns(figures.codesByCandidates, 1));
    if (typing != nullptr) addTyping(page, *typing, shown, im.charSet);
    page.heading("Report");
    page.text(report);
    return page.finish();
}
