"""Generated inputs of scripts/differential.py: input-method sources and
phrase lists of every shape, valid and faulty. Each generator takes a
random.Random and returns the input files of one case (name -> bytes), the
source always as "src.txt"."""

CHARSET_NAMES = ["ChineseGB", "ChineseGBK", "ChineseBIG5", "JapaneseJIS", "JapaneseSJIS",
                 "KoreanKSC"]


def input_method_case(rng, valid=False):
    raise NotImplementedError


def phrase_case(rng, valid=False):
    raise NotImplementedError
