// The folder walker and the small file utilities on real folders of the Windows file
// system: what the directory search matches, attributes, order and double-byte names.
#include "fontfs/file_utils.h"
#include "fontfs/walk_folder.h"
#include "harness/check.h"
#include "platform_test_files.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

// "淺" is 9C 5C in code page 936: its trail byte is the backslash.
const std::string kTrail = "淺";

std::vector<std::string> visited;
void Record(const std::string& path) {
    visited.push_back(path);
}

std::vector<std::string> Walk(const std::string& folder, int depthLimit, bool limitGiven,
                              const std::string& pattern = "*.ttf") {
    visited.clear();
    WalkFolder(folder, Record, pattern, true, depthLimit, limitGiven);
    return visited;
}

std::size_t IndexOf(const std::vector<std::string>& paths, const std::string& path) {
    return static_cast<std::size_t>(std::find(paths.begin(), paths.end(), path) - paths.begin());
}

bool Has(const std::vector<std::string>& paths, const std::string& path) {
    return IndexOf(paths, path) < paths.size();
}

int PartsOf(const std::string& path) {
    return 1 + static_cast<int>(std::count(path.begin(), path.end(), '\\'));
}

}  // namespace

TEST_CASE("platform_walk.takes_every_matching_file_and_no_folder") {
    const std::string root = check::Scratch() + "\\fonts";
    REQUIRE(testfiles::MakeFolder(root));
    REQUIRE(testfiles::Write(root + "\\plain.ttf", "x"));
    REQUIRE(testfiles::Write(root + "\\LOUD.TTF", "x"));
    REQUIRE(testfiles::Write(root + "\\hidden.ttf", "x"));
    REQUIRE(testfiles::Write(root + "\\system.ttf", "x"));
    REQUIRE(testfiles::Write(root + "\\" + kTrail + ".ttf", "x"));
    REQUIRE(testfiles::Write(root + "\\other.ttc", "x"));
    REQUIRE(testfiles::MakeFolder(root + "\\x.ttf"));
    REQUIRE(testfiles::Write(root + "\\x.ttf\\inner.ttf", "x"));
    SetFileAttributesA((root + "\\hidden.ttf").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesA((root + "\\system.ttf").c_str(),
                       FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY);

    std::vector<std::string> paths = Walk(root, 0, true);
    CHECK_EQ(paths.size(), 5u);
    for (const char* name : {"plain.ttf", "LOUD.TTF", "hidden.ttf", "system.ttf"})
        CHECK(Has(paths, root + "\\" + name));
    CHECK(Has(paths, root + "\\" + kTrail + ".ttf"));
    CHECK(!Has(paths, root + "\\x.ttf"));
    CHECK(!Has(paths, root + "\\x.ttf\\inner.ttf"));

    // With or without the final backslash, each path has exactly one before the name.
    CHECK(Walk(root + "\\", 0, true) == paths);
    SetFileAttributesA((root + "\\system.ttf").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_CASE("platform_walk.files_before_subfolders_depth_first") {
    const std::string root = check::Scratch();
    for (const char* folder : {"\\one", "\\one\\deep", "\\two"})
        REQUIRE(testfiles::MakeFolder(root + folder));
    for (const char* file : {"\\top.ttf", "\\one\\b.ttf", "\\one\\deep\\c.ttf", "\\two\\d.ttf"})
        REQUIRE(testfiles::Write(root + file, "x"));

    std::vector<std::string> paths = Walk(root, 0, false);
    REQUIRE(paths.size() == 4u);
    CHECK_EQ(paths[0], root + "\\top.ttf");
    // A subfolder is finished, its own subfolders included, before the next one starts.
    std::size_t b = IndexOf(paths, root + "\\one\\b.ttf");
    std::size_t c = IndexOf(paths, root + "\\one\\deep\\c.ttf");
    std::size_t d = IndexOf(paths, root + "\\two\\d.ttf");
    CHECK_EQ(c, b + 1);
    CHECK(d == 1 || d == 3);
}

TEST_CASE("platform_walk.depth_limit_counts_parts_of_the_whole_path") {
    const std::string root = check::Scratch();
    REQUIRE(testfiles::MakeFolder(root + "\\a"));
    REQUIRE(testfiles::MakeFolder(root + "\\a\\b"));
    REQUIRE(testfiles::Write(root + "\\a\\in_a.ttf", "x"));
    REQUIRE(testfiles::Write(root + "\\a\\b\\in_b.ttf", "x"));
    const int partsOfA = PartsOf(root + "\\a");

    CHECK(Walk(root, partsOfA, true).empty());
    std::vector<std::string> one = Walk(root, partsOfA + 1, true);
    CHECK(one.size() == 1u && Has(one, root + "\\a\\in_a.ttf"));
    CHECK_EQ(Walk(root, partsOfA + 2, true).size(), 2u);
}

// A folder whose name ends in a double-byte character with the trail byte 0x5C does not
// end in a backslash, and its parts count as one each.
TEST_CASE("platform_walk.trail_byte_is_never_a_separator") {
    const std::string folder = check::Scratch() + "\\" + kTrail;
    REQUIRE(testfiles::MakeFolder(folder));
    REQUIRE(testfiles::Write(folder + "\\f.ttf", "x"));
    REQUIRE(testfiles::MakeFolder(folder + "\\" + kTrail));
    REQUIRE(testfiles::Write(folder + "\\" + kTrail + "\\g.ttf", "x"));

    std::vector<std::string> top = Walk(folder, 0, true);
    REQUIRE(top.size() == 1u);
    CHECK_EQ(top[0], folder + "\\f.ttf");
    CHECK(testfiles::Exists(top[0]));

    // The subfolder's path has two parts more than the scratch folder, not four.
    const int partsOfSub = PartsOf(check::Scratch()) + 2;
    CHECK_EQ(Walk(folder, partsOfSub, true).size(), 1u);
    CHECK(Has(Walk(folder, partsOfSub + 1, true), folder + "\\" + kTrail + "\\g.ttf"));
    CHECK_EQ(FileNameOfPath(folder + "\\" + kTrail + "\\g.ttf"), std::string("g.ttf"));
    CHECK_EQ(FileNameOfPath(folder + "\\" + kTrail + ".ttf"), kTrail + ".ttf");
}

TEST_CASE("platform_walk.missing_folder_gives_nothing") {
    CHECK(Walk(check::Scratch() + "\\nowhere", 0, false).empty());
    CHECK(Walk(check::Scratch() + "\\nowhere\\", 0, true).empty());
}

TEST_CASE("platform_walk.file_exists_and_overwriting_copy") {
    const std::string file = check::Scratch() + "\\there.ttf";
    REQUIRE(testfiles::Write(file, "old"));
    CHECK(FileExists(file));
    CHECK(FileExists(file + "  "));  // the file calls drop trailing spaces
    CHECK(FileExists(check::Scratch()));
    CHECK(!FileExists(check::Scratch() + "\\missing.ttf"));
    CHECK(!FileExists(""));

    const std::string source = check::Scratch() + "\\new.ttf";
    REQUIRE(testfiles::Write(source, "new"));
    CHECK(CopyFileOverwriting(source, file));
    CHECK_EQ(testfiles::Read(file), std::string("new"));
    CHECK(!CopyFileOverwriting(check::Scratch() + "\\missing.ttf", file));
    CHECK_EQ(testfiles::Read(file), std::string("new"));
}
