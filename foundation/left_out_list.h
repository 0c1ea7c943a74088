// The list of what a fitting compile ("/f") left out is written beside the
// database, under a name made from the database's.
#pragma once

#include <charconv>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// A file beside the database `destination`: its last four characters
// replaced by `suffix` when they are ".pdb" in any letter case, else `suffix`
// appended.
std::string nameBesideDatabase(const std::string& destination, const char* suffix);

// The name beside the database with "-left-out.txt".
std::string leftOutListName(const std::string& destination);

// Checks the list's name against the run's other files, before anything is
// written: 0, or 105 after its message when the list would be one of
// `filesRead` (the source, and for Mabrel its keyboard pictures) or the
// database.
int checkLeftOutListName(const std::string& listName, const std::vector<std::string>& filesRead,
                         const char* destinationName);

// Appends one line of the list to `text` (a string, or the pieces of an
// output): the source line, then each field, separated by tabs.
template <class Text>
void appendLeftOutLine(Text& text, int line, std::initializer_list<std::string_view> fields) {
    char number[12];
    const char* end = std::to_chars(number, number + sizeof number, line).ptr;
    text.append(std::string_view(number, static_cast<std::size_t>(end - number)));
    for (std::string_view field : fields) {
        text.append(std::string_view("\t"));
        text.append(field);
    }
    text.append(std::string_view("\n"));
}
