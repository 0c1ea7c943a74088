#!/usr/bin/env python3
"""Writes the inputs of scripts/bench.sh into a folder.

    python3 scripts/bench_inputs.py FOLDER

Nine files, each at half, usual and twice size (half, full, twice):

  shapes-SIZE.txt   style-1 ChineseGB input method, four-letter shape codes
  pinyin-SIZE.txt   style-2 ChineseGBK input method, syllable codes
  phrases-SIZE.txt  ChineseGBK phrase list of 2 to 4 characters

Everything comes from fixed seeds: every run writes the same bytes. One line
per file is printed with its figures and the SHA-256 of its bytes.
Standard library only.
"""

import hashlib
import os
import random
import sys

SEED = 20240611
SIZES = (("half", 0.5), ("full", 1.0), ("twice", 2.0))
LETTERS = "abcdefghijklmnopqrstuvwxyz"

# ---------------------------------------------------------------------------
# Character sets


def gb2312_hanzi():
    """The 6763 GB 2312 hanzi as byte pairs: level 1 (3755), then level 2."""
    level1 = [bytes((lead, trail)) for lead in range(0xB0, 0xD8) for trail in range(0xA1, 0xFF)
              if not (lead == 0xD7 and trail > 0xF9)]
    level2 = [bytes((lead, trail)) for lead in range(0xD8, 0xF8) for trail in range(0xA1, 0xFF)]
    return level1, level2


def gbk_extension_hanzi():
    """The GBK hanzi outside GB 2312: area 4 (lead AA-FE, trail 40-A0), area 3 (lead 81-A0)."""
    area4 = [bytes((lead, trail)) for lead in range(0xAA, 0xFF) for trail in range(0x40, 0xA1)
             if trail != 0x7F]
    area3 = [bytes((lead, trail)) for lead in range(0x81, 0xA1) for trail in range(0x40, 0xFF)
             if trail != 0x7F]
    return area4, area3


def gbk_index(char):
    lead, trail = char[0], char[1]
    if lead >= 0xA1 and trail >= 0xA1:
        return 256 + (lead - 0xA1) * 94 + (trail - 0xA1)
    if lead >= 0xA1:
        return 9092 + (lead - 0xA1) * 97 + (trail - 0x40)
    return 18210 + (lead - 0x81) * 191 + (trail - 0x40)


# ---------------------------------------------------------------------------
# Code tables


def spread_extras(rng, multi, extras):
    """Codes per character: 1 for most, 2 or more for `multi` of them; `extras`
    codes beyond the first one in all. Returns a list of counts, the multi
    characters first."""
    counts = [2] * multi
    for _ in range(extras - multi):
        counts[rng.randrange(multi)] += 1
    return counts


def write_table(path, description, lines):
    with open(path, "wb") as out:
        out.write(description.encode("ascii"))
        out.write(b"[Text]\r\n")
        for line in lines:
            out.write(line + b"\r\n")


def shape_table(path, chars, pairs, multi, seed):
    """Style 1: every character a random four-letter full code; the characters
    with more codes get the shorter prefixes of it (three, two, one letter) and
    further four- or three-letter codes. One code and character a line, sorted
    by code."""
    rng = random.Random(seed)
    order = list(range(len(chars)))
    rng.shuffle(order)  # which characters have several codes
    counts = spread_extras(rng, multi, pairs - len(chars))
    entries = []
    for position, char_number in enumerate(order):
        char = chars[char_number]
        full = "".join(rng.choice(LETTERS) for _ in range(4))
        wanted = counts[position] if position < multi else 1
        codes = [full]
        for candidate in (full[:3], full[:2], full[:1]):
            if len(codes) < wanted:
                codes.append(candidate)
        while len(codes) < wanted:
            length = 4 if rng.random() < 0.7 else 3
            code = "".join(rng.choice(LETTERS) for _ in range(length))
            if code not in codes:
                codes.append(code)
        for code in codes:
            entries.append((code, char_number))
    entries.sort()
    description = ("[Description]\r\nVersion=Bench 1.0\r\nCopyright=Generated table\r\n"
                   "Author=bench\r\nCharSet=ChineseGB\r\nID=BnSh\r\n"
                   "FullName=Benchmark shape codes\r\nName=Shapes\r\nCodingStyle=1\r\n"
                   "UsedCodes=abcdefghijklmnopqrstuvwxyz\r\nMaxCodes=4\r\n\r\n")
    write_table(path, description, (code.encode("ascii") + b" " + chars[c] for code, c in entries))
    return (f"{len(entries)} pairs, {len(chars)} characters, {multi} with several codes, "
            f"{len(set(code for code, _ in entries))} codes")


