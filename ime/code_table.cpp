#include "ime/code_table.h"

#include "ime/messages.h"

int codeTextSection(CMabrel&) { return report(kNoCoding, "[Text]"); }

int skipPhraseSection(CMabrel& mabrel) {
    seekSection(mabrel.source, kKeyPhrase);
    return 0;
}
