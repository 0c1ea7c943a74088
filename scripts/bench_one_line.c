/* The reference of the start-up row of scripts/bench.sh: a C program that
 * prints one line, built with `cc -O2 -static`. What it costs is what any
 * program costs to be started and ended on the machine; a run of
 * `Mabrel --version` costs that and the tool's own start-up.
 */
#include <stdio.h>

int main(void) {
    puts("One line, printed by a static C program.");
    return 0;
}
