// The statistics of "/s" as one self-contained HTML page: the report's
// figures drawn as bars, histograms and tables beside the report's text,
// every picture an inline SVG, with no script, font, style sheet or image
// from anywhere else, so that any browser shows it from the file alone.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "foundation/char_sets.h"

// Whether `name` names a page to write: ".HTM" in its upper-cased form.
bool isReportPageName(const char* name);

// The names after "/s File" (argv[1]): a frequency source, and a last name
// that names a page; each null when not given. False when more names follow
// than that form has.
bool statisticsNames(int argc, const char* const* argv, const char*& frequencies,
                     const char*& page);

// `text` with the characters that HTML gives a meaning escaped.
std::string htmlEscaped(std::string_view text);

using PageColumns = std::vector<std::pair<std::string, long long>>;

// The columns of a histogram of `counts[n]` under "n", from n = `first`: up
// to 20 columns and one more, "n+", that adds up the counts from there on.
template <class Count>
PageColumns countColumns(const std::vector<Count>& counts, std::size_t first) {
    constexpr std::size_t kShown = 20;
    PageColumns columns;
    for (std::size_t n = first; n < counts.size(); ++n) {
        if (columns.size() < kShown) {
            columns.emplace_back(std::to_string(n), counts[n]);
        } else if (columns.size() == kShown) {
            columns.emplace_back(std::to_string(n) + "+", counts[n]);
        } else {
            columns.back().second += counts[n];
        }
    }
    return columns;
}

class ReportPage {
  public:
    // The page's language follows the CharSet, so that a browser draws the
    // characters with the glyphs of their script.
    ReportPage(std::string_view title, CharSet charSet);

    // A section heading.
    void heading(std::string_view text);
    // One bar of `part` over `whole`, with its label and its figure as text.
    void bar(std::string_view label, long long part, long long whole, std::string_view figure);
    // Columns of counts, each under its label, scaled to the highest.
    void histogram(std::string_view title, const PageColumns& columns);
    // A table of texts, `headers` on its first row.
    void table(const std::vector<std::string>& headers,
               const std::vector<std::vector<std::string>>& rows);
    // Markup made by the caller (a picture), as it is.
    void markup(std::string_view html);
    // The report's lines, preformatted.
    void text(std::string_view lines);

    // The whole page.
    std::string finish();

  private:
    void closeBars();

    std::string html_;
    bool inBars_ = false;
};

// Writes `page` to `name` through the one output writer. Returns 0, or the
// number of the message it reported.
int writeReportPage(const char* name, const std::string& page);
