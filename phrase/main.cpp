#include "phrase/messages.h"

int main() {
    useToskerMessages();
    report(kToskerBanner);
    return 0;
}
