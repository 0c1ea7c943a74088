#include "foundation/report_page.h"

#include <algorithm>
#include <cstdio>

#include "foundation/output_file.h"
#include "foundation/text_helpers.h"

namespace {

constexpr int kPageBarWidth = 320;
constexpr int kPageBarHeight = 14;
constexpr int kPageColumnWidth = 36;
constexpr int kPageColumnHeight = 120;
constexpr int kPageLabelRoom = 32;  // below and above the columns, for their figures

constexpr char kPageStyle[] =
    "body{font-family:sans-serif;margin:1.5em;color:#111;background:#fff}"
    "h1{font-size:1.4em}h2{font-size:1.15em;margin-top:1.6em}"
    "table{border-collapse:collapse}td,th{padding:2px 10px;text-align:left;"
    "border-bottom:1px solid #ddd;vertical-align:middle}"
    "pre{background:#f4f4f4;padding:1em;overflow-x:auto}"
    "svg.picture{border:1px solid #888;image-rendering:pixelated;margin:4px 0}";

// The language tag of a page by CharSet; the Chinese of the mainland for
// the others.
constexpr std::pair<CharSet, const char*> kPageLanguages[] = {
    {kChineseBIG5, "zh-Hant"}, {kJapaneseJIS, "ja"}, {kJapaneseSJIS, "ja"}, {kKoreanKSC, "ko"}};

const char* pageLanguage(CharSet charSet) {
    for (const auto& [set, tag] : kPageLanguages) {
        if (set == charSet) return tag;
    }
    return "zh-Hans";
}

std::string pageNumber(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

}  // namespace

bool isReportPageName(const char* name) {
    return nameContains(name, ".HTM");
}

bool statisticsNames(int argc, const char* const* argv, const char*& frequencies,
                     const char*& page) {
    page = argc > 2 && isReportPageName(argv[argc - 1]) ? argv[argc - 1] : nullptr;
    const int named = page != nullptr ? argc - 1 : argc;
    frequencies = named == 3 ? argv[2] : nullptr;
    return named <= 3;
}

std::string htmlEscaped(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

ReportPage::ReportPage(std::string_view title, CharSet charSet) {
    html_ = "<!DOCTYPE html>\n<html lang=\"" + std::string(pageLanguage(charSet)) +
            "\">\n<head>\n<meta charset=\"utf-8\">\n<title>" + htmlEscaped(title) +
            "</title>\n<style>" + kPageStyle + "</style>\n</head>\n<body>\n";
    html_ += "<h1>" + htmlEscaped(title) + "</h1>\n";
}

void ReportPage::closeBars() {
    if (inBars_) html_ += "</table>\n";
    inBars_ = false;
}

void ReportPage::heading(std::string_view text) {
    closeBars();
    html_ += "<h2>" + htmlEscaped(text) + "</h2>\n";
}

void ReportPage::bar(std::string_view label, long long part, long long whole,
                     std::string_view figure) {
    if (!inBars_) html_ += "<table class=\"bars\">\n";
    inBars_ = true;
    const double share =
        whole > 0 ? std::clamp(static_cast<double>(part) / static_cast<double>(whole), 0.0, 1.0)
                  : 0.0;
    const std::string width = std::to_string(kPageBarWidth);
    const std::string height = std::to_string(kPageBarHeight);
    html_ += "<tr><th>" + htmlEscaped(label) + "</th><td><svg width=\"" + width + "\" height=\"" +
             height + "\"><rect width=\"" + width + "\" height=\"" + height +
             "\" fill=\"#e3e3e3\"/><rect width=\"" + pageNumber(share * kPageBarWidth) +
             "\" height=\"" + height + "\" fill=\"#2f6fbf\"/></svg></td><td>" +
             htmlEscaped(figure) + "</td></tr>\n";
}

void ReportPage::histogram(std::string_view title, const PageColumns& columns) {
    closeBars();
    long long highest = 1;
    for (const auto& column : columns) highest = std::max(highest, column.second);
    const int width = std::max<int>(1, static_cast<int>(columns.size())) * kPageColumnWidth;
    const int height = kPageColumnHeight + 2 * kPageLabelRoom;
    html_ += "<figure><svg width=\"" + std::to_string(width) + "\" height=\"" +
             std::to_string(height) + "\" font-family=\"sans-serif\" font-size=\"11\">";
    for (std::size_t k = 0; k < columns.size(); ++k) {
        const double x = static_cast<double>(k) * kPageColumnWidth;
        const double tall = static_cast<double>(columns[k].second) * kPageColumnHeight /
                            static_cast<double>(highest);
        const double top = kPageLabelRoom + kPageColumnHeight - tall;
        const std::string middle = pageNumber(x + kPageColumnWidth / 2.0);
        html_ += "<rect x=\"" + pageNumber(x + 4) + "\" y=\"" + pageNumber(top) + "\" width=\"" +
                 std::to_string(kPageColumnWidth - 8) + "\" height=\"" + pageNumber(tall) +
                 "\" fill=\"#2f6fbf\"/>";
        html_ += "<text x=\"" + middle + "\" y=\"" + pageNumber(top - 4) +
                 "\" text-anchor=\"middle\">" + std::to_string(columns[k].second) + "</text>";
        html_ += "<text x=\"" + middle + "\" y=\"" +
                 std::to_string(kPageLabelRoom + kPageColumnHeight + 16) +
                 "\" text-anchor=\"middle\">" + htmlEscaped(columns[k].first) + "</text>";
    }
    html_ += "</svg><figcaption>" + htmlEscaped(title) + "</figcaption></figure>\n";
}

void ReportPage::table(const std::vector<std::string>& headers,
                       const std::vector<std::vector<std::string>>& rows) {
    closeBars();
    html_ += "<table>\n<tr>";
    for (const std::string& header : headers) html_ += "<th>" + htmlEscaped(header) + "</th>";
    html_ += "</tr>\n";
    for (const std::vector<std::string>& row : rows) {
        html_ += "<tr>";
        for (const std::string& cell : row) html_ += "<td>" + htmlEscaped(cell) + "</td>";
        html_ += "</tr>\n";
    }
    html_ += "</table>\n";
}

void ReportPage::markup(std::string_view html) {
    closeBars();
    html_ += html;
}

void ReportPage::text(std::string_view lines) {
    closeBars();
    html_ += "<pre>" + htmlEscaped(lines) + "</pre>\n";
}

std::string ReportPage::finish() {
    closeBars();
    html_ += "</body>\n</html>\n";
    return std::move(html_);
}

int writeReportPage(const char* name, const std::string& page) {
    OutputFile file;
    if (int rc = file.open(name)) return rc;
    return file.commit(page);
}
