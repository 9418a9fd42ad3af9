// Two runs of every kind of task with a restore between them, cut short at each file call
// in turn: the process killed there, the power cut there (also with the working folder on
// a second volume, each volume losing its latest metadata changes on its own), the call
// failing (a full disk, a broken drive), or a virus scanner holding every new file from
// there on. Wherever it happens, no version of any font is lost at any step, the backup
// folder holds only whole copies, a row reports success only for work that its run did,
// a scanner changes no outcome, and a restore afterwards brings every backup back.
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>

#include "platform/files.h"
#include "tasks/task_files.h"
#include "tests/unit/app_program_fixture.h"

// The address sanitizer's own call, present only in a sanitized build.
extern "C" void __sanitizer_purge_allocator() __attribute__((weak));

namespace {

using forms::main_window::kRestoreButton;
using forms::main_window::kRunTasksButton;
using standin::CutMode;

constexpr const char* kFonts = "C:\\WINDOWS\\Fonts\\";
// How long the virus scanner holds a file the program wrote, as scanners do on Windows.
constexpr unsigned kScannerHoldMs = 300;

// Where a way of cutting the sequence short is tried. A cut that leaves the same files
// behind as another, or goes on the same way, is not tried again: a kill or power cut
// before a call that follows a read leaves what the same cut before that read left.
enum class Where {
    Anywhere,
    AfterAChange,  // the first call, and every call after one that changed files
    AtAChange,     // a call that may change files: something is in flight
    AtACopy,
    AtAWrite,  // a copy or a flush: a file is written
};
// A virus scanner that starts at the call (nothing is cut), and how it refuses the rename
// of a file it holds.
enum class Scan { None, SharingViolation, AccessDenied };
struct Variant {
    CutMode mode;
    bool late;
    Scan scanner;
    Where where;
    // The working folder on D:, as when the program is unzipped to D:\字体管理器: the
    // backups on another volume than the fonts. A power cut then loses each volume's
    // latest uncommitted metadata changes, every number of them in turn.
    bool secondVolume;
    const char* name;
};
// Five modes: a kill and a power cut, early or late in the call in flight, and a power
// cut with the backups on a second volume; a failing call, and a failing copy that leaves
// nothing (Windows) or its partial destination (Wine); a disk that is full from a copy
// on; a virus scanner that refuses a rename with a sharing violation or "access denied".
constexpr Variant kVariants[] = {
    {CutMode::Kill, false, Scan::None, Where::AfterAChange, false, "killed"},
    {CutMode::Kill, true, Scan::None, Where::AtAChange, false, "killed late in the call"},
    {CutMode::PowerCut, false, Scan::None, Where::AfterAChange, false, "power cut"},
    {CutMode::PowerCut, true, Scan::None, Where::AtAChange, false, "power cut late in the call"},
    {CutMode::PowerCut, false, Scan::None, Where::AfterAChange, true,
     "power cut, the working folder on D:"},
    {CutMode::Fail, false, Scan::None, Where::Anywhere, false, "the call fails"},
    {CutMode::Fail, true, Scan::None, Where::AtACopy, false,
     "the copy fails leaving its partial copy"},
    {CutMode::DiskFull, false, Scan::None, Where::AtACopy, false,
     "the disk is full from the copy on"},
    {CutMode::None, false, Scan::SharingViolation, Where::AtAWrite, false,
     "a virus scanner holds each new file in turn from the call on"},
    {CutMode::None, false, Scan::AccessDenied, Where::AtAWrite, false,
     "a virus scanner that denies renames holds each new file in turn from the call on"},
};
constexpr int kVariantCount = static_cast<int>(std::size(kVariants));
constexpr Variant kUncut = {CutMode::None, false, Scan::None, Where::Anywhere, false, "not cut"};
constexpr Variant kUncutOnD = {CutMode::None, false, Scan::None, Where::Anywhere, true, "not cut"};

// A file call of the uncut sequence, and the metadata changes that C: and D: had logged
// since their last flush when it started.
struct Call {
    std::string function;
    bool changes = false;
    int loggedOnC = 0, loggedOnD = 0;
};

// How many of their latest changes C: and D: lose at a power cut.
struct Losses {
    int onC = 0, onD = 0;
};
// Every choice of losses a cut at the call can make: one, none, for a variant that loses
// no metadata.
std::vector<Losses> LossesAt(const Variant& variant, const Call& call) {
    if (!variant.secondVolume) return {Losses{}};
    std::vector<Losses> all;
    for (int c = 0; c <= call.loggedOnC; ++c)
        for (int d = 0; d <= call.loggedOnD; ++d) all.push_back({c, d});
    return all;
}

bool Applies(const Variant& variant, const std::vector<Call>& calls, int number) {
    const Call& call = calls[number];
    switch (variant.where) {
        case Where::Anywhere:
            return true;
        case Where::AfterAChange:
            return number == 1 || calls[number - 1].changes;
        case Where::AtAChange:
            return call.changes;
        case Where::AtACopy:
            return call.function == "CopyFileW";
        case Where::AtAWrite:
            return call.function == "CopyFileW" || call.function == "FlushFileBuffers";
    }
    return false;
}

// Every version of a font the sequence can produce, each told apart by its bytes: the
// originals, an older backup and a kept copy already there, a font that only the fonts
// folder holds and its older backup, the replacements and the added font.
enum VersionId { kA, kB, kC, kB0, kB1, kD, kD0, kR1, kR2, kN, kVersions };
struct Version {
    const char* label;
    std::vector<unsigned char> bytes;
};

struct QueuedRow {
    const char* font;
    const char* task;
    const char* replaceWith;
};
// A delete; a replace; a second replace of the same font (its older backups kept aside);
// a delete of a font whose identical backup is already there; an add.
constexpr QueuedRow kRows[] = {
    {"a.ttf", "删除字体", ""}, {"b.ttf", "替换字体", "r1.ttf"}, {"b.ttf", "替换字体", "r2.ttf"},
    {"c.ttf", "删除字体", ""}, {"n.ttf", "添加字体", ""},
};
constexpr int kRowCount = static_cast<int>(std::size(kRows));
// The rows after which no later row of the run touches their font: what their cell says
// at the end of a run must still be true then.
constexpr bool kLastOfItsFont[kRowCount] = {true, false, true, true, true};

bool EndsWithIgnoringCase(const std::string& text, const std::string& end) {
    if (text.size() < end.size()) return false;
    for (std::size_t i = 0; i < end.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[text.size() - end.size() + i])) != end[i])
            return false;
    }
    return true;
}

