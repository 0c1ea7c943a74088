#!/usr/bin/env bash
# The statistics of docs/statistics.md on real data: installs rime's Wubi 86
# table and word list (Debian packages, never checked in), turns their single
# characters and words into a GBK input-method source and a GBK phrase list,
# and prints both reports, weighted by essay.txt. Usage: scripts/statistics-example.sh [build dir]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-release}
data=/usr/share/rime-data
if [ ! -f "$data/wubi86.dict.yaml" ] || [ ! -f "$data/essay.txt" ]; then
    apt-get install -y rime-data-wubi rime-essay >/dev/null
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 - "$data" "$work" <<'PY'
import sys
data, work = sys.argv[1], sys.argv[2]
lines = ['[Description]', 'CharSet=ChineseGBK', 'ID=WB86', 'FullName=Wubi 86 single characters',
         'Name=Wubi86', 'CodingStyle=1', 'UsedCodes=abcdefghijklmnopqrstuvwxyz', 'MaxCodes=4', '',
         '[Text]']
seen, body = set(), False
for line in open(f'{data}/wubi86.dict.yaml', encoding='utf-8'):
    line = line.rstrip('\n')
    if line == '...':
        body = True
        continue
    columns = line.split('\t')
    if not body or line.startswith('#') or len(columns) < 2 or len(columns[0]) != 1:
        continue
    code = columns[1]
    if not (code.isascii() and code.isalpha() and code.islower()):
        continue
    try:
        character = columns[0].encode('gbk')
    except UnicodeEncodeError:
        continue
    if len(character) == 2 and (code, character) not in seen:
        seen.add((code, character))
        lines.append(f'{code} {columns[0]}')
open(f'{work}/wubi86.txt', 'w', encoding='gbk').write('\n'.join(lines) + '\n')
words = ['[Description]', 'CharSet=ChineseGBK', 'MaxPhraseLength=15', '[Phrase]']
for line in open(f'{data}/essay.txt', encoding='utf-8'):
    word = line.split('\t')[0]
    try:
        if 2 <= len(word) <= 15 and len(word.encode('gbk')) == 2 * len(word):
            words.append(word)
    except UnicodeEncodeError:
        pass
open(f'{work}/essay.txt', 'w', encoding='gbk').write('\n'.join(words) + '\n')
PY
cd "$work"
"$OLDPWD/$build/ime/Mabrel" wubi86.txt wubi86.pdb >/dev/null
mkdir rime && ln -s "$data/essay.txt" rime/essay.txt
"$OLDPWD/$build/ime/Mabrel" /s wubi86.pdb rime/essay.txt | tr -d '\r'
"$OLDPWD/$build/phrase/Tosker" /s essay.txt rime/essay.txt | tr -d '\r'
