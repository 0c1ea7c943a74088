#include "ime/description.h"

#include "ime/messages.h"

int parseDescription(CMabrel& mabrel) {
    if (!seekSection(mabrel.source, kKeyDescription)) return report(kSectionMissing, "[Description]");
    return 0;
}
