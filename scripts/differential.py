#!/usr/bin/env python3
"""Runs two builds of Mabrel and Tosker on the same inputs and compares them.

    python3 scripts/differential.py OLD_DIR NEW_DIR [options]
    (scripts/differential.sh passes its arguments here)

Each case is a set of input files and a series of steps run in a scratch
folder: a run of one tool (arguments, environment), or a change made here to a
file left by an earlier step (bytes overwritten, the file cut short). Both
builds run every case in the same scratch path, one after the other, with
SOURCE_DATE_EPOCH fixed; the standard output and exit status of every step and
every file left at the end (names and bytes) must agree.

The cases: every case folder under tests/data/e2e, the bundled examples, the
benchmark inputs (scripts/bench_inputs.py, and the smaller tables and lists
of scripts/bench_import_inputs.py), the samples of /c, each tool under
command lines of every kind, generated input-method sources and phrase lists
(scripts/differential_inputs.py), each compiled, decompiled, recompiled and
(every other one) written as UTF-8 (/u) and compiled again, compiled
databases damaged by byte changes, cuts and growth, rime's real tables and
essay.txt, and generated desktop tables and word lists
(scripts/differential_tables.py), each imported by Mabrel /i and Tosker /i
and what the imports wrote compiled with /f.

Where the new build imports straight to a database (/i Table Dest.pdb) and
the old one does not, each import case runs once more as a pair: the old
build imports to text and compiles that with /f (Mabrel's source, then
Tosker's phrase list), the new one imports to the same database names; the
databases and the lists of what was left out must be the same bytes.

Standard library only.
"""

import argparse
import multiprocessing
import os
import random
import shutil
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # no __pycache__ beside the scripts
import differential_inputs as inputs  # noqa: E402
import differential_tables as tables  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
FIXED_EPOCH = "1262304000"  # 2010-01-01, the dates both builds write
RUN_SECONDS = 120


# ---------------------------------------------------------------------------
# Cases


class Case:
    """Input files (name -> bytes) and steps:
    ("run", tool, args, env)          a run of "mabrel" or "tosker"
    ("run-if", file, tool, args, env) the same, when `file` exists
    ("poke", file, [(where, byte)])   bytes overwritten (where: see size_point)
    ("cut", file, where)              the file cut there, or grown with zeros
    Generated files are made where the case runs, from `maker`: the name of a
    generator of differential_inputs or differential_tables, its seed and
    whether only sound sources are wanted. A pair (`new_steps` set) runs
    `steps` with the old build and `new_steps` with the new one, and compares
    only the databases and the lists of what was left out."""

    def __init__(self, name, files=None, maker=None):
        self.name = name
        self.files = dict(files or {})
        self.maker = maker
        self.steps = []
        self.new_steps = None

    def input_files(self):
        if self.maker:
            function, seed, valid = self.maker
            generator = getattr(inputs, function, None) or getattr(tables, function)
            return generator(random.Random(seed), valid)
        return self.files

    def run(self, tool, *args, env=None):
        self.steps.append(("run", tool, list(args), dict(env or {})))
        return self

    def run_if(self, file, tool, *args, env=None):
        self.steps.append(("run-if", file, tool, list(args), dict(env or {})))
        return self


def read_bytes(path):
    with open(path, "rb") as f:
        return f.read()


def folder_files(folder):
    """Every file under `folder`, by its path relative to it; a link as the
    name of what it points to, never followed."""
    files = {}
    for dirpath, _, names in os.walk(folder):
        for name in names:
            path = os.path.join(dirpath, name)
            if os.path.islink(path):
                data = b"link to " + os.fsencode(os.readlink(path))
            else:
                data = read_bytes(path)
            files[os.path.relpath(path, folder)] = data
    return files


