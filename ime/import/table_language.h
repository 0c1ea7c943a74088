// What a desktop table says of its own language: the CharSet it is for and
// the name it gives itself in that language.
#pragma once

#include <string>
#include <string_view>

#include "foundation/char_sets.h"
#include "foundation/desktop_tables/desktop_table.h"
#include "foundation/desktop_tables/table_characters.h"

// The CharSet the table's languages say: the first of LANGUAGES that says
// one, else the one all the locales of its NAME.xx say: Japanese JapaneseSJIS, Korean
// KoreanKSC, zh_TW and zh_HK ChineseBIG5, zh_CN ChineseGB (which the caller
// widens to ChineseGBK for a table with characters outside GB 2312); else 0.
CharSet charSetOfLanguage(const DesktopTable& table);

// The name for FullName: the NAME.xx whose locale is of the CharSet, else
// the first that the CharSet writes whole, else the table's full name.
std::string fullNameFor(const DesktopTable& table, TableCharacters& set);
