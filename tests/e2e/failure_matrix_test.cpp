// Nothing lost, nothing false: for every kind of output and every way a run
// can fail, a file that had the destination's name keeps its bytes, no
// temporary stays behind, and the run ends with its message and status.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>

#include <chrono>
#include <csignal>
#include <functional>
#include <thread>

#include "tests/e2e/run_tool.h"
#include "tests/support/bmp_maker.h"

namespace {

using namespace e2e;

const std::string kKept = "kept bytes\n";

std::string picture(int width, int height) {
    test_support::BmpShape shape;
    shape.width = width;
    shape.height = height;
    return test_support::makeBmp(shape);
}

const std::string kInputMethod =
    "[Description]\nCharSet=ChineseGB\nID=Test\nFullName=Matrix test\nName=Matrix\n"
    "CodingStyle=2\nUsedCodes=ab\nMaxCodes=2\nKeyboardBitmap=kbd.bmp\n"
    "KeyboardBitmapHDD=kbdHDD.bmp\n[Text]\na \xB0\xA1\n";
const std::string kPhraseList = "[Description]\nCharSet=ChineseGB\n[Phrase]\n\xB0\xA1\xB0\xA2\n";

// One kind of output: the run that writes it, the files it needs, and how
// to make its input bad.
struct OutputKind {
    const char* name;
    bool mabrel;
    std::vector<std::string> args;        // the destination is the last one
    std::vector<std::string> companions;  // further outputs beside the destination
    std::function<void(const fs::path&)> prepare;
    std::function<void(const fs::path&)> spoil;
    int spoiledStatus;
};

void writeInputMethod(const fs::path& dir) {
    writeFile(dir / "src.txt", kInputMethod);
    writeFile(dir / "kbd.bmp", picture(154, 54));
    writeFile(dir / "kbdHDD.bmp", picture(308, 108));
}

// A database made by the tool itself, for the runs that read one.
void compiled(const fs::path& dir, bool mabrel) {
    if (mabrel) {
        writeInputMethod(dir);
        runTool(MABREL_PATH, {"src.txt", "db.pdb"}, dir);
    } else {
        writeFile(dir / "list.txt", kPhraseList);
        runTool(TOSKER_PATH, {"list.txt", "db.pdb"}, dir);
    }
}

void damageDatabase(const fs::path& dir) {
    std::string bytes = readFile(dir / "db.pdb");
    bytes.resize(bytes.size() - 1);
    writeFile(dir / "db.pdb", bytes);
}

std::vector<OutputKind> outputKinds() {
    return {
        {"InputMethodDatabase",
         true,
         {"src.txt", "out.pdb"},
         {},
         writeInputMethod,
         [](const fs::path& d) { writeFile(d / "src.txt", "[Text]\n"); },
         244},
        {"PhraseDatabase",
         false,
         {"list.txt", "out.pdb"},
         {},
         [](const fs::path& d) { writeFile(d / "list.txt", kPhraseList); },
         [](const fs::path& d) { writeFile(d / "list.txt", "[Phrase]\n"); },
         244},
        {"PhraseText",
         false,
         {"db.pdb", "out.txt"},
         {},
         [](const fs::path& d) { compiled(d, false); },
         damageDatabase,
         147},
        {"SampleSource", true, {"/cChineseGB", "out.txt"}, {}, [](const fs::path&) {}, nullptr, 0},
        {"DecompiledSource",
         true,
         {"db.pdb", "out.txt"},
         {"out.bmp", "outHDD.bmp"},
         [](const fs::path& d) { compiled(d, true); },
         damageDatabase,
         147},
    };
}

void PrintTo(const OutputKind& k, std::ostream* os) {
    *os << k.name;
}

class Failure : public ::testing::TestWithParam<OutputKind> {
  protected:
    void SetUp() override { GetParam().prepare(dir.path()); }