def data_cases():
    """The case folders of tests/data/e2e, run as the end-to-end test runs them."""
    cases = []
    root = os.path.join(ROOT, "tests", "data", "e2e")
    for tool in ("mabrel", "tosker"):
        tool_root = os.path.join(root, tool)
        if not os.path.isdir(tool_root):
            continue
        for name in sorted(os.listdir(tool_root)):
            folder = os.path.join(tool_root, name)
            if not os.path.isdir(folder):
                continue
            files = {}
            if os.path.isdir(os.path.join(folder, "input")):
                files = folder_files(os.path.join(folder, "input"))
            args = split_lines(os.path.join(folder, "args"))
            env = {}
            for line in split_lines(os.path.join(folder, "env")):
                key, _, value = line.partition("=")
                env[key] = value
            cases.append(Case("data/%s/%s" % (tool, name), files).run(tool, *args, env=env))
    return cases


def split_lines(path):
    """The lines of a file as std::getline gives them (no empty last line)."""
    if not os.path.exists(path):
        return []
    text = read_bytes(path).decode("latin-1")
    lines = text.split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    return lines


def add_round_trip(case, tool, source, stem, compile_args=(), utf8=True):
    """Compile `source`, then, when a database was left: decompile it, compile
    the text again, and (with `utf8`) write it as UTF-8 and compile that."""
    case.run(tool, *compile_args, source, stem + ".pdb")
    case.run_if(stem + ".pdb", tool, stem + ".pdb", stem + "-back.txt")
    case.run_if(stem + "-back.txt", tool, stem + "-back.txt", stem + "-again.pdb")
    if utf8:
        case.run_if(stem + ".pdb", tool, "/u", stem + ".pdb", stem + "-utf8.txt")
        case.run_if(stem + "-utf8.txt", tool, stem + "-utf8.txt", stem + "-utf8.pdb")
    return case


def example_cases():
    folder = os.path.join(ROOT, "examples")
    pictures = {n: read_bytes(os.path.join(folder, n)) for n in sorted(os.listdir(folder))
                if n.endswith(".bmp")}
    cases = []
    for name in sorted(os.listdir(folder)):
        if not name.endswith(".txt"):
            continue
        tool = "tosker" if name.startswith("phrase") else "mabrel"
        files = dict(pictures) if tool == "mabrel" else {}
        files[name] = read_bytes(os.path.join(folder, name))
        case = Case("examples/" + name, files)
        cases.append(add_round_trip(case, tool, name, name[:-4]))
        if tool == "tosker":
            cases.append(add_round_trip(Case("examples/f-" + name, files), tool, name, "f",
                                        ("/f",)))
    return cases


def bench_cases(work, direct):
    folder = os.path.join(work, "bench-inputs")
    os.makedirs(folder, exist_ok=True)
    subprocess.run([sys.executable, os.path.join(ROOT, "scripts", "bench_inputs.py"), folder],
                   check=True, stdout=subprocess.DEVNULL)
    cases = []
    for name in sorted(os.listdir(folder)):
        if not name.endswith(".txt"):
            continue
        tool = "tosker" if name.startswith("phrases") else "mabrel"
        files = {name: read_bytes(os.path.join(folder, name))}
        cases.append(add_round_trip(Case("bench/" + name, files), tool, name, name[:-4]))
    # The import rows' tables at half and usual size, the word list at half
    # (3,000,000 lines would take minutes of both builds).
    subprocess.run([sys.executable, os.path.join(ROOT, "scripts", "bench_import_inputs.py"),
                    folder, "half", "full"], check=True, stdout=subprocess.DEVNULL)
    for name in ("cin-half.cin", "cin-full.cin", "words-half.txt"):
        files = {name: read_bytes(os.path.join(folder, name))}
        tools = ("mabrel", "tosker") if name.endswith(".cin") else ("tosker",)
        cases += import_cases("bench/" + name, files, name, "", tools, direct)
    return cases


# Where rime's tables are installed (rime-data-wubi, -cangjie5, -luna-pinyin,
# rime-essay), as scripts/real-tables.sh imports them.
RIME = "/usr/share/rime-data"
REAL_TABLES = ("wubi86", "cangjie5", "luna_pinyin")


