// docs/messages.md documents every numbered message of both tools, read from
// the tools' own message tables: each as a line holding its number and its
// exact text in backticks, under the heading of its tool ("## Mabrel",
// "## Tosker") or of the messages both tools share ("## Messages of both
// tools"). Codes 0 and 1 are informational lines, not numbered messages.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "foundation/diagnostics.h"

// Declared here rather than through ime/messages.h and phrase/messages.h:
// the two headers name their constants alike and cannot share a file.
std::span<const Message> mabrelMessages();
std::span<const Message> toskerMessages();

namespace {

enum class Part { kIntroduction, kBoth, kMabrel, kTosker };

struct DocLine {
    Part part;
    std::string text;
};

Part partOf(const std::string& heading) {
    if (heading.find("both") != std::string::npos) return Part::kBoth;
    if (heading.find("Mabrel") != std::string::npos) return Part::kMabrel;
    if (heading.find("Tosker") != std::string::npos) return Part::kTosker;
    return Part::kIntroduction;
}

// Every line of the document with the "## " part it stands in.
std::vector<DocLine> readMessagesDoc() {
    std::ifstream in(std::string(DOCS_DIR) + "/messages.md");
    std::vector<DocLine> lines;
    Part part = Part::kIntroduction;
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with("## ")) part = partOf(line);
        lines.push_back({part, line});
    }
    return lines;
}

// True when `number` stands in `line` as a whole number, not inside another.
bool holdsNumber(const std::string& line, unsigned number) {
    const std::string digits = std::to_string(number);
    for (std::size_t at = line.find(digits); at != std::string::npos;
         at = line.find(digits, at + 1)) {
        const bool digitBefore = at > 0 && std::isdigit(static_cast<unsigned char>(line[at - 1]));
        const std::size_t end = at + digits.size();
        const bool digitAfter =
            end < line.size() && std::isdigit(static_cast<unsigned char>(line[end]));
        if (!digitBefore && !digitAfter) return true;
    }
    return false;
}

bool isDocumented(const Message& message, Part tool, const std::vector<DocLine>& doc) {
    std::string quoted = "`";
    quoted.append(message.text).append("`");
    for (const DocLine& line : doc) {
        if ((line.part == tool || line.part == Part::kBoth) &&
            line.text.find(quoted) != std::string::npos && holdsNumber(line.text, message.code)) {
            return true;
        }
    }
    return false;
}

// "code `text`" for every numbered message of the table that the document lacks.
std::string missingMessages(std::span<const Message> table, Part tool,
                            const std::vector<DocLine>& doc) {
    std::ostringstream missing;
    for (const Message& message : table) {
        if (message.code < 2 || isDocumented(message, tool, doc)) continue;
        missing << "  " << message.code << " `" << message.text << "`\n";
    }
    return missing.str();
}

bool inTable(std::span<const Message> table, unsigned code, const std::string& text) {
    for (const Message& message : table) {
        if (message.code == code && text == message.text) return true;
    }
    return false;
}

class MessagesDoc : public ::testing::Test {
  protected:
    void SetUp() override {
        doc_ = readMessagesDoc();
        ASSERT_FALSE(doc_.empty()) << "cannot read " << DOCS_DIR << "/messages.md";
    }
    std::vector<DocLine> doc_;
};

TEST_F(MessagesDoc, ListsEveryMabrelMessage) {
    const std::string missing = missingMessages(mabrelMessages(), Part::kMabrel, doc_);
    EXPECT_TRUE(missing.empty()) << "docs/messages.md lacks these Mabrel messages (under "
                                    "\"## Mabrel\" or the shared part):\n"
                                 << missing;
}

TEST_F(MessagesDoc, ListsEveryToskerMessage) {
    const std::string missing = missingMessages(toskerMessages(), Part::kTosker, doc_);
    EXPECT_TRUE(missing.empty()) << "docs/messages.md lacks these Tosker messages (under "
                                    "\"## Tosker\" or the shared part):\n"
                                 << missing;
}

// A message heading "### N `text`" names a message its part's tool can print,
// so a text changed in the code cannot leave a stale entry behind.
TEST_F(MessagesDoc, EveryHeadingNamesARealMessage) {
    std::ostringstream stale;
    for (const DocLine& line : doc_) {
        if (!line.text.starts_with("### ")) continue;
        const std::size_t open = line.text.find('`');
        const std::size_t close = line.text.rfind('`');
        ASSERT_NE(open, close) << "heading without a quoted text: " << line.text;
        const unsigned code = static_cast<unsigned>(std::stoul(line.text.substr(4)));
        const std::string text = line.text.substr(open + 1, close - open - 1);
        const bool byMabrel = inTable(mabrelMessages(), code, text);
        const bool byTosker = inTable(toskerMessages(), code, text);
        const bool fits = (line.part == Part::kBoth && byMabrel && byTosker) ||
                          (line.part == Part::kMabrel && byMabrel) ||
                          (line.part == Part::kTosker && byTosker);
        if (!fits) stale << "  " << line.text << "\n";
    }
    EXPECT_TRUE(stale.str().empty())
        << "docs/messages.md has headings that no message of their part matches:\n"
        << stale.str();
}

}  // namespace
