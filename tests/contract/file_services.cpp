// The file services the logic relies on, as Windows provides them: copies, deletes,
// existence tests, directory searches and the folder walk over them, trailing spaces,
// double-byte names, sharing, attributes and paths.
#include <algorithm>
#include <string>
#include <vector>

#include "contract/contract.h"
#include "fontfs/file_utils.h"
#include "fontfs/walk_folder.h"
#include "platform/files.h"
#include "platform/files_once.h"
#include "platform/font_manager.h"

namespace {

using platform::once::Failure;

// "淺" is 9C 5C in code page 936: its trail byte is the backslash.
const std::string kTrail = "淺";

std::string In(const std::string& name) {
    return contract::CaseFolder() + "\\" + name;
}

struct Listing {
    std::vector<std::string> names;  // sorted; a folder's name ends in "\"
    bool found = false;
};

// The names a directory search reports. Windows lists in the file system's order, which
// the logic never relies on, so the names are sorted.
Listing Search(const std::string& pattern) {
    Listing listing;
    platform::DirEntry entry;
    platform::SearchHandle search = platform::FindFirstEntry(pattern, &entry);
    if (search == nullptr) return listing;
    listing.found = true;
    do {
        listing.names.push_back(entry.name + (entry.isDirectory ? "\\" : ""));
    } while (platform::FindNextEntry(search, &entry));
    platform::CloseSearch(search);
    std::sort(listing.names.begin(), listing.names.end());
    return listing;
}

std::vector<std::string> walked;
void Record(const std::string& path) {
    walked.push_back(path);
}

std::vector<std::string> Walk(const std::string& folder, const std::string& pattern,
                              bool patternGiven, int depthLimit, bool limitGiven) {
    walked.clear();
    WalkFolder(folder, Record, pattern, patternGiven, depthLimit, limitGiven);
    return walked;
}

std::vector<std::string> Sorted(std::vector<std::string> paths) {
    std::sort(paths.begin(), paths.end());
    return paths;
}

std::size_t IndexOf(const std::vector<std::string>& paths, const std::string& path) {
    return static_cast<std::size_t>(std::find(paths.begin(), paths.end(), path) - paths.begin());
}

bool SameIgnoringCase(std::string a, std::string b) {
    auto upper = [](std::string& text) {
        for (char& c : text) {
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        }
    };
    upper(a);
    upper(b);
    return a == b;
}

unsigned AttributesOf(const std::string& path) {
    unsigned attributes = 0xFFu;
    platform::FileAttributeBits(path, &attributes);
    return attributes;
}

}  // namespace

CONTRACT_CASE(FileServices, CopyReplacesOnlyWhenAllowed) {
    REQUIRE(contract::Write(In("src.ttf"), "new"));
    REQUIRE(contract::Write(In("dst.ttf"), "old"));
    CHECK(!platform::CopyOneFile(In("src.ttf"), In("dst.ttf"), true));
    CHECK_EQ(contract::Read(In("dst.ttf")), "old");
    CHECK(platform::CopyOneFile(In("src.ttf"), In("dst.ttf"), false));
    CHECK_EQ(contract::Read(In("dst.ttf")), "new");
    CHECK(platform::CopyOneFile(In("src.ttf"), In("fresh.ttf"), true));
    CHECK_EQ(contract::Read(In("fresh.ttf")), "new");

    CHECK(!platform::CopyOneFile(In("missing.ttf"), In("never.ttf"), false));
    CHECK(!contract::Exists(In("never.ttf")));
    CHECK(!platform::CopyOneFile(In("missing.ttf"), In("dst.ttf"), false));
    CHECK_EQ(contract::Read(In("dst.ttf")), "new");
    CHECK(!platform::CopyOneFile(In("src.ttf"), In("NoFolder\\src.ttf"), false));
    REQUIRE(contract::MakeFolder(In("folder.ttf")));
    CHECK(!platform::CopyOneFile(In("src.ttf"), In("folder.ttf"), false));
    // A file copied onto itself: the open source keeps the copy from replacing it.
    CHECK(!platform::CopyOneFile(In("src.ttf"), In("SRC.TTF"), false));
    CHECK_EQ(contract::Read(In("src.ttf")), "new");
}

