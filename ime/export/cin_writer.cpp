// A ".cin" table:
//   # comments: the coding, what was left out
//   %gen_inp, %ename, %cname, %selkey
//   %keyname begin ... end: each key of UsedCodes and its display code
//   %chardef begin ... end: "code text", candidates of a code in order
#include "ime/export/engine_writers.h"

namespace {

// Ten keys to choose candidates with, none of them a key of a code.
std::string selectionKeys(const std::string& usedCodes) {
    std::string keys;
    for (const char key : std::string_view("1234567890!@#$%^&*()-=[];',./")) {
        if (keys.size() < 10 && usedCodes.find(key) == std::string::npos) keys += key;
    }
    return keys;
}

}  // namespace

std::string cinTableText(const InputMethod& im, ExportTable& table) {
    std::string text = headerComments(im, table, "#");
    text += "%gen_inp\n%ename " + table.name + "\n%cname " + table.fullName + "\n";
    text += "%selkey " + selectionKeys(im.usedCodes) + "\n";
    text += "%keyname begin\n";
    for (std::size_t k = 0; k < im.usedCodes.size(); ++k) {
        text += im.usedCodes[k];
        text += ' ';
        text += k < table.keyNames.size() ? table.keyNames[k] : std::string(1, im.usedCodes[k]);
        text += '\n';
    }
    text += "%keyname end\n%chardef begin\n";
    for (const ExportedEntry& entry : table.entries) {
        text.append(entry.code).append(" ").append(entry.text).append("\n");
    }
    text += "%chardef end\n";
    return text;
}