def real_table_cases(direct):
    """rime's tables imported with /iChineseGB and /i, beside the essay.txt
    whose weights they take, and essay.txt itself with /iChineseGBK and /i."""
    if not os.path.isfile(os.path.join(RIME, "essay.txt")):
        print("differential: no rime tables in %s; their cases are left out" % RIME)
        return []
    essay = read_bytes(os.path.join(RIME, "essay.txt"))
    cases = []
    for table in REAL_TABLES:
        name = table + ".dict.yaml"
        files = {name: read_bytes(os.path.join(RIME, name)), "essay.txt": essay}
        for charset in ("ChineseGB", ""):
            found = import_cases("real/%s/%s" % (name, charset or "any"), files, name, charset,
                                 ("mabrel",), direct)
            found[0].run_if("dest.txt", "mabrel", "dest.txt", "plain.pdb")
            cases += found
    for charset in ("ChineseGBK", ""):
        cases += import_cases("real/essay.txt/%s" % (charset or "any"), {"essay.txt": essay},
                              "essay.txt", charset, ("tosker",), direct)
    return cases


def sample_cases():
    """The samples of /c, written and compiled as they stand."""
    cases = []
    for charset in inputs.CHARSET_NAMES + ["chinesegbk", "Klingon", ""]:
        case = Case("sample/" + (charset or "empty"))
        case.run("mabrel", "/c" + charset, "sample.txt")
        case.run_if("sample.txt", "mabrel", "sample.txt", "sample.pdb")
        cases.append(case)
    return cases


def command_line_cases():
    """Each tool on one sound source under names and arguments of every kind:
    letter case of names and options, a destination that exists or is the
    source, a folder, missing files, a database given where text goes."""
    cases = []
    for tool, maker, fit in (("mabrel", inputs.input_method_case, "/c"),
                             ("tosker", inputs.phrase_case, "/f")):
        files = maker(random.Random(1), True)
        files["b.TXT"] = files["a.txt"] = files.pop("src.txt")
        case = Case("cli/" + tool, files)
        for args in (["a.txt", "a.pdb"], ["a.txt", "a.pdb"], ["b.TXT", "B.PDB"],
                     ["a.txt", "a.txt"], ["a.txt", "no/such/x.pdb"], ["a.pdb", "a.pdb"],
                     ["/U", "a.pdb", "u.txt"], ["/u", "a.pdb"], ["/u", "a.txt", "u2.txt"],
                     ["a.pdb", "plain"], ["a.pdb", "x.txt.pdb"], ["a.pdb", "y.pdb.txt"],
                     [".", "d.pdb"], ["a.pdb", "."], ["missing.txt", "m.pdb"],
                     [fit.upper(), "a.txt", "f.pdb"], [fit, "a.pdb", "f.txt"], ["/?"],
                     ["/x", "a.txt", "a.pdb"], ["a.txt", "a.pdb", "extra"],
                     ["/u", "B.PDB", "B.TXT"], ["B.TXT", "C.pdb"]):
            case.run(tool, *args)
        cases.append(case)
    return cases


def damaged_cases(rng, count):
    """Databases compiled from generated sources, then damaged and read back
    (one in three as UTF-8 too); one in ten read by the other tool as well."""
    cases = []
    for number in range(count):
        tool = "mabrel" if number % 2 == 0 else "tosker"
        maker = ("input_method_case" if tool == "mabrel" else "phrase_case",
                 rng.randrange(1 << 30), True)
        case = Case("damaged/%s-%04d" % (tool, number), maker=maker)
        case.run(tool, "src.txt", "db.pdb")
        kind = rng.random()
        if kind < 0.45:
            pokes = []
            for _ in range(rng.choice((1, 1, 2, 3, 8))):
                pokes.append((damage_point(rng),
                              rng.choice((0, 0xFF, 1, 0x80, rng.randrange(256)))))
            case.steps.append(("poke", "db.pdb", pokes))
        elif kind < 0.9:
            case.steps.append(("cut", "db.pdb", damage_point(rng)))
        else:
            case.steps.append(("cut", "db.pdb", ("at", 1.0 + rng.random())))  # zeros appended
        case.run(tool, "db.pdb", "back.txt")
        if number % 3 == 0:
            case.run(tool, "/u", "db.pdb", "utf8.txt")
        case.run_if("back.txt", tool, "back.txt", "again.pdb")
        if rng.random() < 0.1:
            other = "tosker" if tool == "mabrel" else "mabrel"
            case.run(other, "db.pdb", "other.txt")
        cases.append(case)
    return cases


