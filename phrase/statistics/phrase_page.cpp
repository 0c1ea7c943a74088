#include "phrase/statistics/phrase_page.h"

#include "foundation/character_weights.h"
#include "foundation/report_page.h"

std::string phrasePage(CharSet charSet, const PhraseStatistics& figures,
                       const PhraseWeights* weights, const std::string& report,
                       const char* fileName) {
    ReportPage page("Statistics of \"" + std::string(fileName) + "\"", charSet);
    page.heading("Phrases");
    page.bar("Blocks with phrases", figures.blocksWithPhrases, figures.blocks,
             std::to_string(figures.blocksWithPhrases) + " of " + std::to_string(figures.blocks));
    page.histogram("Phrases by length in characters", countColumns(figures.byLength, 2));
    if (weights != nullptr) {
        page.heading("Weighted");
        page.bar("Phrases kept", weights->kept, weights->total,
                 sharePercent(weights->kept, weights->total));
        std::vector<std::vector<std::string>> rows;
        for (const auto& [word, weight] : weights->heaviestMissing) {
            rows.push_back({word, std::to_string(weight)});
        }
        page.heading("Heaviest missing words");
        page.table({"Word", "Weight"}, rows);
    }
    page.heading("Report");
    page.text(report);
    return page.finish();
}