// Whole copies are flushed, then renamed into place: a flush needs a file, a rename never
// replaces a file unless asked, and the file keeps its attributes under its new name.
CONTRACT_CASE(FileServices, AWholeCopyIsFlushedThenRenamedIntoPlace) {
    REQUIRE(contract::Write(In("a.tmp"), "new"));
    REQUIRE(contract::Write(In("b.ttf"), "old"));
    CHECK(platform::FlushToDisk(In("a.tmp")));
    CHECK(!platform::FlushToDisk(In("missing.ttf")));
    CHECK(!platform::RenameFile(In("a.tmp"), In("B.TTF"), false));
    CHECK_EQ(contract::Read(In("a.tmp")), "new");
    CHECK_EQ(contract::Read(In("b.ttf")), "old");
    CHECK(platform::RenameFile(In("a.tmp"), In("b.ttf"), true));
    CHECK_EQ(contract::Read(In("b.ttf")), "new");
    CHECK(!contract::Exists(In("a.tmp")));

    REQUIRE(platform::SetFileAttributeBits(In("b.ttf"), platform::kHidden));
    CHECK(platform::RenameFile(In("b.ttf  "), In("c.ttf   "), false));
    CHECK_EQ(contract::Read(In("c.ttf")), "new");
    CHECK_EQ(AttributesOf(In("c.ttf")), unsigned{platform::kHidden});
    CHECK(!platform::RenameFile(In("missing.tmp"), In("d.ttf"), true));
    CHECK(!platform::RenameFile(In("c.ttf"), In("NoFolder\\c.ttf"), true));
    REQUIRE(contract::MakeFolder(In("folder.ttf")));
    CHECK(!platform::FlushToDisk(In("folder.ttf")));
    CHECK(!platform::RenameFile(In("c.ttf"), In("folder.ttf"), true));
    CHECK_EQ(contract::Read(In("c.ttf")), "new");
}

CONTRACT_CASE(FileServices, CopyTakesTheSourcesAttributes) {
    constexpr unsigned kAll = platform::kReadOnly | platform::kHidden | platform::kSystem;
    REQUIRE(contract::Write(In("font.ttf"), "x"));
    CHECK_EQ(AttributesOf(In("font.ttf")), 0u);
    REQUIRE(platform::SetFileAttributeBits(In("font.ttf"), kAll));
    CHECK_EQ(AttributesOf(In("font.ttf")), kAll);
    CHECK(platform::CopyOneFile(In("font.ttf"), In("copy.ttf"), true));
    CHECK_EQ(AttributesOf(In("copy.ttf")), kAll);
    CHECK(platform::SetFileAttributeBits(In("copy.ttf"), platform::kHidden));
    CHECK_EQ(AttributesOf(In("copy.ttf")), unsigned{platform::kHidden});
    unsigned attributes = 0;
    CHECK(!platform::FileAttributeBits(In("missing.ttf"), &attributes));
    CHECK(!platform::SetFileAttributeBits(In("missing.ttf"), 0));
}

// Windows opens no read-only file for writing: it neither copies nor renames over one,
// nor flushes one.
CONTRACT_CASE(FileServices, AReadOnlyFileIsNeitherReplacedNorFlushed) {
    KNOWN_WINE_DIFFERENCE(
        "CopyFileW and MoveFileExW replace, FlushFileBuffers flushes a read-only file");
    REQUIRE(contract::Write(In("src.ttf"), "new"));
    REQUIRE(contract::Write(In("dst.ttf"), "old"));
    REQUIRE(platform::SetFileAttributeBits(In("dst.ttf"), platform::kReadOnly));
    CHECK(!platform::CopyOneFile(In("src.ttf"), In("dst.ttf"), false));
    CHECK(!platform::RenameFile(In("src.ttf"), In("dst.ttf"), true));
    CHECK_EQ(contract::Read(In("dst.ttf")), "old");
    CHECK(!platform::FlushToDisk(In("dst.ttf")));
}