def damage_point(rng):
    """Where a byte is changed or the file cut: anywhere, in the header and
    directory (the first 160 bytes), or in the last bytes of the last body."""
    place = rng.random()
    if place < 0.45:
        return ("at", rng.random())
    if place < 0.85:
        return ("start", rng.randrange(1, 160))
    return ("end", rng.randrange(1, 12))


def import_steps(tool, table, charset, straight, stem=None):
    """An import by `tool` and the compiles of what it wrote, or (`straight`)
    the import straight to the databases of the same names."""
    option = "/i" + charset
    stem = stem or ("dest" if tool == "mabrel" else "list")
    if straight:
        return [("run", tool, [option, table, stem + ".pdb"], {})]
    steps = [("run", tool, [option, table, stem + ".txt"], {}),
             ("run-if", stem + ".txt", tool, ["/f", stem + ".txt", stem + ".pdb"], {})]
    if tool == "mabrel":
        steps.append(("run-if", stem + "-phrases.txt", "tosker",
                      ["/f", stem + "-phrases.txt", stem + "-phrases.pdb"], {}))
    return steps


def import_cases(name, files, table, charset, tools, direct, maker=None):
    """One case of `table` imported by each of `tools` and compiled. `direct`
    says which builds import straight to a database: "both" adds those
    imports to the case, "new" adds the case's pair (the import to text and
    compiles with the old build, the import straight to databases with the
    new one)."""
    case = Case(name, files, maker)
    for tool in tools:
        case.steps += import_steps(tool, table, charset, False)
        if direct == "both":
            case.steps += import_steps(tool, table, charset, True, "straight-" + tool)
    if direct != "new":
        return [case]
    pair = Case(name + "/to-pdb", files, maker)
    pair.steps = list(case.steps)
    pair.new_steps = [step for tool in tools for step in import_steps(tool, table, charset, True)]
    return [case, pair]


def table_cases(rng, count, direct):
    """Generated desktop tables and word lists, each imported by both tools
    (with a CharSet named one time in two) and what they wrote compiled."""
    cases = []
    for number in range(count):
        maker = ("desktop_table_case", rng.randrange(1 << 30), False)
        charset = rng.choice(inputs.CHARSET_NAMES) if number % 2 else ""
        cases += import_cases("table/%05d" % number, None, "table.src", charset,
                              ("mabrel", "tosker"), direct, maker)
    return cases


def generated_cases(rng, count):
    cases = []
    for number in range(count):
        seed = rng.randrange(1 << 30)
        if number % 3 != 2:
            case = Case("generated/mabrel-%05d" % number, maker=("input_method_case", seed, False))
            cases.append(add_round_trip(case, "mabrel", "src.txt", "db", utf8=number % 2 == 0))
        else:
            case = Case("generated/tosker-%05d" % number, maker=("phrase_case", seed, False))
            flags = ("/f",) if rng.random() < 0.4 else ()
            cases.append(add_round_trip(case, "tosker", "src.txt", "db", flags, number % 2 == 0))
    return cases


# ---------------------------------------------------------------------------
# Running


def size_point(size, where):
    """A position in a file of `size` bytes: ("at", fraction of the size),
    ("start", bytes from the start) or ("end", bytes before the end)."""
    kind, amount = where
    if kind == "start":
        return min(size, amount)
    if kind == "end":
        return max(0, size - amount)
    return int(size * amount)