    std::string program() const { return GetParam().mabrel ? MABREL_PATH : TOSKER_PATH; }
    std::vector<std::string> argsTo(const std::string& destination) const {
        std::vector<std::string> args = GetParam().args;
        args.back() = destination;
        return args;
    }
    // Every output already exists, holding kKept.
    void keepOutputs(const fs::path& folder) const {
        writeFile(folder / fs::path(GetParam().args.back()).filename(), kKept);
        for (const std::string& name : GetParam().companions) writeFile(folder / name, kKept);
    }
    void expectOutputsKept(const fs::path& folder) const {
        EXPECT_TRUE(readFile(folder / fs::path(GetParam().args.back()).filename()) == kKept);
        for (const std::string& name : GetParam().companions) {
            EXPECT_TRUE(readFile(folder / name) == kKept) << name;
        }
    }
    void expectNoTemporary(const fs::path& folder) const {
        for (const auto& entry : fs::directory_iterator(folder)) {
            EXPECT_NE(entry.path().filename().string()[0], '.') << entry.path();
        }
    }

    ScratchDir dir;
};

TEST_P(Failure, ABadInput) {
    const OutputKind& k = GetParam();
    if (!k.spoil) GTEST_SKIP() << k.name << " reads no input";
    k.spoil(dir.path());
    keepOutputs(dir.path());
    const RunResult run = runTool(program(), k.args, dir.path());
    EXPECT_EQ(run.status, k.spoiledStatus) << run.output;
    expectOutputsKept(dir.path());
    expectNoTemporary(dir.path());
}

TEST_P(Failure, AFullDevice) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full on this machine";
    const OutputKind& k = GetParam();
    fs::create_symlink("/dev/full", dir / k.args.back());
    const RunResult run = runTool(program(), k.args, dir.path());
    EXPECT_EQ(run.status, 102) << run.output;
    EXPECT_TRUE(run.output.ends_with(" : Write file \"" + k.args.back() + "\" error\n") ||
                run.output.find("Message 102: Write file \"" + k.args.back()) != std::string::npos)
        << run.output;
    EXPECT_TRUE(fs::is_symlink(dir / k.args.back()));
    expectNoTemporary(dir.path());
}

// Writes to `path` until the file system is full.
void fillUp(const fs::path& path) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::setvbuf(file, nullptr, _IONBF, 0);
    const std::string block(512, 'x');
    while (std::fwrite(block.data(), 1, block.size(), file) == block.size()) {
    }
    std::fclose(file);
}

// A file system of 64 KiB of its own.
class SmallFileSystem {
  public:
    explicit SmallFileSystem(const fs::path& at) : at_(at) {
        fs::create_directory(at);
        mounted_ = mount("tmpfs", at.c_str(), "tmpfs", 0, "size=64k") == 0;
    }
    ~SmallFileSystem() {
        if (mounted_) umount(at_.c_str());
    }
    bool mounted() const { return mounted_; }

  private:
    fs::path at_;
    bool mounted_ = false;
};

TEST_P(Failure, AFullFileSystem) {
    const OutputKind& k = GetParam();
    SmallFileSystem small(dir / "full");
    if (!small.mounted()) GTEST_SKIP() << "this machine lets the test mount no file system";
    keepOutputs(dir / "full");
    fillUp(dir / "full" / "filler");
    const std::string destination = "full/" + fs::path(k.args.back()).filename().string();
    const RunResult run = runTool(program(), argsTo(destination), dir.path());
    EXPECT_EQ(run.status, 102) << run.output;
    expectOutputsKept(dir / "full");
    expectNoTemporary(dir / "full");
}

