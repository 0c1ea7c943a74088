#!/usr/bin/env bash
# Writes the end-to-end cases that fix the database dates with
# SOURCE_DATE_EPOCH. Each is a copy of a case whose database was worked out
# by hand (with its dates zero, since that case masks them), with the three
# dates at header offsets 36, 40 and 44 spelled out below; nothing here runs
# the tools.
set -euo pipefail
cd "$(dirname "$0")/../e2e"

# 1000000000 s after 1970-01-01 is 1000000000 + 2082844800 = 3082844800 s
# after 1904-01-01: 3082844800 = 11 x 16^7 + 7 x 16^6 + 12 x 16^5 + 0 x 16^4
# + 7 x 16^3 + 10 x 16^2 + 8 x 16 + 0 = 0xB7C07A80.
epoch=1000000000
date='\xB7\xC0\x7A\x80'

# dated_case BASE NEW DATABASE: NEW runs as BASE with the date fixed.
dated_case() {
    local base=$1 new=$2 database=$3
    rm -rf "$new" && mkdir -p "$new/expect"
    cp -r "$base/input" "$base/args" "$base/stdout" "$base/status" "$new"/
    printf 'SOURCE_DATE_EPOCH=%s\n' "$epoch" >"$new/env"
    {
        head -c 36 "$base/expect/$database"
        printf "$date$date$date"
        tail -c +49 "$base/expect/$database"
    } >"$new/expect/$database"
}

dated_case mabrel/coder_style1_repeats mabrel/dated_style1 out.pdb
dated_case tosker/text_to_database tosker/dated_text_to_database Words.Pdb