def run_steps(steps, files, program, folder):
    """Runs `steps` on the input `files` with `program` (tool -> path) in
    `folder`; returns the outcome of each step and the files left."""
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    for name, data in files.items():
        path = os.path.join(folder, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)
    outcomes = []
    for step in steps:
        kind = step[0]
        if kind in ("run", "run-if"):
            if kind == "run-if":
                if not os.path.isfile(os.path.join(folder, step[1])):
                    outcomes.append(("skipped", None))
                    continue
                step = ("run",) + step[2:]
            _, tool, args, env = step
            environment = {b"PATH": b"/usr/bin:/bin", b"LC_ALL": b"C",
                           b"SOURCE_DATE_EPOCH": FIXED_EPOCH.encode()}
            # Arguments and values go to the tool as the bytes they were read as.
            environment.update((k.encode("latin-1"), v.encode("latin-1")) for k, v in env.items())
            argv = [os.fsencode(program[tool])] + [arg.encode("latin-1") for arg in args]
            try:
                done = subprocess.run(argv, cwd=folder, env=environment,
                                      stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                                      stderr=subprocess.PIPE, timeout=RUN_SECONDS)
                outcomes.append((done.returncode, done.stdout))
            except subprocess.TimeoutExpired:
                outcomes.append(("timeout", b""))
        else:
            path = os.path.join(folder, step[1])
            if not os.path.isfile(path):
                outcomes.append(("no file", None))
                continue
            data = bytearray(read_bytes(path))
            if kind == "poke":
                for where, value in step[2]:
                    if data:
                        data[min(len(data) - 1, size_point(len(data), where))] = value
            else:
                size = size_point(len(data), step[2])
                data = data[:size] + bytes(max(0, size - len(data)))
            with open(path, "wb") as f:
                f.write(data)
            outcomes.append(("done", None))
    return outcomes, folder_files(folder)


def step_text(step):
    if step[0] == "run-if":
        step = ("run",) + step[2:]
    if step[0] == "run":
        env = "".join("%s=%s " % item for item in sorted(step[3].items()))
        return "%s%s %s" % (env, step[1].capitalize(), " ".join(step[2]))
    return "%s %s %s" % step[:3]


# What a pair compares: the databases and the lists of what their fits left out.
PAIRED_ENDINGS = (".pdb", "-left-out.txt")


def compare(case, old, new):
    """The differences between two outcomes, as lines of text; none when equal."""
    lines = []
    (old_steps, old_files), (new_steps, new_files) = old, new
    if case.new_steps is not None:
        old_steps = new_steps = []
        old_files = {n: d for n, d in old_files.items() if n.endswith(PAIRED_ENDINGS)}
        new_files = {n: d for n, d in new_files.items() if n.endswith(PAIRED_ENDINGS)}
    for number, (step, a, b) in enumerate(zip(case.steps, old_steps, new_steps), 1):
        where = "step %d (%s)" % (number, step_text(step))
        if "skipped" in (a[0], b[0]) and a[0] != b[0]:
            side = "old" if b[0] == "skipped" else "new"
            lines.append("%s: run by %s only (its input is missing in the other)" % (where, side))
            continue
        if a[0] != b[0]:
            lines.append("%s: exit status %s (old) vs %s (new)" % (where, a[0], b[0]))
        if a[1] != b[1]:
            lines.append("%s: standard output differs: %s"
                         % (where, first_difference(a[1] or b"", b[1] or b"")))
    for name in sorted(set(old_files) | set(new_files)):
        if name not in new_files:
            lines.append("file %s: left by old only" % name)
        elif name not in old_files:
            lines.append("file %s: left by new only" % name)
        elif old_files[name] != new_files[name]:
            lines.append("file %s: %s" % (name, first_difference(old_files[name],
                                                               new_files[name])))
    return lines


def first_difference(a, b):
    at = next((i for i in range(min(len(a), len(b))) if a[i] != b[i]), min(len(a), len(b)))
    start = max(0, at - 24)
    return ("sizes %d and %d, first difference at byte %d:\n      old %r\n      new %r"
            % (len(a), len(b), at, a[start:at + 40], b[start:at + 40]))


class Worker:
    programs = None
    scratch = None
    keep = None
    new_usage = False


def init_worker(programs, scratch, keep, new_usage):
    Worker.programs = programs
    Worker.scratch = os.path.join(scratch, "w%d" % os.getpid())
    Worker.keep = keep
    Worker.new_usage = new_usage


# The usage lines of /i straight to a database: when only the new build has
# them, they are taken out of its output before the two are compared.
DIRECT_USAGE_LINES = (
    b"Mabrel /i Table Dest.pdb      Convert a desktop table to Dest.pdb\n",
    b"Tosker /i List Dest.pdb       Convert a word list to Dest.pdb\n",
)


def without_new_usage(outcomes):
    stripped = []
    for status, out in outcomes:
        for line in DIRECT_USAGE_LINES:
            out = out.replace(line, b"") if out else out
        stripped.append((status, out))
    return stripped