CONTRACT_CASE(FileServices, CopyOverAHiddenFileFails) {
    KNOWN_WINE_DIFFERENCE("CopyFileW replaces a hidden destination");
    REQUIRE(contract::Write(In("src.ttf"), "new"));
    REQUIRE(contract::Write(In("dst.ttf"), "old"));
    REQUIRE(platform::SetFileAttributeBits(In("dst.ttf"), platform::kHidden));
    CHECK(!platform::CopyOneFile(In("src.ttf"), In("dst.ttf"), false));
    CHECK_EQ(contract::Read(In("dst.ttf")), "old");
}

CONTRACT_CASE(FileServices, DeleteRemovesFilesOnly) {
    REQUIRE(contract::Write(In("gone.ttf"), "x"));
    CHECK(platform::RemoveFile(In("GONE.ttf")));
    CHECK(!contract::Exists(In("gone.ttf")));
    CHECK(!platform::RemoveFile(In("gone.ttf")));
    REQUIRE(contract::MakeFolder(In("folder.ttf")));
    CHECK(!platform::RemoveFile(In("folder.ttf")));
    CHECK(contract::Exists(In("folder.ttf")));
}

CONTRACT_CASE(FileServices, DeletingAReadOnlyFileFails) {
    REQUIRE(contract::Write(In("kept.ttf"), "x"));
    REQUIRE(platform::SetFileAttributeBits(In("kept.ttf"), platform::kReadOnly));
    CHECK(platform::once::RemoveFile(In("kept.ttf")) == Failure::AccessDenied);
    CHECK(contract::Exists(In("kept.ttf")));
    REQUIRE(platform::SetFileAttributeBits(In("kept.ttf"), platform::kHidden | platform::kSystem));
    CHECK(platform::RemoveFile(In("kept.ttf")));
}

// FileExists is a directory search for the path, so it finds folders too but not a
// folder named with a trailing backslash.
CONTRACT_CASE(FileServices, ExistenceIsADirectorySearchMatch) {
    REQUIRE(contract::Write(In("a.ttf"), "x"));
    CHECK(FileExists(In("a.ttf")));
    CHECK(FileExists(In("A.TTF")));
    CHECK(FileExists(contract::CaseFolder()));
    CHECK(!FileExists(contract::CaseFolder() + "\\"));
    CHECK(!FileExists(In("b.ttf")));
    CHECK(!FileExists(""));
    // Bytes that are no code page 936 text name nothing: "a" and a lead byte without its
    // trail byte never becomes the pattern "a?".
    REQUIRE(contract::Write(In("ab"), "x"));
    CHECK(!FileExists(In("a\x81")));
    REQUIRE(platform::SetCurrentFolder(contract::CaseFolder()));
    CHECK(FileExists("a.ttf   "));  // relative, and the trailing spaces dropped
}

CONTRACT_CASE(FileServices, SearchListsMatchesWithTheirFolderFlag) {
    for (const char* file : {"File.TTF", "a.ttf", "淺字.ttf", "other.otf", "x.ttf.tmp"})
        REQUIRE(contract::Write(In(file), "x"));
    REQUIRE(contract::MakeFolder(In("sub.ttf")));

    CHECK_EQ(Search(In("*.*")).names,
             (std::vector<std::string>{"..\\", ".\\", "File.TTF", "a.ttf", "other.otf", "sub.ttf\\",
                                       "x.ttf.tmp", "淺字.ttf"}));
    // A temporary copy's name is no match, not even through its 8.3 alias (XTTF~1.TMP).
    CHECK_EQ(Search(In("*.ttf")).names,
             (std::vector<std::string>{"File.TTF", "a.ttf", "sub.ttf\\", "淺字.ttf"}));
    CHECK_EQ(Search(In("?ile.t*")).names, std::vector<std::string>{"File.TTF"});
    // "?" takes a double-byte character whole.
    CHECK_EQ(Search(In("?字.TTF")).names, std::vector<std::string>{"淺字.ttf"});
    CHECK_EQ(Search(In("淺*")).names, std::vector<std::string>{"淺字.ttf"});
    CHECK(!Search(In("*.none")).found);
    CHECK(!Search(In("nowhere\\*.*")).found);
    platform::CloseSearch(nullptr);  // closing no search is harmless
}