SYLLABLES = """
a ai an ang ao ba bai ban bang bao bei ben beng bi bian biao bie bin bing bo bu ca cai can
cang cao ce cen ceng cha chai chan chang chao che chen cheng chi chong chou chu chua chuai
chuan chuang chui chun chuo ci cong cou cu cuan cui cun cuo da dai dan dang dao de dei den
deng di dia dian diao die ding diu dong dou du duan dui dun duo e ei en eng er fa fan fang
fei fen feng fo fou fu ga gai gan gang gao ge gei gen geng gong gou gu gua guai guan guang
gui gun guo ha hai han hang hao he hei hen heng hong hou hu hua huai huan huang hui hun huo
ji jia jian jiang jiao jie jin jing jiong jiu ju juan jue jun ka kai kan kang kao ke ken
keng kong kou ku kua kuai kuan kuang kui kun kuo la lai lan lang lao le lei leng li lia lian
liang liao lie lin ling liu long lou lu lv luan lve lun luo ma mai man mang mao me mei men
meng mi mian miao mie min ming miu mo mou mu na nai nan nang nao ne nei nen neng ni nian
niang niao nie nin ning niu nong nou nu nv nuan nve nuo o ou pa pai pan pang pao pei pen
peng pi pian piao pie pin ping po pou pu qi qia qian qiang qiao qie qin qing qiong qiu qu
quan que qun ran rang rao re ren reng ri rong rou ru ruan rui run ruo sa sai san sang sao se
sen seng sha shai shan shang shao she shei shen sheng shi shou shu shua shuai shuan shuang
shui shun shuo si song sou su suan sui sun suo ta tai tan tang tao te teng ti tian tiao tie
ting tong tou tu tuan tui tun tuo wa wai wan wang wei wen weng wo wu xi xia xian xiang xiao
xie xin xing xiong xiu xu xuan xue xun ya yan yang yao ye yi yin ying yo yong you yu yuan
yue yun za zai zan zang zao ze zei zen zeng zha zhai zhan zhang zhao zhe zhei zhen zheng zhi
zhong zhou zhu zhua zhuai zhuan zhuang zhui zhun zhuo zi zong zou zu zuan zui zun zuo
""".split()


def pinyin_table(path, chars, pairs, multi, seed):
    """Style 2: every character a syllable, drawn with a skewed weight so that
    some syllables carry hundreds of characters; the characters with more codes
    get further syllables or beginnings of syllables. The characters of a code
    stand in character order on lines of 1 to 32 characters; codes sorted."""
    rng = random.Random(seed)
    syllables = sorted(SYLLABLES)
    ranked = syllables[:]
    rng.shuffle(ranked)
    weights = [1.0 / (rank + 8) ** 0.9 for rank in range(len(ranked))]
    cumulative = []
    total = 0.0
    for weight in weights:
        total += weight
        cumulative.append(total)
    prefixes = sorted({s[:n] for s in syllables for n in range(1, len(s))} - set(syllables))
    further = syllables + prefixes
    order = list(range(len(chars)))
    rng.shuffle(order)
    counts = spread_extras(rng, multi, pairs - len(chars))
    by_code = {}
    for position, char_number in enumerate(order):
        wanted = counts[position] if position < multi else 1
        codes = rng.choices(ranked, cum_weights=cumulative, k=1)
        while len(codes) < wanted:
            code = (rng.choices(ranked, cum_weights=cumulative, k=1)[0] if rng.random() < 0.5
                    else rng.choice(further))
            if code not in codes:
                codes.append(code)
        for code in codes:
            by_code.setdefault(code, []).append(char_number)
    lines = []
    for code in sorted(by_code):
        members = sorted(by_code[code])
        start = 0
        while start < len(members):
            take = rng.randint(1, 32)
            lines.append(code.encode("ascii") + b" " +
                         b"".join(chars[c] for c in members[start:start + take]))
            start += take
    description = ("[Description]\r\nVersion=Bench 1.0\r\nCopyright=Generated table\r\n"
                   "Author=bench\r\nCharSet=ChineseGBK\r\nID=BnPy\r\n"
                   "FullName=Benchmark syllable codes\r\nName=Syllables\r\nCodingStyle=2\r\n"
                   "UsedCodes=abcdefghijklmnopqrstuvwxyz\r\nMaxCodes=6\r\n\r\n")
    write_table(path, description, lines)
    return (f"{pairs} pairs, {len(chars)} characters, {multi} with several codes, "
            f"{len(by_code)} codes on {len(lines)} lines")


# ---------------------------------------------------------------------------
# Phrase lists

MAX_PER_FIRST = 1500      # phrases under one first character
MAX_TAIL_CHARS = 2048     # characters after the first ones, per first character
MAX_BLOCK_BYTES = 50000   # 2 (n - 1) bytes per phrase, per block of 256 first characters