def run_case(case):
    """Runs one case with both builds in the same folder; the differences."""
    folder = os.path.join(Worker.scratch, "case")
    files = case.input_files()
    old = run_steps(case.steps, files, Worker.programs[0], folder)
    new = run_steps(case.new_steps or case.steps, files, Worker.programs[1], folder)
    if Worker.new_usage:
        new = (without_new_usage(new[0]), new[1])
    differences = compare(case, old, new)
    if differences and Worker.keep:
        # Both sides, for a closer look: inputs, steps, outputs, files left.
        for side, (outcomes, files) in (("old", old), ("new", new)):
            target = os.path.join(Worker.keep, case.name.replace("/", "_"), side)
            os.makedirs(target, exist_ok=True)
            for name, data in files.items():
                os.makedirs(os.path.dirname(os.path.join(target, "files", name)), exist_ok=True)
                with open(os.path.join(target, "files", name), "wb") as f:
                    f.write(data)
            steps = case.new_steps if side == "new" and case.new_steps else case.steps
            with open(os.path.join(target, "steps.txt"), "wb") as f:
                for number, (step, (status, out)) in enumerate(zip(steps, outcomes), 1):
                    f.write(("step %d: %s\nstatus %s\n" % (number, step_text(step), status))
                            .encode("latin-1"))
                    f.write((out or b"") + b"\n")
    statuses = [(step_kind(step), outcome[0]) for step, outcome in zip(case.steps, old[0])
                if outcome[0] not in ("skipped", "done", "no file")]
    return case.name, statuses, differences


def step_kind(step):
    """What a run does, for the figures of --stats: "mabrel compile" and so on."""
    if step[0] == "run-if":
        step = ("run",) + step[2:]
    if step[0] != "run":
        return step[0]
    tool, args = step[1], step[2]
    first = args[0].lower() if args else ""
    if first.startswith("/u"):
        kind = "/u"
    elif first.startswith("/i"):
        kind = "/i to database" if args[-1].lower().endswith(".pdb") else "/i"
    elif first.startswith("/f"):
        kind = "/f compile"
    elif first.startswith("/c"):
        kind = "/c sample"
    elif ".pdb" in first:
        kind = "to text"
    else:
        kind = "compile"
    return "%s %s" % (tool.capitalize(), kind)


def is_direct_import(step):
    if step[0] == "run-if":
        step = ("run",) + step[2:]
    if step[0] != "run" or not step[2]:
        return False
    args = step[2]
    return args[0].lower().startswith("/i") and args[-1].lower().endswith(".pdb")


def imports_to_database(program):
    """Whether both tools of a build list /i straight to a database."""
    for tool, line in (("mabrel", b"Mabrel /i Table Dest.pdb"), ("tosker", b"Tosker /i List Dest.pdb")):
        usage = subprocess.run([program[tool], "/?"], stdout=subprocess.PIPE,
                               stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL).stdout
        if not any(usage_line.startswith(line) for usage_line in usage.splitlines()):
            return False
    return True


def program_paths(folder):
    paths = {}
    for tool, name, sub in (("mabrel", "Mabrel", "ime"), ("tosker", "Tosker", "phrase")):
        for candidate in (os.path.join(folder, name), os.path.join(folder, sub, name)):
            if os.access(candidate, os.X_OK):
                paths[tool] = os.path.abspath(candidate)
                break
        else:
            sys.exit("differential: no %s in %s (nor in %s/%s)" % (name, folder, folder, sub))
    return paths