// A name that code page 936 cannot hold could only be named wrongly: with a "?", which a
// search takes for a wildcard, or with a look-alike. Searches pass over it.
CONTRACT_CASE(FileServices, SearchesPassOverANameCodePage936CannotHold) {
    REQUIRE(contract::WriteUnnamable(contract::CaseFolder()));
    CHECK(!Search(In("*.ttf")).found);
    REQUIRE(contract::Write(In("b.ttf"), "x"));
    CHECK_EQ(Search(In("*.ttf")).names, std::vector<std::string>{"b.ttf"});
}

// NTFS gives a name that is no 8.3 name an alias, and a search matches either: "*.ttf"
// takes "x.ttfpart" through X~1.TTF. That is why temporary copies end in ".tmp".
CONTRACT_CASE(FileServices, SearchAlsoMatchesTheShortAlias) {
    REQUIRE(contract::Write(In("x.ttfpart"), "x"));
    CHECK_EQ(Search(In("*.ttf")).names, std::vector<std::string>{"x.ttfpart"});
}

// The task run forms paths from padded names; the file calls name the file without the
// trailing spaces.
CONTRACT_CASE(FileServices, TrailingSpacesAreDropped) {
    REQUIRE(contract::Write(In("pad.ttf"), "x"));
    CHECK_EQ(Search(In("pad.ttf    ")).names, std::vector<std::string>{"pad.ttf"});
    CHECK(platform::CopyOneFile(In("pad.ttf   "), In("copy.ttf  "), false));
    CHECK_EQ(contract::Read(In("copy.ttf")), "x");
    CHECK_EQ(Search(In("copy*")).names, std::vector<std::string>{"copy.ttf"});
    CHECK_EQ(platform::AbsolutePath(In("pad.ttf  ")), In("pad.ttf"));
    platform::ReadHandle padded = platform::OpenForReading(In("pad.ttf "));
    unsigned long long size = 0;
    CHECK(platform::SizeOfOpenFile(padded, &size) && size == 1u);
    platform::CloseForReading(padded);
    unsigned attributes = 0;
    CHECK(platform::FileAttributeBits(In("pad.ttf   "), &attributes));
    CHECK(platform::RemoveFile(In("pad.ttf  ")));
    CHECK(!contract::Exists(In("pad.ttf")));
}

CONTRACT_CASE(FileServices, FileNameIsThePartAfterTheLastSeparator) {
    CHECK_EQ(FileNameOfPath("C:\\WINDOWS\\Fonts\\simsun.ttf"), "simsun.ttf");
    CHECK_EQ(FileNameOfPath("plain.ttf"), "plain.ttf");
    CHECK_EQ(FileNameOfPath("C:\\dir\\"), "dir\\");
    CHECK_EQ(FileNameOfPath("C:x.ttf"), "x.ttf");
    CHECK_EQ(FileNameOfPath("a/b.ttf"), "b.ttf");
    CHECK_EQ(FileNameOfPath(""), "");
    // A trail byte 0x5C is no separator.
    CHECK_EQ(FileNameOfPath("C:\\a\\淺色.ttf"), "淺色.ttf");
    CHECK_EQ(FileNameOfPath("C:\\a\\淺"), "淺");
    CHECK_EQ(FileNameOfPath("C:\\淺\\g.ttf"), "g.ttf");
}

// The face names the font manager gives, and our own reader's, in code page 936 itself
// whatever the system's own code page is: as WideCharToMultiByte gives them, with "?" for
// what 936 lacks, cut where a LOGFONTW ends.
CONTRACT_CASE(FileServices, FaceNamesReadAsCodePage936) {
    CHECK_EQ(platform::FaceNameIn936(u"文泉驿微米黑 乗淺 Sans"), "文泉驿微米黑 乗淺 Sans");
    CHECK_EQ(platform::FaceNameIn936(std::u16string(u"字体\0junk", 7)), "字体");
    CHECK_EQ(platform::FaceNameIn936(u"\uD55C\uAE00 \xD83D\xDE00"), "?? ??");  // Korean, an emoji
    CHECK_EQ(platform::FaceNameIn936(u"\xD800x"), "?x");                       // a lone surrogate
    // 31 units at most, and never half of a surrogate pair.
    CHECK_EQ(platform::FaceNameIn936(std::u16string(30, u'a') + u"\xD83D\xDE00"),
             std::string(30, 'a'));
}

