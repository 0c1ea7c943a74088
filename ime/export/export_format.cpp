#include "ime/export/export_format.h"

#include <array>

#include "foundation/text_helpers.h"

namespace {

struct FormatName {
    ExportFormat format;
    const char* name;
};

constexpr std::array<FormatName, 5> kFormats = {{
    {ExportFormat::kRime, "rime"},
    {ExportFormat::kFcitx5, "fcitx5"},
    {ExportFormat::kFcitx, "fcitx"},
    {ExportFormat::kCin, "cin"},
    {ExportFormat::kIbus, "ibus"},
}};

}  // namespace

bool exportFormatNamed(std::string_view name, ExportFormat& format) {
    for (const FormatName& known : kFormats) {
        if (std::string_view(known.name).size() == name.size() &&
            equalsIgnoringCase(std::string(name).c_str(), known.name)) {
            format = known.format;
            return true;
        }
    }
    return false;
}

const char* exportFormatName(ExportFormat format) {
    for (const FormatName& known : kFormats) {
        if (known.format == format) return known.name;
    }
    return "";
}

const char* codeRefusal(ExportFormat format, std::string_view code) {
    switch (format) {
        case ExportFormat::kCin:
            // A line of %chardef that begins so is a comment or a command.
            if (code.front() == '#' || code.front() == '%')
                return "code begins a comment or command";
            break;
        case ExportFormat::kFcitx:
        case ExportFormat::kFcitx5:
            // The table text keeps these first keys for prompts, phrase
            // building and pinyin.
            if (code.front() == '&' || code.front() == '^' || code.front() == '@') {
                return "code begins with a key the engine keeps for itself";
            }
            break;
        case ExportFormat::kRime:
            if (code.front() == '#') return "code begins a comment";
            break;
        case ExportFormat::kIbus:
            if (code.front() == '#') return "code begins a comment";
            break;
    }
    return nullptr;
}

bool saysKeyRules(ExportFormat format) {
    return format != ExportFormat::kCin;
}