def main():
    parser = argparse.ArgumentParser(
        description="Runs two builds of Mabrel and Tosker on the same inputs and compares "
                    "standard output, exit status and the files left.")
    parser.add_argument("old", help="folder with the old Mabrel and Tosker (or a build folder)")
    parser.add_argument("new", help="folder with the new Mabrel and Tosker (or a build folder)")
    parser.add_argument("--seed", type=int, default=20261209, help="seed of the generated cases")
    parser.add_argument("--count", type=int, default=2000,
                        help="generated sources and phrase lists (default 2000)")
    parser.add_argument("--damaged", type=int, default=600,
                        help="damaged databases, half of each tool (default 600)")
    parser.add_argument("--tables", type=int,
                        help="generated desktop tables and word lists (default: --count)")
    parser.add_argument("--jobs", type=int, default=2, help="cases run at once (default 2)")
    parser.add_argument("--show", type=int, default=5,
                        help="cases whose differences are printed in detail (default 5)")
    parser.add_argument("--keep", metavar="DIR",
                        help="write both sides of every case that differs into DIR")
    parser.add_argument("--only", metavar="TEXT", help="run only the cases whose name holds TEXT")
    parser.add_argument("--fixed-only", action="store_true",
                        help="only tests/data, examples, benchmark inputs, samples and rime's "
                             "tables")
    parser.add_argument("--stats", action="store_true",
                        help="print how often each exit status came, by kind of run")
    options = parser.parse_args()
    programs = (program_paths(options.old), program_paths(options.new))
    # Both builds with /i to a database run it as any other step; only the
    # new one: its imports are paired with the old build's text path.
    direct = None
    if imports_to_database(programs[1]):
        direct = "both" if imports_to_database(programs[0]) else "new"

    started = time.time()
    # Scratch folders in memory where there is such a file system: less time
    # spent on the many small files.
    memory = "/dev/shm" if os.access("/dev/shm", os.W_OK) else None
    work = tempfile.mkdtemp(prefix="differential-", dir=memory)
    try:
        rng = random.Random(options.seed)
        cases = data_cases() + example_cases() + sample_cases() + command_line_cases()
        if not options.only or options.only in "bench/" or options.only.startswith("bench/"):
            cases += bench_cases(work, direct)
        cases += real_table_cases(direct)
        if not options.fixed_only:
            cases += generated_cases(rng, options.count)
            cases += damaged_cases(rng, options.damaged)
            tables_count = options.count if options.tables is None else options.tables
            cases += table_cases(random.Random(options.seed + 1), tables_count, direct)
        if options.only:
            cases = [case for case in cases if options.only in case.name]
        new_only = []
        if direct == "new":
            # Cases of the end-to-end tests that import straight to a
            # database: the old build cannot, and the tests check them.
            new_only = [case.name for case in cases if case.name.startswith("data/")
                        and any(is_direct_import(step) for step in case.steps)]
            cases = [case for case in cases if case.name not in new_only]
        runs = 0
        figures = {}
        differing = []
        with multiprocessing.Pool(options.jobs, init_worker,
                                  (programs, work, options.keep, direct == "new")) as pool:
            for name, statuses, differences in pool.imap_unordered(run_case, cases, 4):
                runs += len(statuses)
                for kind, status in statuses:
                    figures.setdefault(kind, {}).setdefault(status, 0)
                    figures[kind][status] += 1
                if differences:
                    differing.append((name, differences))
    finally:
        shutil.rmtree(work, ignore_errors=True)

    differing.sort()
    for name, differences in differing[:options.show]:
        print("%s:" % name)
        for line in differences[:8]:
            print("  " + line)
        if len(differences) > 8:
            print("  ... %d more" % (len(differences) - 8))
    if len(differing) > options.show:
        print("... and %d more cases with differences:" % (len(differing) - options.show))
        for name, _ in differing[options.show:options.show + 40]:
            print("  " + name)
    if options.stats:
        print("exit statuses of the old build (status x runs):")
        for kind in sorted(figures):
            counts = sorted(figures[kind].items(), key=lambda item: (-item[1], str(item[0])))
            print("  %-20s %s" % (kind, ", ".join("%s x%d" % item for item in counts)))
    differences = sum(len(d) for _, d in differing)
    print("%d cases, seed %d, %.0f s" % (len(cases), options.seed, time.time() - started))
    if new_only:
        print("%d cases of the new build's own (/i to a database) left to its tests: %s"
              % (len(new_only), ", ".join(sorted(new_only))))
    if direct == "new":
        print("the new build's two usage lines of /i to a database taken out of its output")
    print("%d runs, %d differences" % (runs, differences))
    if differing and options.keep:
        print("both sides of every case that differs: %s" % options.keep)
    return 1 if differing else 0


if __name__ == "__main__":
    sys.exit(main())