CONTRACT_CASE(FileServices, HeldFilesRefuseOthersAndExclusiveOpensRefuseAll) {
    REQUIRE(contract::Write(In("a.ttf"), "abcdef"));
    REQUIRE(contract::Write(In("new.ttf"), "new"));
    std::vector<unsigned char> bytes;

    // A file that nobody holds may be opened for deletion, also while this program reads
    // it (its reads share deletion); a missing one may not.
    platform::ReadHandle reading = platform::OpenForReading(In("a.ttf"));
    CHECK(platform::once::OpenForDeletion(In("a.ttf")) == Failure::None);
    platform::CloseForReading(reading);
    CHECK(platform::once::OpenForDeletion(In("missing.ttf")) == Failure::Other);

    // Another program reads the file and lets others read it too, as Windows holds a
    // loaded font: each refusal is a sharing violation, but a rename over the file is
    // "access denied" (the file calls try either again for a while; tried once here).
    REQUIRE(contract::HoldOpen(In("a.ttf"), true));
    CHECK(platform::once::OpenForDeletion(In("a.ttf")) == Failure::Sharing);
    platform::FileHandle none = nullptr;
    CHECK(platform::once::OpenExclusive(In("a.ttf"), &none) == Failure::Sharing && !none);
    CHECK(platform::once::RemoveFile(In("a.ttf")) == Failure::Sharing);
    CHECK(platform::once::CopyOneFile(In("new.ttf"), In("a.ttf"), false) == Failure::Sharing);
    CHECK(platform::once::RenameFile(In("new.ttf"), In("a.ttf"), true) == Failure::AccessDenied);
    CHECK_EQ(contract::Read(In("a.ttf")), "abcdef");
    platform::ReadHandle reader = platform::OpenForReading(In("a.ttf"));
    CHECK(platform::ReadAt(reader, 1, 2, &bytes));
    CHECK_EQ(std::string(bytes.begin(), bytes.end()), "bc");
    platform::CloseForReading(reader);
    CHECK(platform::CopyOneFile(In("a.ttf"), In("b.ttf"), false));
    contract::LetGoOfFiles();

    // Another program reads it and lets nobody else in.
    REQUIRE(contract::HoldOpen(In("a.ttf"), false));
    CHECK(platform::OpenForReading(In("a.ttf")) == nullptr);
    CHECK(platform::once::CopyOneFile(In("a.ttf"), In("c.ttf"), false) == Failure::Sharing);
    contract::LetGoOfFiles();

    // This program opens it exclusively.
    platform::FileHandle mine = platform::OpenExclusive(In("a.ttf"));
    REQUIRE(mine != nullptr);
    CHECK(platform::once::OpenExclusive(In("a.ttf"), &none) == Failure::Sharing);
    CHECK(platform::once::OpenForDeletion(In("a.ttf")) == Failure::Sharing);
    CHECK(platform::OpenForReading(In("a.ttf")) == nullptr);
    CHECK(platform::once::CopyOneFile(In("a.ttf"), In("d.ttf"), false) == Failure::Sharing);
    platform::CloseFile(mine);
    CHECK(platform::RemoveFile(In("a.ttf")));

    // What no wait mends is no sharing violation.
    CHECK(platform::once::OpenExclusive(In("missing.ttf"), &none) == Failure::Other);
    REQUIRE(contract::MakeFolder(In("dir.ttf")));
    CHECK(platform::once::OpenExclusive(In("dir.ttf"), &none) == Failure::AccessDenied);
}