TEST_P(Failure, AnInterrupt) {
    const OutputKind& k = GetParam();
    keepOutputs(dir.path());
    // The run waits at an output that is a pipe without a reader: the
    // destination itself, or, for the decompiler, a picture whose
    // temporaries are made after the source's.
    const std::string pipe = k.companions.empty() ? k.args.back() : k.companions.back();
    fs::remove(dir / pipe);
    ASSERT_EQ(mkfifo((dir / pipe).c_str(), 0644), 0);
    const pid_t pid = startTool(program(), k.args, dir.path());
    for (int wait = 0; wait < 500; ++wait) {
        std::string wchan = readFile("/proc/" + std::to_string(pid) + "/wchan");
        if (wchan.find("wait_for_partner") != std::string::npos) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(pid, SIGINT);
    std::thread stopper([pid] {
        // A run that does not stop on SIGINT fails the test rather than hang it.
        std::this_thread::sleep_for(std::chrono::seconds(10));
        kill(pid, SIGKILL);
    });
    stopper.detach();
    const RunResult run = finishTool(pid, dir.path());
    EXPECT_EQ(run.signal, SIGINT) << run.output;
    // Whatever had the destination's name is as it was: the pipe, or the kept source.
    const fs::path destination = dir / fs::path(k.args.back()).filename();
    if (pipe == k.args.back()) {
        EXPECT_TRUE(fs::is_fifo(destination));
    } else {
        EXPECT_TRUE(readFile(destination) == kKept);
    }
    expectNoTemporary(dir.path());
}

INSTANTIATE_TEST_SUITE_P(Outputs, Failure, ::testing::ValuesIn(outputKinds()),
                         [](const auto& info) { return std::string(info.param.name); });

// The source is never a destination: not by its own name, not through a
// hard or a symbolic link; nor is a keyboard bitmap the compile reads, nor a
// picture file the decompiler would write over its database.
TEST(SourceIsNoDestination, EveryToolRefusesIt) {
    const struct {
        const char* name;
        bool mabrel;
        std::function<void(const fs::path&)> prepare;
        std::vector<std::string> args;
        std::string destination;  // what message 105 names
        std::string kept;         // the file that must keep its bytes
    } cases[] = {
        {"MabrelSameName",
         true,
         [](const fs::path& d) { writeFile(d / "src.txt.pdb", kInputMethod); },
         {"src.txt.pdb", "src.txt.pdb"},
         "src.txt.pdb",
         "src.txt.pdb"},
        {"MabrelHardLink",
         true,
         [](const fs::path& d) {
             writeInputMethod(d);
             fs::create_hard_link(d / "src.txt", d / "out.pdb");
         },
         {"src.txt", "out.pdb"},
         "out.pdb",
         "src.txt"},
        {"MabrelSymbolicLink",
         true,
         [](const fs::path& d) {
             writeInputMethod(d);
             fs::create_symlink("src.txt", d / "out.pdb");
         },
         {"src.txt", "./out.pdb"},
         "./out.pdb",
         "src.txt"},
        {"MabrelKeyboardBitmap", true, writeInputMethod, {"src.txt", "kbd.bmp.pdb"}, "", ""},
        {"DecompilerPicture",
         true,
         [](const fs::path& d) {
             compiled(d, true);
             fs::create_hard_link(d / "db.pdb", d / "out.bmp");
         },
         {"db.pdb", "out.txt"},
         "out.bmp",
         "db.pdb"},
        {"ToskerSameName",
         false,
         [](const fs::path& d) { writeFile(d / "l.txt.pdb", kPhraseList); },
         {"l.txt.pdb", "l.txt.pdb"},
         "l.txt.pdb",
         "l.txt.pdb"},
        {"ToskerHardLink",
         false,
         [](const fs::path& d) {
             compiled(d, false);
             fs::create_hard_link(d / "db.pdb", d / "t.txt");
         },
         {"db.pdb", "t.txt"},
         "t.txt",
         "db.pdb"},
        {"ToskerSymbolicLink",
         false,
         [](const fs::path& d) {
             writeFile(d / "list.txt", kPhraseList);
             fs::create_symlink("list.txt", d / "x.pdb");
         },
         {"list.txt", "x.pdb"},
         "x.pdb",
         "list.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDir dir;
        c.prepare(dir.path());
        if (std::string(c.name) == "MabrelKeyboardBitmap") {
            // The source names the destination as its picture.
            std::string source = kInputMethod;
            source.replace(source.find("kbd.bmp"), 7, "kbd.bmp.pdb");
            writeFile(dir / "src.txt", source);
            fs::copy_file(dir / "kbd.bmp", dir / "kbd.bmp.pdb");
            const RunResult run = runTool(MABREL_PATH, c.args, dir.path());
            EXPECT_EQ(run.status, 105);
            EXPECT_NE(
                run.output.find("L10, [Description], Message 105: Destination \"kbd.bmp.pdb\" "
                                "is the source\n"),
                std::string::npos)
                << run.output;
            EXPECT_EQ(readFile(dir / "kbd.bmp.pdb"), picture(154, 54));
            continue;
        }
        const std::string before = readFile(dir / c.kept);
        const RunResult run = runTool(c.mabrel ? MABREL_PATH : TOSKER_PATH, c.args, dir.path());
        EXPECT_EQ(run.status, 105);
        EXPECT_TRUE(run.output.ends_with("\r \r\aMessage 105 : Destination \"" + c.destination +
                                         "\" is the source\n"))
            << run.output;
        EXPECT_EQ(readFile(dir / c.kept), before);
    }
}

}  // namespace

// The writer in hostile surroundings, one shell script a case: outputs that
// are one file, a picture name no source line can hold, a link to standard
// output, a file-size limit, a closed standard output, a pipe without reader,
// lists an earlier run left beside the outputs.
TEST(HostileSurroundings, EveryRunEndsAsItShould) {
    const std::pair<const char*, std::string> cases[] = {
        {"ln -s x.bmp xHDD.bmp; $M db.pdb x.txt; echo rc=$?; ls x*",
         "Destination \"xHDD.bmp\" is another file of this run\nrc=105\nxHDD.bmp\n"},
        {"ln -s x.txt x.bmp; $M db.pdb x.txt; echo rc=$?; ls x*",
         "Destination \"x.bmp\" is another file of this run\nrc=105\nx.bmp\n"},
        {"$M db.pdb \"$(printf 'a\\nb.txt')\" | grep -c RT21", "1\n"},
        {"ln -s /dev/stdout o.txt; $T p.pdb o.txt | grep -c '^.Phrase.'; echo ${PIPESTATUS[0]}",
         "1\n0\n"},
        {"(ulimit -f 4; $M src.txt x.pdb); echo rc=$?; ls -A | grep -c '^\\.[^s]'", "rc=102\n0\n"},
        {"$T list.txt x.pdb >&-; $T list.txt y.pdb >/dev/null; cmp x.pdb y.pdb && echo same",
         "same\n"},
        {"mkfifo f; exec 3<>f 4>f 3<&-; $T list.txt x.pdb >&4; echo $?; ls x.pdb", "0\nx.pdb\n"},
        {"touch {a,b,c}-left-out.txt; $M src.txt a.pdb; $M /f src.txt b.pdb; $T /f list.txt c.pdb;"
         "ls *-left-out.txt",
         "a-left-out.txt\n"},
        {"sed s/=kbd.bmp/=x-left-out.txt/ src.txt >s.txt; cp kbd.bmp x-left-out.txt; "
         "$M /f s.txt x.pdb >/dev/null; echo rc=$?; cmp kbd.bmp x-left-out.txt && echo kept",
         "rc=0\nkept\n"},
        {"printf '%%chardef begin\\na \\xe5\\x95\\x8a\\n' >t.cin; touch {t-phrases,t-left-out,"
         "u-left-out,u-phrases-left-out}.txt u-phrases.pdb; $M /i t.cin t.txt; $M /i t.cin u.pdb; "
         "ls t-* u-*",
         "t-left-out.txt\nu-phrases-left-out.txt\nu-phrases.pdb\n"},
    };
    for (const auto& [script, tail] : cases) {
        ScratchDir dir;
        compiled(dir.path(), false);
        fs::rename(dir / "db.pdb", dir / "p.pdb");
        compiled(dir.path(), true);
        const RunResult run =
            runTool("/bin/bash", {"-c", script}, dir.path(),
                    {{"M", MABREL_PATH}, {"T", TOSKER_PATH}, {"SOURCE_DATE_EPOCH", "0"}});
        EXPECT_TRUE(run.output.ends_with(tail)) << script << "\n" << run.output;
    }
}