std::string NameOf(const std::string& path) {
    return path.substr(path.rfind('\\') + 1);
}

// Where a whole version counts as kept: a font of the fonts folder, or a backup under its
// name or kept aside as "<name>.N.bak".
bool IsFontName(const std::string& name) {
    return EndsWithIgnoringCase(name, ".ttf");
}
bool IsKeptName(const std::string& name) {
    static const std::regex kKept(".*\\.[0-9]+\\.bak", std::regex::icase);
    return std::regex_match(name, kKept);
}
bool IsBackupName(const std::string& name) {
    return IsFontName(name) || IsKeptName(name);
}

// No moment is without the font that the replace rows replace: the fonts folder holds the
// old one or a new one under its name.
constexpr const char* kReplacedFontMissing = "Fonts\\b.ttf holds no whole version";

using Tree = std::map<std::string, std::vector<unsigned char>>;  // folder\name -> bytes

class CutShortTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        versions_ = {Version{"the original a.ttf", Font(u"Alpha")},
                     Version{"the original b.ttf", Font(u"Beta")},
                     Version{"the original c.ttf", Font(u"Gamma")},
                     Version{"the older backup of b.ttf", Font(u"Beta Before")},
                     Version{"the kept copy b.ttf.2.bak", Font(u"Beta Kept")},
                     Version{"the d.ttf only the fonts folder holds", Font(u"Delta")},
                     Version{"the older backup of d.ttf", Font(u"Delta Before")},
                     Version{"the replacement r1.ttf", Font(u"First")},
                     Version{"the replacement r2.ttf", Font(u"Second")},
                     Version{"the added n.ttf", Font(u"New")}};
    }

    // The files before the runs, in a working folder on C: or on D:: a hidden system font,
    // two plain ones, an identical backup of one and an older different backup of another
    // with a kept copy whose number leaves a gap, a read-only fragment that a cut-short
    // backup left behind, a stray file whose name only looks kept, and a font that no
    // row touches, whose older backup the restore brings back.
    void PutTheFilesInPlace(bool secondVolume) {
        std::filesystem::remove_all(root_);
        standin::UseTestRoot(root_.string());
        const std::string work = secondVolume ? "D:\\work" : "C:\\work";
        backup_ = work + "\\Backup\\";
        MakeFolder(backup_);
        ASSERT_TRUE(platform::SetCurrentFolder(work));
        Write(std::string(kFonts) + "a.ttf", versions_[kA].bytes);
        ASSERT_TRUE(platform::SetFileAttributeBits(std::string(kFonts) + "a.ttf",
                                                   platform::kHidden | platform::kSystem));
        Write(std::string(kFonts) + "b.ttf", versions_[kB].bytes);
        Write(std::string(kFonts) + "c.ttf", versions_[kC].bytes);
        Write(std::string(kFonts) + "d.ttf", versions_[kD].bytes);
        Write(backup_ + "c.ttf", versions_[kC].bytes);
        Write(backup_ + "b.ttf", versions_[kB0].bytes);
        Write(backup_ + "b.ttf.2.bak", versions_[kB1].bytes);
        Write(backup_ + "d.ttf", versions_[kD0].bytes);
        Write(backup_ + "b.ttf..bak", std::vector<unsigned char>(30, 0x33));
        Write(backup_ + "b.ttf.tmp", std::vector<unsigned char>(40, 0x5A));
        ASSERT_TRUE(platform::SetFileAttributeBits(backup_ + "b.ttf.tmp", platform::kReadOnly));
        Write("C:\\new\\r1.ttf", versions_[kR1].bytes);
        Write("C:\\new\\r2.ttf", versions_[kR2].bytes);
        Write("C:\\new\\n.ttf", versions_[kN].bytes);
        standin::PlanCut({});
    }

    // What the child process reports, line by line, before it ends.
    struct ChildReport {
        int exitCode = -1;
        bool reached = false;
        std::string cutCall;      // the call the cut came at
        std::vector<Call> calls;  // every call from the cut on, by number (1 on)
        // By version, the call before which it first stood (0: never), and first stood on
        // a volume that had committed every change, so that no power cut could undo it.
        std::vector<int> firstSeen = std::vector<int>(kVersions, 0);
        std::vector<int> firstLasting = std::vector<int>(kVersions, 0);
        std::string cells;  // every row's result after each run
        std::vector<std::string> problems;
    };

    // Starts the program in a child process with the cut planned, queues the rows, runs
    // them, restores and runs them again; the child reports through a pipe as it goes.
    ChildReport RunCut(int call, const Variant& variant, const Losses& losses) {
        std::fflush(nullptr);
        // Freed memory that the sanitizer holds back would be copied into every child.
        if (__sanitizer_purge_allocator) __sanitizer_purge_allocator();
        int channel[2];
        EXPECT_EQ(::pipe(channel), 0);
        pid_t child = ::fork();
        if (child == 0) {
            ::close(channel[0]);
            InChild(channel[1], call, variant, losses);
            std::_Exit(0);
        }
        ::close(channel[1]);
        std::string text;
        char buffer[4096];
        while (ssize_t got = ::read(channel[0], buffer, sizeof buffer)) {
            if (got < 0) break;
            text.append(buffer, static_cast<std::size_t>(got));
        }
        ::close(channel[0]);
        int status = 0;
        ::waitpid(child, &status, 0);

        ChildReport report;
        report.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        std::size_t start = 0;
        while (start < text.size()) {
            std::size_t end = text.find('\n', start);
            std::string line = text.substr(start, end - start);
            start = end + 1;
            int version = 0, number = 0, changes = 0;
            Call seen;
            char function[64] = "";
            if (std::sscanf(line.c_str(), "seen %d at %d", &version, &number) == 2) {
                report.firstSeen[version] = number;
            } else if (std::sscanf(line.c_str(), "lasting %d at %d", &version, &number) == 2) {
                report.firstLasting[version] = number;
            } else if (std::sscanf(line.c_str(), "call %d %d %63s %d %d", &number, &changes,
                                   function, &seen.loggedOnC, &seen.loggedOnD) == 5) {
                seen.function = function;
                seen.changes = changes != 0;
                report.calls.resize(std::max<std::size_t>(report.calls.size(), number + 1));
                report.calls[number] = seen;
            } else if (line.rfind("cells ", 0) == 0) {
                report.cells += line.substr(6);
            } else if (line.rfind("reached ", 0) == 0) {
                report.reached = true;
                report.cutCall = line.substr(8);
            } else {
                report.problems.push_back(line);
            }
        }
        return report;
    }

    // The child watches the file calls only from the cut on: before it, the calls are the
    // uncut run's, which the reference run watched.
    void InChild(int channel, int call, const Variant& variant, const Losses& losses) {
        auto say = [channel](const std::string& line) {
            std::string text = line + "\n";
            ssize_t written = ::write(channel, text.data(), text.size());
            static_cast<void>(written);
        };
        ui::LoadWindow(main_, false);
        for (const QueuedRow& row : kRows)
            TaskList::AppendTaskRow(row.font, row.task, row.replaceWith);
        for (const char* name : {"r1.ttf", "r2.ttf", "n.ttf"})
            AppendTaskFile({name, std::string("C:\\new\\") + name});

        std::vector<bool> seen(kVersions, false), lasting(kVersions, false);
        std::vector<bool> lost(kVersions, false);
        std::vector<std::string> shown(kRowCount);
        std::vector<int> before;
        standin::FileCall cut;
        // The versions standing where they count, by host path, kept up to date with the
        // files each changing call names: the program changes no other.
        std::map<std::string, int> standing;
        standin::FileCall last;
        standin::ObserveFileCalls([&](const standin::FileCall& now) {
            if (now.number < call) return;
            if (now.number == call) {
                cut = now;
                for (int row = 0; row < kRowCount; ++row)
                    shown[row] = TaskList::CellText(row, TaskList::kResultColumn);
                if (variant.scanner != Scan::None)
                    standin::RunScanner(kScannerHoldMs,
                                        variant.scanner == Scan::AccessDenied
                                            ? standin::ScannerRefusal::AccessDenied
                                            : standin::ScannerRefusal::SharingViolation);
                standing = VersionsStanding();
            } else if (last.changes) {
                for (const std::string& path : {last.path, last.source})
                    if (!path.empty()) Update(&standing, standin::HostPath(path));
            }
            last = now;
            const std::string number = std::to_string(now.number);
            // The state before this call is the state after every call that returned.
            std::vector<bool> standsNow(kVersions, false);
            for (const auto& [host, v] : standing) {
                standsNow[v] = true;
                if (!seen[v]) say("seen " + std::to_string(v) + " at " + number);
                seen[v] = true;
                // Where its volume has committed every change, no power cut can undo it.
                if (lasting[v] || standin::ChangesLogged(VolumeOf(host)) != 0) continue;
                lasting[v] = true;
                say("lasting " + std::to_string(v) + " at " + number);
            }
            // A version that has stood stands at every later step, somewhere.
            for (int v = 0; v < kVersions; ++v) {
                if (!seen[v] || standsNow[v] || lost[v]) continue;
                lost[v] = true;
                say(std::string(versions_[v].label) + " is lost before call " + number);
            }
            if (variant.mode == CutMode::None)
                say("call " + number + " " + (now.changes ? "1 " : "0 ") + now.function + " " +
                    std::to_string(standin::ChangesLogged('C')) + " " +
                    std::to_string(standin::ChangesLogged('D')));
            for (int row = 0; row < kRowCount; ++row) {
                std::string result = TaskList::CellText(row, TaskList::kResultColumn);
                if (result == shown[row]) continue;
                shown[row] = result;
                std::string problem = CheckSuccess(row, result, shown, before);
                if (!problem.empty()) say("row " + std::to_string(row) + " " + problem);
            }
            std::string problem = CheckKeptAside(now);
            if (!standing.count(standin::HostPath(std::string(kFonts) + "b.ttf")))
                problem += kReplacedFontMissing;
            if (!problem.empty()) say(problem);
            if (now.number == call) say("reached " + number + " " + now.function + " " + now.path);
        });
        standin::PlanCut({.mode = variant.mode,
                          .atCall = call,
                          .late = variant.late,
                          .callLimit = 3000,
                          .changesLost = {{'C', losses.onC}, {'D', losses.onD}}});

        // A run or a restore that went on past a failure removed every temporary file whose
        // copy failed: only a failing call on a temporary file itself may leave one.
        auto checkNoTemporaryFile = [&](const char* step) {
            bool tempCall =
                EndsWithIgnoringCase(cut.path, ".tmp") && std::string(cut.function) != "CopyFileW";
            if (tempCall && variant.scanner == Scan::None) return;
            for (const std::string& folder : {std::string(kFonts), backup_})
                for (const std::string& name : Listing(folder))
                    if (EndsWithIgnoringCase(name, ".tmp"))
                        say(folder + name + " stays after " + step);
        };
        for (int run = 1; run <= 2; ++run) {
            if (run == 2) {
                headless::Click(main_, kRestoreButton);
                checkNoTemporaryFile("the restore");
            }
            before = {VersionOf(std::string(kFonts) + "a.ttf"),
                      VersionOf(std::string(kFonts) + "b.ttf"),
                      VersionOf(std::string(kFonts) + "c.ttf")};
            headless::Click(main_, kRunTasksButton);
            checkNoTemporaryFile(run == 1 ? "run 1" : "run 2");
            // What a row's cell says once its run is over must be this run's work.
            std::vector<std::string> cells(kRowCount);
            for (int row = 0; row < kRowCount; ++row)
                cells[row] = TaskList::CellText(row, TaskList::kResultColumn);
            std::string line = "cells ";
            for (int row = 0; row < kRowCount; ++row) {
                line += cells[row] + "|";
                std::string problem =
                    kLastOfItsFont[row] ? CheckSuccess(row, cells[row], cells, before) : "";
                if (!problem.empty())
                    say("row " + std::to_string(row) + " after run " + std::to_string(run) + " " +
                        problem);
            }
            say(line);
        }
    }

    // The drive letter of a host path under the test root: its volume.
    char VolumeOf(const std::string& host) { return host[root_.string().size() + 1]; }

    // A row that shows success must have done its work: its backup whole under its name,
    // the font gone, the replacement or the added font whole in the fonts folder. before
    // holds the versions of a.ttf, b.ttf and c.ttf as the run began.
    std::string CheckSuccess(int row, const std::string& result,
                             const std::vector<std::string>& shown,
                             const std::vector<int>& before) {
        const QueuedRow& task = kRows[row];
        std::string font = std::string(kFonts) + task.font;
        std::string backup = backup_ + task.font;
        // What the fonts folder held before the row: the second replace finds the first
        // one's replacement when that succeeded in this run.
        const int found[] = {before[0], before[1], shown[1] == "替换成功" ? kR1 : before[1],
                             before[2], kN};
        bool backedUp = found[row] >= 0 && Read(backup) == versions_[found[row]].bytes;
        if (result == "删除成功") {
            if (Exists(font)) return "shows 删除成功 but the font is still there";
            if (!backedUp) return "shows 删除成功 without a whole backup of " + font;
        } else if (result == "替换成功") {
            if (!backedUp) return "shows 替换成功 without a whole backup of " + font;
            VersionId replacement = row == 1 ? kR1 : kR2;
            if (Read(font) != versions_[replacement].bytes)
                return "shows 替换成功 without the whole replacement in place";
        } else if (result == "添加成功") {
            if (Read(font) != versions_[kN].bytes)
                return "shows 添加成功 without the whole font in the fonts folder";
        }
        return "";
    }

    // An older backup moves aside only once the new backup that takes its name is whole,
    // and only for a successor with other bytes: a kept copy of the same would be needless.
    std::string CheckKeptAside(const standin::FileCall& now) {
        if (std::string(now.function) != "MoveFileExW" || !IsKeptName(NameOf(now.path)) ||
            EndsWithIgnoringCase(now.source, ".tmp"))
            return "";
        int successor = VersionOf(backup_ + NameOf(now.source) + ".tmp");
        if (successor < 0)
            return "Backup\\" + NameOf(now.source) + " moves aside before its successor is whole";
        if (successor == VersionOf(now.source))
            return "Backup\\" + NameOf(now.source) +
                   " moves aside for a successor of the same bytes";
        return "";
    }

    // The versions that stand whole where they count, by host path: in the fonts folder
    // under a font's name, in the backup folder under a backup's or a kept copy's name.
    std::map<std::string, int> VersionsStanding() {
        std::map<std::string, int> standing;
        for (const std::string& folder : {std::string(kFonts), backup_})
            for (const std::string& name : Listing(folder))
                Update(&standing, standin::HostPath(std::string(folder) + name));
        return standing;
    }

    // Looks again at one file for what it holds now.
    void Update(std::map<std::string, int>* standing, const std::string& host) {
        standing->erase(host);
        std::filesystem::path file(host);
        std::string folder = file.parent_path().string();
        std::string name = file.filename().string();
        bool counts = (folder == standin::HostPath(kFonts) && IsFontName(name)) ||
                      (folder == standin::HostPath(backup_) && IsBackupName(name));
        int v = counts ? VersionAt(host) : -1;
        if (v >= 0) (*standing)[host] = v;
    }

    // The version a file (by host path) holds whole, -1 for none. Only a file of a
    // version's size is read: a loop that leaves partial files behind makes many.
    int VersionAt(const std::string& host) {
        std::error_code error;
        auto size = std::filesystem::file_size(host, error);
        std::vector<unsigned char> bytes;
        for (int v = 0; v < kVersions; ++v) {
            if (error || versions_[v].bytes.size() != size) continue;
            if (bytes.empty()) {
                std::ifstream in(host, std::ios::binary);
                bytes.assign(std::istreambuf_iterator<char>(in), {});
            }
            if (bytes == versions_[v].bytes) return v;
        }
        return -1;
    }
    int VersionOf(const std::string& windowsPath) {
        return VersionAt(standin::HostPath(windowsPath));
    }

    Tree Snapshot() {
        Tree tree;
        for (const std::string& folder : {std::string(kFonts), backup_})
            for (const std::string& name : Listing(folder))
                tree[std::string(folder) + name] = Read(std::string(folder) + name);
        return tree;
    }

    // After the cut: every version that had stood is still whole somewhere it counts, and
    // every backup is a whole copy of a version.
    void CheckNothingLost(const std::vector<int>& firstSeen, const ChildReport& report,
                          const std::string& where) {
        std::vector<bool> standing(kVersions, false);
        for (const auto& [host, v] : VersionsStanding()) standing[v] = true;
        for (int v = 0; v < kVersions; ++v) {
            if (firstSeen[v] > 0 && !standing[v])
                ADD_FAILURE() << where << ": " << versions_[v].label << " is lost";
        }
        for (const std::string& name : Listing(backup_)) {
            if (IsBackupName(name) && VersionOf(backup_ + name) < 0)
                ADD_FAILURE() << where << ": Backup\\" << name << " is not a whole copy";
        }
        for (const std::string& problem : report.problems)
            ADD_FAILURE() << where << ": " << problem;
        if (VersionOf(std::string(kFonts) + "b.ttf") < 0)
            ADD_FAILURE() << where << ": " << kReplacedFontMissing;
    }

    // The user starts the program again and restores: every backup is back in the fonts
    // folder, byte for byte.
    void CheckRestartAndRestore(const std::string& where) {
        headless::Reset();
        ReleaseInstalledFontList();
        ReleaseTaskFileList();
        CreateInstalledFontList();
        CreateTaskFileList();
        LoadMainWindow();
        ASSERT_TRUE(headless::Click(main_, kRestoreButton));
        for (const std::string& name : Listing(backup_)) {
            if (IsFontName(name) && Read(std::string(kFonts) + name) != Read(backup_ + name))
                ADD_FAILURE() << where << ", then restored: Fonts\\" << name
                              << " is not its backup";
        }
        headless::Reset();
    }

    std::vector<Version> versions_;
    std::string backup_;  // the working folder's backup folder, ending in "\\"
};

