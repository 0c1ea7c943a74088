// The bundled examples work as examples/README.md promises: every input-method
// source (examples/*.txt not named phrase*) compiles with Mabrel, and every
// phrase list (examples/phrase*.txt) goes to a phrase database and back with
// Tosker, the text read back giving the same database again.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/e2e/run_tool.h"

namespace {

using namespace e2e;

// The example sources of one kind, sorted by name.
std::vector<std::string> exampleSources(bool phraseLists) {
    std::vector<std::string> names;
    if (!fs::is_directory(EXAMPLES_DIR)) return names;
    for (const auto& entry : fs::directory_iterator(EXAMPLES_DIR)) {
        const std::string name = entry.path().filename().string();
        if (entry.path().extension() != ".txt") continue;
        if (name.starts_with("phrase") == phraseLists) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string stemOf(const std::string& name) {
    return fs::path(name).stem().string();
}

// A scratch folder holding a copy of every example file, so that sources find
// the keyboard bitmaps they name.
class ExampleFolder : public ScratchDir {
  public:
    ExampleFolder() { fs::copy(EXAMPLES_DIR, path(), fs::copy_options::recursive); }
};

// Runs one conversion and checks what every successful run shows; false when
// the run failed.
bool expectConverts(const std::string& program, const std::string& from, const std::string& to,
                    const fs::path& folder) {
    const RunResult run = runTool(program, {from, to}, folder);
    const bool converted =
        run.status == 0 && run.output.ends_with("\nConvert OK.\n") && fs::exists(folder / to);
    EXPECT_TRUE(converted) << from << " => " << to << " exited with " << run.status
                           << (fs::exists(folder / to) ? "" : ", wrote no file") << ", printed:\n"
                           << run.output;
    return converted;
}

std::string typeOf(const std::string& database) {
    return database.size() >= 64 ? database.substr(60, 4) : std::string();
}

TEST(Examples, EveryInputMethodCompiles) {
    const std::vector<std::string> sources = exampleSources(false);
    ASSERT_FALSE(sources.empty()) << "no input-method example in " << EXAMPLES_DIR;
    ExampleFolder folder;
    for (const std::string& source : sources) {
        SCOPED_TRACE(source);
        const std::string database = stemOf(source) + ".pdb";
        if (!expectConverts(MABREL_PATH, source, database, folder.path())) continue;
        EXPECT_EQ(typeOf(readFile(folder.path() / database)), "IMEM");
    }
}

// Mabrel /k draws the pictures that are checked in; they compile, and the
// database decompiles to them again.
TEST(Examples, PicturesAreWhatSlashKDrawsAndComeBack) {
    ExampleFolder folder;
    for (const std::string& source : exampleSources(false)) {
        SCOPED_TRACE(source);
        const std::string stem = stemOf(source);
        const std::string checkedIn[] = {readFile(folder.path() / (stem + ".bmp")),
                                         readFile(folder.path() / (stem + "HDD.bmp"))};
        fs::remove(folder.path() / (stem + ".bmp"));
        fs::remove(folder.path() / (stem + "HDD.bmp"));
        if (!expectConverts(MABREL_PATH, "/k", source, folder.path())) continue;
        EXPECT_EQ(readFile(folder.path() / (stem + ".bmp")), checkedIn[0]);
        EXPECT_EQ(readFile(folder.path() / (stem + "HDD.bmp")), checkedIn[1]);
        if (!expectConverts(MABREL_PATH, source, stem + ".pdb", folder.path()) ||
            !expectConverts(MABREL_PATH, stem + ".pdb", "back.txt", folder.path())) {
            continue;
        }
        EXPECT_EQ(readFile(folder.path() / "back.bmp"), checkedIn[0]);
        EXPECT_EQ(readFile(folder.path() / "backHDD.bmp"), checkedIn[1]);
    }
}

TEST(Examples, EveryPhraseListGoesToADatabaseAndBack) {
    const std::vector<std::string> lists = exampleSources(true);
    ASSERT_FALSE(lists.empty()) << "no phrase list example (phrase*.txt) in " << EXAMPLES_DIR;
    ExampleFolder folder;
    for (const std::string& list : lists) {
        SCOPED_TRACE(list);
        const std::string stem = stemOf(list);
        const std::string first = stem + "-first.pdb";
        const std::string back = stem + "-back.txt";
        const std::string again = stem + "-again.pdb";
        if (!expectConverts(TOSKER_PATH, list, first, folder.path()) ||
            !expectConverts(TOSKER_PATH, first, back, folder.path()) ||
            !expectConverts(TOSKER_PATH, back, again, folder.path())) {
            continue;
        }

        const std::string firstDatabase = readFile(folder.path() / first);
        EXPECT_EQ(typeOf(firstDatabase), "CIZU");
        EXPECT_TRUE(maskDates(firstDatabase) == maskDates(readFile(folder.path() / again)))
            << "the text written back from " << first << " gives another database";
    }
}

}  // namespace