CONTRACT_CASE(FileServices, RangedReadsStopAtTheEnd) {
    REQUIRE(contract::Write(In("data.bin"), "abcdefgh"));
    std::vector<unsigned char> bytes;
    platform::ReadHandle file = platform::OpenForReading(In("data.bin"));
    REQUIRE(file != nullptr);
    CHECK(platform::ReadAt(file, 0, 8, &bytes));
    CHECK_EQ(bytes.size(), 8u);
    CHECK(platform::ReadAt(file, 2, 3, &bytes));
    CHECK_EQ(std::string(bytes.begin(), bytes.end()), "cde");
    CHECK(platform::ReadAt(file, 6, 100, &bytes));
    CHECK_EQ(std::string(bytes.begin(), bytes.end()), "gh");
    CHECK(platform::ReadAt(file, 50, 4, &bytes));
    CHECK(bytes.empty());
    unsigned long long size = 0;
    CHECK(platform::SizeOfOpenFile(file, &size) && size == 8u);
    platform::CloseForReading(file);
    platform::CloseForReading(nullptr);
    CHECK(platform::OpenForReading(In("missing.bin")) == nullptr);
}

CONTRACT_CASE(FileServices, PathsResolveAgainstTheCurrentFolder) {
    const std::string folder = contract::CaseFolder();
    REQUIRE(contract::MakeFolder(In("Other")));
    REQUIRE(platform::SetCurrentFolder(folder));
    CHECK_EQ(platform::CurrentFolder(), folder);
    CHECK_EQ(platform::AbsolutePath(".\\Backup\\x.ttf"), folder + "\\Backup\\x.ttf");
    CHECK_EQ(platform::AbsolutePath("sub\\淺字.ttf"), folder + "\\sub\\淺字.ttf");
    CHECK_EQ(platform::AbsolutePath("Other\\..\\.\\a/b.ttf"), folder + "\\a\\b.ttf");
    CHECK_EQ(platform::AbsolutePath("\\top").substr(1), ":\\top");
    CHECK_EQ(platform::AbsolutePath("\\..\\..\\a/b.ttf ").substr(1), ":\\a\\b.ttf");
    CHECK(!platform::SetCurrentFolder(In("missing")));
    CHECK_EQ(platform::CurrentFolder(), folder);
    // The folder's own name, whatever case and trailing backslash it was given in.
    REQUIRE(platform::SetCurrentFolder(In("other\\")));
    CHECK(SameIgnoringCase(platform::CurrentFolder(), In("Other")));
    CHECK(SameIgnoringCase(platform::AbsolutePath("f.ttf"), In("Other\\f.ttf")));

    std::string fonts;
    REQUIRE(platform::SystemFontsFolder(&fonts));
    CHECK(SameIgnoringCase(FileNameOfPath(fonts), "Fonts"));
    CHECK(FileExists(fonts));
}

CONTRACT_CASE(FileServices, WalkTakesMatchingFilesButNoFolder) {
    const std::string root = In("fonts");
    REQUIRE(contract::MakeFolder(root));
    for (const char* file :
         {"plain.ttf", "LOUD.TTF", "hidden.ttf", "system.ttf", "淺.ttf", "other.ttc", "note.txt"})
        REQUIRE(contract::Write(root + "\\" + file, "x"));
    REQUIRE(contract::MakeFolder(root + "\\x.ttf"));
    REQUIRE(contract::Write(root + "\\x.ttf\\inner.ttf", "x"));
    REQUIRE(platform::SetFileAttributeBits(root + "\\hidden.ttf", platform::kHidden));
    REQUIRE(platform::SetFileAttributeBits(root + "\\system.ttf",
                                           platform::kSystem | platform::kReadOnly));

    const std::vector<std::string> ttf = {root + "\\LOUD.TTF", root + "\\hidden.ttf",
                                          root + "\\plain.ttf", root + "\\system.ttf",
                                          root + "\\淺.ttf"};
    CHECK_EQ(Sorted(Walk(root, "*.ttf", true, 0, true)), ttf);
    // With or without the final backslash, each path has exactly one before the name.
    CHECK_EQ(Sorted(Walk(root + "\\", "*.ttf", true, 0, true)), ttf);
    // Without a pattern every file is taken.
    std::vector<std::string> every = ttf;
    every.push_back(root + "\\note.txt");
    every.push_back(root + "\\other.ttc");
    CHECK_EQ(Sorted(Walk(root, "ignored", false, 0, true)), Sorted(every));
    // Without a limit the walk enters the folder whose name matches the pattern.
    std::vector<std::string> deep = ttf;
    deep.push_back(root + "\\x.ttf\\inner.ttf");
    CHECK_EQ(Sorted(Walk(root, "*.ttf", true, 0, false)), Sorted(deep));
}