TEST_F(CutShortTest, NoVersionIsLostWhereverTwoRunsAndARestoreAreCut) {
    // The uncut sequence, with the working folder on C: and on D:: its calls, what it ends
    // with, and the call at which each version first stands, which is what a cut at a
    // later call has seen before it.
    ChildReport uncut[2];
    Tree uncutTree[2];
    for (bool secondVolume : {false, true}) {
        PutTheFilesInPlace(secondVolume);
        ChildReport& reference = uncut[secondVolume];
        reference = RunCut(1, secondVolume ? kUncutOnD : kUncut, {});
        ASSERT_EQ(reference.exitCode, 0);
        for (const std::string& problem : reference.problems) ADD_FAILURE() << "uncut: " << problem;
        ASSERT_EQ(reference.cells,
                  "删除成功|替换成功|替换成功|删除成功|添加成功|"
                  "删除成功|替换成功|替换成功|删除成功|添加失败|");
        uncutTree[secondVolume] = Snapshot();
    }
    const int calls = static_cast<int>(uncut[0].calls.size()) - 1;
    ASSERT_GT(calls, 200);
    ASSERT_EQ(uncut[1].calls.size(), uncut[0].calls.size());

    int cuts = 0, secondVolumeCuts = 0;
    for (int call = 1; call <= calls; ++call) {
        for (const Variant& variant : kVariants) {
            const ChildReport& reference = uncut[variant.secondVolume];
            if (!Applies(variant, reference.calls, call)) continue;
            for (const Losses& losses : LossesAt(variant, reference.calls[call])) {
                PutTheFilesInPlace(variant.secondVolume);
                ChildReport report = RunCut(call, variant, losses);
                ++cuts;
                secondVolumeCuts += variant.secondVolume;
                std::string where = "cut at call " + report.cutCall + ", " + variant.name;
                if (variant.secondVolume)
                    where += ", C: losing " + std::to_string(losses.onC) +
                             " and D: " + std::to_string(losses.onD) + " of their latest changes";
                ASSERT_TRUE(report.reached) << where;
                if (report.exitCode == standin::kRunawayExitCode)
                    ADD_FAILURE() << where << ": the program loops without end";
                bool killed = variant.mode == CutMode::Kill || variant.mode == CutMode::PowerCut;
                EXPECT_EQ(report.exitCode, killed ? standin::kCutExitCode : 0) << where;
                // Where metadata is lost, only what stood where nothing could undo it counts.
                const bool undoes = variant.secondVolume;
                std::vector<int> firstSeen = undoes ? report.firstLasting : report.firstSeen;
                const std::vector<int>& before =
                    undoes ? reference.firstLasting : reference.firstSeen;
                for (int v = 0; v < kVersions; ++v)
                    if (before[v] > 0 && before[v] <= call) firstSeen[v] = 1;
                CheckNothingLost(firstSeen, report, where);
                // A scanner only delays: every row and the restore end as without it.
                if (variant.scanner != Scan::None) {
                    EXPECT_EQ(report.cells, reference.cells) << where;
                    EXPECT_TRUE(Snapshot() == uncutTree[variant.secondVolume])
                        << where << ": the folders differ";
                }
                CheckRestartAndRestore(where);
                if (HasFailure()) return;
            }
        }
    }
    std::printf(
        "%d cut points, %d cuts in %d variants (%d of them power cuts with the backups on D:, "
        "each volume losing its latest changes), 0 versions lost\n",
        calls, cuts, kVariantCount, secondVolumeCuts);
}

// A font that another program removes while its backup is being made is missing, not a
// failed delete.
TEST_F(CutShortTest, AFontThatVanishesDuringItsBackupReadsMissing) {
    PutTheFilesInPlace(false);
    LoadMainWindow();
    TaskList::AppendTaskRow("a.ttf", "删除字体", "");
    standin::ObserveFileCalls([this](const standin::FileCall& now) {
        if (std::string(now.function) == "MoveFileExW" && NameOf(now.path) == "a.ttf")
            Remove(std::string(kFonts) + "a.ttf");
    });
    RunTasks();
    standin::ObserveFileCalls(nullptr);
    EXPECT_EQ(Result(0), "字体不存在");
    EXPECT_EQ(Read(backup_ + "a.ttf"), versions_[kA].bytes);
}

}  // namespace