def phrase_list(path, candidates, tail_pool, phrase_count, seed):
    """Phrases of 2 (55 %), 3 (25 %) and 4 (20 %) characters. The first
    characters are taken in the order of `candidates`, each with a number of
    phrases drawn from a log-normal spread (median 15, a few hundred for the
    busiest), until the list has `phrase_count` phrases: a longer list has more
    first characters. A first character has the same phrases in every list.
    The lines are shuffled."""
    cumulative = []
    total = 0.0
    for rank in range(len(tail_pool)):
        total += 1.0 / (rank + 20)
        cumulative.append(total)
    block_bytes = {}
    phrases = []
    first_count = 0
    busiest = 0
    for char in candidates:
        if len(phrases) >= phrase_count:
            break
        rng = random.Random(f"{seed}:{char.hex()}")
        wanted = min(MAX_PER_FIRST, int(rng.lognormvariate(2.7, 1.25)) + 1,
                     phrase_count - len(phrases))
        block = (gbk_index(char) - 256) // 256
        room = MAX_BLOCK_BYTES - block_bytes.get(block, 0)
        tails = set()
        tail_chars = 0
        attempts = 0
        while len(tails) < wanted and attempts < 20 * wanted:
            attempts += 1
            roll = rng.random()
            length = 1 if roll < 0.55 else 2 if roll < 0.80 else 3
            if tail_chars + length > MAX_TAIL_CHARS or 2 * (tail_chars + length) > room:
                break
            tail = b"".join(rng.choices(tail_pool, cum_weights=cumulative, k=length))
            if tail in tails:
                continue
            tails.add(tail)
            tail_chars += length
        if not tails:
            continue
        block_bytes[block] = block_bytes.get(block, 0) + 2 * tail_chars
        first_count += 1
        busiest = max(busiest, len(tails))
        phrases.extend(char + tail for tail in sorted(tails))
    if len(phrases) < phrase_count:
        raise SystemExit(f"bench_inputs: only {len(phrases)} phrases for {path}")
    random.Random(seed).shuffle(phrases)
    with open(path, "wb") as out:
        out.write(b"[Description]\nCharSet=ChineseGBK\nMaxPhraseLength=4\n[Phrase]\n")
        out.write(b"\n".join(phrases) + b"\n")
    return (f"{len(phrases)} phrases, {first_count} first characters, at most {busiest} "
            f"per character, at most {max(block_bytes.values())} bytes per block")


# ---------------------------------------------------------------------------


def sha256(path):
    with open(path, "rb") as source:
        return hashlib.sha256(source.read()).hexdigest()[:16]


def main():
    if len(sys.argv) != 2:
        raise SystemExit(__doc__)
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    level1, level2 = gb2312_hanzi()
    area4, area3 = gbk_extension_hanzi()
    gb = level1 + level2
    gbk = gb + area4 + area3

    # Shapes: 11,000 pairs over the 6763 hanzi, 3700 of them with 2 or 3 codes.
    # Half: half the characters (the first of level 1), same spread. Twice:
    # a character with k > 1 codes takes k + 1 slots of a repeat table that
    # holds 2 x 9093 - 2 for ChineseGB, so the 22,000 pairs keep most
    # characters at one code and give the rest about a dozen.
    shapes = {"half": (gb[:3382], 5500, 1850), "full": (gb, 11000, 3700),
              "twice": (gb, 22000, 1400)}
    # Syllables: 26,000 pairs over the 21,003 GBK hanzi. The repeat table is
    # capped at 32,766 slots, which again decides the twice size's spread.
    pinyin = {"half": (gbk[:10500], 13000, 2100), "full": (gbk, 26000, 4200),
              "twice": (gbk, 52000, 800)}

    rng = random.Random(SEED)
    candidates = []
    for group in (level1, level2, area4, area3):
        group = group[:]
        rng.shuffle(group)
        candidates.extend(group)
    tail_pool = level1 + level2

    for size, factor in SIZES:
        jobs = (
            (f"shapes-{size}.txt", lambda p: shape_table(p, *shapes[size], SEED + 1)),
            (f"pinyin-{size}.txt", lambda p: pinyin_table(p, *pinyin[size], SEED + 2)),
            (f"phrases-{size}.txt",
             lambda p: phrase_list(p, candidates, tail_pool, int(260000 * factor), SEED + 3)),
        )
        for name, make in jobs:
            path = os.path.join(folder, name)
            figures = make(path)
            print(f"  {name:18} {os.path.getsize(path):>9} bytes  sha256 {sha256(path)}  "
                  f"{figures}")


if __name__ == "__main__":
    main()