CONTRACT_CASE(FileServices, WalkGivesAFoldersFilesBeforeItsSubfoldersDepthFirst) {
    const std::string root = contract::CaseFolder();
    for (const char* folder : {"one", "one\\deep", "two"})
        REQUIRE(contract::MakeFolder(In(folder)));
    for (const char* file : {"top.ttf", "one\\b.ttf", "one\\deep\\c.ttf", "two\\d.ttf"})
        REQUIRE(contract::Write(In(file), "x"));

    std::vector<std::string> paths = Walk(root, "*.ttf", true, 0, false);
    REQUIRE(paths.size() == 4u);
    CHECK_EQ(paths[0], In("top.ttf"));
    // A subfolder is finished, its own subfolders included, before the next one starts.
    std::size_t b = IndexOf(paths, In("one\\b.ttf"));
    CHECK_EQ(IndexOf(paths, In("one\\deep\\c.ttf")), b + 1);
    std::size_t d = IndexOf(paths, In("two\\d.ttf"));
    CHECK(d == 1 || d == 3);
}

CONTRACT_CASE(FileServices, WalkDepthLimitCountsPartsOfTheWholePath) {
    REQUIRE(contract::MakeFolder(In("a")));
    REQUIRE(contract::MakeFolder(In("a\\b")));
    REQUIRE(contract::Write(In("top.ttf"), "x"));
    REQUIRE(contract::Write(In("a\\in_a.ttf"), "x"));
    REQUIRE(contract::Write(In("a\\b\\in_b.ttf"), "x"));
    // Walked from the case folder as ".": ".\a" has two parts, ".\a\b" three.
    REQUIRE(platform::SetCurrentFolder(contract::CaseFolder()));
    CHECK_EQ(Walk(".", "*.ttf", true, 2, true), std::vector<std::string>{".\\top.ttf"});
    CHECK_EQ(Walk(".", "*.ttf", true, 3, true),
             (std::vector<std::string>{".\\top.ttf", ".\\a\\in_a.ttf"}));
    CHECK_EQ(Walk(".", "*.ttf", true, 4, true).size(), 3u);
    CHECK_EQ(Walk(".", "*.ttf", true, 0, true), std::vector<std::string>{".\\top.ttf"});
}

// A folder whose name ends in a double-byte character with the trail byte 0x5C does not
// end in a backslash, and each of its parts counts once.
CONTRACT_CASE(FileServices, WalkTakesNoTrailByteForASeparator) {
    const std::string folder = In(kTrail);
    REQUIRE(contract::MakeFolder(folder));
    REQUIRE(contract::Write(folder + "\\f.ttf", "x"));
    REQUIRE(contract::MakeFolder(folder + "\\" + kTrail));
    REQUIRE(contract::Write(folder + "\\" + kTrail + "\\g.ttf", "x"));

    CHECK_EQ(Walk(folder, "*.ttf", true, 0, true), std::vector<std::string>{folder + "\\f.ttf"});
    CHECK(contract::Exists(folder + "\\f.ttf"));
    // Walked from the case folder, the subfolder "淺\淺" has two parts; a trail byte taken
    // for a separator would give it three.
    REQUIRE(platform::SetCurrentFolder(contract::CaseFolder()));
    CHECK_EQ(Walk(kTrail, "*.ttf", true, 2, true).size(), 1u);
    CHECK_EQ(Walk(kTrail, "*.ttf", true, 3, true),
             (std::vector<std::string>{kTrail + "\\f.ttf", kTrail + "\\" + kTrail + "\\g.ttf"}));
}

CONTRACT_CASE(FileServices, WalkOfAMissingFolderGivesNothing) {
    CHECK(Walk(In("nowhere"), "*.ttf", true, 0, false).empty());
    CHECK(Walk(In("nowhere\\"), "*.ttf", true, 0, true).empty());
    CHECK(Walk("Q:\\", "*.ttf", true, 0, false).empty());
}
