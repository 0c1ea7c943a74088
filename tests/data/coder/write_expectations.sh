#!/usr/bin/env bash
# Writes the expected output of the coder_* end-to-end cases. Every byte is
# worked out by hand from the database layouts and the message texts and
# spelled out below; nothing here runs the compiler.
set -euo pipefail
cd "$(dirname "$0")/../e2e/mabrel"

u8() { printf "\\x$(printf %02x "$1")"; }
u16() { u8 $(($1 >> 8)); u8 $(($1 & 255)); }
u32() { u16 $(($1 >> 16)); u16 $(($1 & 65535)); }
zeros() { head -c "$1" /dev/zero; }
# A text field: the text, then zeros up to the field size.
text() { printf '%s' "$1"; zeros $(($2 - ${#1})); }
# A directory entry: type, id 8888, body offset.
entry() { printf '%s' "$1"; u16 8888; u32 "$2"; }
# The database header with its dates zero (the test masks them).
database_header() {  # name, resource count
    text "$1" 32; u16 1; u16 1; zeros 12; zeros 12; printf 'IMEMdQlt'; zeros 8; u16 "$2"
}

banner=$'\r \rQalto input method maintain program, Version 2.0\n\n'
converting=$'\r \rConverting text "src.txt" => input method "out.pdb"...\n\n'
convert_ok=$'\r \r\nConvert OK.\n'

# --- coder_style1_repeats --------------------------------------------------
# ChineseGB, UsedCodes "abc" (2 bits a symbol), MaxCodes 3: packed codes of
# 8 bits fit the 2-byte head, no rest. Characters B0A1 = 1666, B0A2 = 1667,
# B0A3 = 1668. Buckets (s1 - 1) x 4 + s2: a = 0, bc = 7, c = 8, 13 in all.
# Entries: 1 a:B0A1, 2 bc:B0A1, 3 bc:B0A2, 4 c:B0A3.
case=coder_style1_repeats
{
    printf "$banner$converting"
    printf '\r \r[Text] Start coding input method at line 10...\n'
    printf '\r \r\aL14, [Text], Message 905: Duplicate HanZi "\xB0\xA2" in "bc\xB0\xA2\n"\n'
    printf '\r-\r|\r/\r \r'
    printf "$convert_ok"
} >"$case/stdout"
{
    database_header "CJK Input Method Tst1" 7
    # RT11 RT51 RT52 RT31 RT41 RT42 RT33: 7 entries end at 148, no gap.
    entry RT11 148; entry RT51 404; entry RT52 412; entry RT31 418
    entry RT41 444; entry RT42 454; entry RT33 454
    # RT11: version, CharSet, min 1666, max 1668, 4 characters, ID.
    u16 0x0200; u16 0x10; u16 1666; u16 1668; u32 4; printf 'Tst1'; zeros 4
    # noSort 0, style 1, IndexDepth 2, subtype 0; no rules.
    u8 0; u8 1; u8 2; u8 0; u16 0; u16 0; u16 0; u16 0
    # 2 bits a code, head 2, rest 0, 2 repeat slots; no wild or separate
    # char, AutoSelectKeys 0, MaxCodes 3, 3 used codes.
    u16 2; u16 2; u16 0; u16 2; u8 0; u8 0; u16 0; u16 3; u16 3
    text abc 64; zeros 16; text "Style one test" 32; text One 16
    zeros 16; zeros 32; zeros 16; zeros 16
    # RT51, HZMap 1666..1669: B0A1 has the block at 0, B0A2 entry 3,
    # B0A3 entry 4, then the closing zero.
    u16 0x8000; u16 3; u16 4; u16 0
    # RT52: entry 2 (bc, the longer code) moved to the front of the block.
    u16 0x8002; u16 1; u16 0
    # RT31: buckets 0 (a), 1..7 (first entry 2), 8 (c), 9..12 after the end.
    u16 1; u16 2; u16 2; u16 2; u16 2; u16 2; u16 2; u16 2; u16 4
    u16 5; u16 5; u16 5; u16 5
    # RT41: a = 00 01 00 00, bc = 00 10 11 00, c = 00 11 00 00; the primary
    # flag on entries 2, 3 and 4.
    u16 0; u16 0x1000; u16 0xAC00; u16 0xAC00; u16 0xB000
    # RT42 is empty. RT33: the characters in entry order.
    u16 0; u16 1666; u16 1666; u16 1667; u16 1668
} >"$case/expect/out.pdb"

# --- coder_style2_resources ------------------------------------------------
# KoreanKSC, UsedCodes "gakn", MaxCodes 4 (4-byte code text). Characters
# B0A1 = 1666 .. B0A4 = 1669. Every code begins with "ga": bucket
# (1 - 1) x 5 + 2 = 2 of 21. Entries: 1 ga: B0A1 B0A4, 2 gak: B0A2 B0A1,
# 3 gan: B0A3.
case=coder_style2_resources
{
    printf "$banner$converting"
    printf '\r \r[Text] Start coding input method at line 22...\n'
    printf '\r-\r \r'
    printf "$convert_ok"
} >"$case/stdout"
{
    database_header "CJK Input Method Kor2" 12
    # 12 entries end at 198, two zero bytes, bodies from 200.
    entry RT11 200; entry RT12 456; entry RT13 464; entry RT14 584
    entry RT21 602; entry tSTR 6058; entry RT51 6074; entry RT52 6084
    entry RT31 6090; entry RT41 6132; entry RT32 6148; entry RT33 6158
    zeros 2
    # RT11: min 1666, max 1669, 5 characters; style 2; one rule of 18
    # bytes with 2 items; 8 bits a code, head 4, 2 repeat slots, WildChar ?.
    u16 0x0200; u16 0x30; u16 1666; u16 1669; u32 5; printf 'Kor2'; zeros 4
    u8 0; u8 2; u8 0; u8 0; u16 1; u16 18; u16 2; u16 2
    u16 8; u16 4; u16 0; u16 2; printf '?'; u8 0; u16 0; u16 4; u16 4
    text gakn 64; zeros 16; text "Style two test" 32; text Two 16
    zeros 16; zeros 32; zeros 16; zeros 16
    # RT12: two double-byte display codes, then k and n.
    printf '\xA4\xA1\xA4\xBFk\0n\0'
    # RT13: row 1 g a k n, the rest zero.
    printf 'g\0a\0k\0n\0'; zeros 112
    # RT14: pe2 = F1 whole code + F2 whole code.
    u16 0x45; u16 2; u16 2; u16 0x46; u16 1; u16 0; u16 0x46; u16 2; u16 0
    # RT21: white 154 x 54 picture (rowBytes 20, 1080 bytes) with its
    # 308 x 108 double (rowBytes 40, 4320 bytes); next depth at 1096 / 4.
    u16 154; u16 54; u16 20; u16 0; u8 1; u8 1; u16 274; zeros 4; zeros 1080
    zeros 8; u8 0xFF; u8 1; zeros 6
    u16 308; u16 108; u16 40; u16 0; u8 1; u8 3; u8 24; u8 0; u8 0; u8 0
    u16 144; u32 0; u32 0; zeros 4320
    # tSTR: the help line, its NUL (16 bytes, even).
    printf 'Press g a k n.\n\0'
    # RT51, HZMap 1666..1670: B0A1 has the block at 0, then entries 2, 3, 1.
    u16 0x8000; u16 2; u16 3; u16 1; u16 0
    # RT52: B0A1 under ga (1) and gak (2).
    u16 0x8001; u16 2; u16 0
    # RT31: buckets 0..2 start at entry 1, 3..20 after the end.
    u16 1; u16 1; u16 1; for _ in $(seq 3 20); do u16 4; done
    # RT41: the code texts.
    zeros 4; printf 'ga\0\0gak\0gan\0'
    # RT32: first character of each entry, then T + 1.
    u16 0; u16 1; u16 3; u16 5; u16 6
    # RT33.
    u16 0; u16 1666; u16 1669; u16 1667; u16 1666; u16 1668
} >"$case/expect/out.pdb"

# --- coder_header_after_text -----------------------------------------------
case=coder_header_after_text
{
    printf "$banner$converting"
    printf '\r \r[Text] Start coding input method at line 10...\n'
    printf '\r \r\aL12, [Text], Message 902: Code too long in "[Phrase]\n"\n'
} >"$case/stdout"

# --- coder_empty_text --------------------------------------------------------
case=coder_empty_text
{
    printf "$banner$converting"
    printf '\r \r[Text] Start coding input method at line 10...\n'
    printf '\r \r\aL12, [Text], Message 900: No code in "\xB0\xA1\n"\n'
    printf '\r \r\aL12, [Text], Message 906: No coding in "[Text]" section.\n'
} >"$case/stdout"

# --- import_to_database ----------------------------------------------------
# t.cin's word is the phrase of text_to_database, whose database it gets. Its
# input method carries the keyboard pictures the import draws, so it has no
# expected file here: ImportToDatabase.LeavesTheFilesOfTheTextPath holds it to
# the source of "/i" to text compiled, pictures included.
case=import_to_database
cp ../tosker/text_to_database/expect/Words.Pdb "$case/expect/t-phrases.pdb"
