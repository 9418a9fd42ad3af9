// A run of every kind of task and a restore, cut short at each file call in turn: the
// process killed there, the power cut there, or the call failing (a full disk, a file
// taken by another program). Wherever it happens, no version of any font is lost, the
// backup folder holds only whole copies, a row reports success only for work that is
// done, and a restore afterwards brings every backup back.
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <iterator>
#include <regex>

#include "app/task_files.h"
#include "platform/files.h"
#include "tests/unit/app_program_fixture.h"

// The address sanitizer's own call, present only in a sanitized build.
extern "C" void __sanitizer_purge_allocator() __attribute__((weak));

namespace {

using forms::main_window::kRestoreButton;
using forms::main_window::kRunTasksButton;
using standin::CutMode;

constexpr const char* kFonts = "C:\\WINDOWS\\Fonts\\";
constexpr const char* kBackup = "C:\\work\\Backup\\";

struct Variant {
    CutMode mode;
    bool late;
    const char* name;
};
// Three modes; a kill and a power cut come early or late in the call in flight, and a
// failing copy leaves nothing (Windows), its partial destination (Wine), or the disk full.
constexpr Variant kVariants[] = {
    {CutMode::Kill, false, "killed"},
    {CutMode::Kill, true, "killed late in the call"},
    {CutMode::PowerCut, false, "power cut"},
    {CutMode::PowerCut, true, "power cut late in the call"},
    {CutMode::Fail, false, "the call fails"},
    {CutMode::Fail, true, "the call fails leaving its partial copy"},
    {CutMode::DiskFull, false, "the disk is full from the call on"},
};

// Every version of a font the sequence can produce: the originals, the backup already
// there, the replacements and the added font, each told apart by its bytes.
enum VersionId { kA, kB, kC, kR1, kR2, kN, kVersions };
struct Version {
    const char* label;
    std::vector<unsigned char> bytes;
};

struct QueuedRow {
    const char* font;
    const char* task;
    const char* replaceWith;
};
// A delete; a replace; a second replace of the same font (its older backup kept aside);
// a delete of a font whose identical backup is already there; an add.
constexpr QueuedRow kRows[] = {
    {"a.ttf", "删除字体", ""}, {"b.ttf", "替换字体", "r1.ttf"}, {"b.ttf", "替换字体", "r2.ttf"},
    {"c.ttf", "删除字体", ""}, {"n.ttf", "添加字体", ""},
};
constexpr int kRowCount = static_cast<int>(std::size(kRows));

bool EndsWithIgnoringCase(const std::string& text, const std::string& end) {
    if (text.size() < end.size()) return false;
    for (std::size_t i = 0; i < end.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[text.size() - end.size() + i])) != end[i])
            return false;
    }
    return true;
}

// Where a whole version counts as kept: a font of the fonts folder, or a backup under its
// name or kept aside as "<name>.N.bak".
bool IsFontName(const std::string& name) {
    return EndsWithIgnoringCase(name, ".ttf");
}
bool IsBackupName(const std::string& name) {
    static const std::regex kKept(".*\\.[0-9]+\\.bak", std::regex::icase);
    return IsFontName(name) || std::regex_match(name, kKept);
}

class CutShortTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        versions_ = {Version{"the original a.ttf", Font(u"Alpha")},
                     Version{"the original b.ttf", Font(u"Beta")},
                     Version{"the original c.ttf", Font(u"Gamma")},
                     Version{"the replacement r1.ttf", Font(u"First")},
                     Version{"the replacement r2.ttf", Font(u"Second")},
                     Version{"the added n.ttf", Font(u"New")}};
    }

    // The files before the run: a hidden system font, two plain ones, an identical
    // backup of one, and a read-only fragment that a cut-short backup left behind.
    void PutTheFilesInPlace() {
        std::filesystem::remove_all(root_);
        standin::UseTestRoot(root_.string());
        Write(std::string(kFonts) + "a.ttf", versions_[kA].bytes);
        ASSERT_TRUE(platform::SetFileAttributeBits(std::string(kFonts) + "a.ttf",
                                                   platform::kHidden | platform::kSystem));
        Write(std::string(kFonts) + "b.ttf", versions_[kB].bytes);
        Write(std::string(kFonts) + "c.ttf", versions_[kC].bytes);
        Write(std::string(kBackup) + "c.ttf", versions_[kC].bytes);
        Write(std::string(kBackup) + "b.ttf.tmp", std::vector<unsigned char>(40, 0x5A));
        ASSERT_TRUE(platform::SetFileAttributeBits(std::string(kBackup) + "b.ttf.tmp",
                                                   platform::kReadOnly));
        Write("C:\\new\\r1.ttf", versions_[kR1].bytes);
        Write("C:\\new\\r2.ttf", versions_[kR2].bytes);
        Write("C:\\new\\n.ttf", versions_[kN].bytes);
        standin::PlanCut({});
    }

    // What the child process reports, line by line, before it ends.
    struct ChildReport {
        int exitCode = -1;
        bool reached = false;
        std::string cutCall;  // the call the cut came at
        bool cutCallChanges = false;
        std::vector<bool> seen = std::vector<bool>(kVersions, false);
        std::vector<std::string> problems;
    };

    // Starts the program in a child process with the cut planned, queues the rows, runs
    // them and clicks the restore; the child reports through a pipe as it goes.
    ChildReport RunCut(int call, const Variant& variant) {
        std::fflush(nullptr);
        // Freed memory that the sanitizer holds back would be copied into every child.
        if (__sanitizer_purge_allocator) __sanitizer_purge_allocator();
        int channel[2];
        EXPECT_EQ(::pipe(channel), 0);
        pid_t child = ::fork();
        if (child == 0) {
            ::close(channel[0]);
            InChild(channel[1], call, variant);
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
            if (line.rfind("seen ", 0) == 0) {
                report.seen[std::stoi(line.substr(5))] = true;
            } else if (line.rfind("reached ", 0) == 0) {
                report.reached = true;
                report.cutCallChanges = line.rfind("reached changes ", 0) == 0;
                report.cutCall = line.substr(line.find(' ', 8) + 1);
            } else {
                report.problems.push_back(line);
            }
        }
        return report;
    }

    void InChild(int channel, int call, const Variant& variant) {
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

        // The calls are counted, and watched, from the click on the run.
        std::vector<bool> seen(kVersions, false);
        std::vector<std::string> shown(kRowCount);
        bool changed = true;
        standin::ObserveFileCalls([&](const standin::FileCall& now) {
            // The state before this call is the state after every call that returned.
            if (changed) {
                std::vector<bool> standing = VersionsStanding();
                for (int v = 0; v < kVersions; ++v)
                    if (standing[v] && !seen[v]) {
                        seen[v] = true;
                        say("seen " + std::to_string(v));
                    }
            }
            changed = now.changes;
            for (int row = 0; row < kRowCount; ++row) {
                std::string result = TaskList::CellText(row, TaskList::kResultColumn);
                if (result == shown[row]) continue;
                shown[row] = result;
                std::string problem = CheckSuccess(row, result, shown);
                if (!problem.empty()) say("row " + std::to_string(row) + " " + problem);
            }
            if (now.number == call)
                say("reached " + std::string(now.changes ? "changes " : "reads ") +
                    std::to_string(now.number) + " " + now.function + " " + now.path);
        });
        standin::PlanCut({variant.mode, call, variant.late, 3000});
        headless::Click(main_, kRunTasksButton);
        headless::Click(main_, kRestoreButton);
    }

    // Right after a row shows success, its work must be done: its backup whole under its
    // name, the font gone, the replacement or the added font whole in the fonts folder.
    std::string CheckSuccess(int row, const std::string& result,
                             const std::vector<std::string>& shown) {
        const QueuedRow& task = kRows[row];
        std::string font = std::string(kFonts) + task.font;
        std::string backup = std::string(kBackup) + task.font;
        // What the fonts folder held before the row: the second replace finds the first
        // one's replacement when that succeeded.
        const VersionId before[] = {kA, kB, shown[1] == "替换成功" ? kR1 : kB, kC, kN};
        if (result == "删除成功") {
            if (Exists(font)) return "shows 删除成功 but the font is still there";
            if (Read(backup) != versions_[before[row]].bytes)
                return "shows 删除成功 without a whole backup of " + std::string(task.font);
        } else if (result == "替换成功") {
            if (Read(backup) != versions_[before[row]].bytes)
                return "shows 替换成功 without a whole backup of " + std::string(task.font);
            VersionId replacement = row == 1 ? kR1 : kR2;
            if (Read(font) != versions_[replacement].bytes)
                return "shows 替换成功 without the whole replacement in place";
        } else if (result == "添加成功") {
            if (Read(font) != versions_[kN].bytes)
                return "shows 添加成功 without the whole font in the fonts folder";
        }
        return "";
    }

    // The versions that stand whole where they count: in the fonts folder under a font's
    // name, in the backup folder under a backup's or a kept copy's name.
    std::vector<bool> VersionsStanding() {
        std::vector<bool> standing(kVersions, false);
        for (const char* folder : {kFonts, kBackup}) {
            for (const std::string& name : Listing(folder)) {
                bool counts = folder == kFonts ? IsFontName(name) : IsBackupName(name);
                int v = counts ? VersionAt(std::string(folder) + name) : -1;
                if (v >= 0) standing[v] = true;
            }
        }
        return standing;
    }

    // The version a file holds whole, -1 for none. Only a file of a version's size is
    // read: a loop that leaves partial files behind makes many.
    int VersionAt(const std::string& path) {
        std::error_code error;
        auto size = std::filesystem::file_size(standin::HostPath(path), error);
        for (int v = 0; v < kVersions; ++v) {
            if (!error && versions_[v].bytes.size() == size && Read(path) == versions_[v].bytes)
                return v;
        }
        return -1;
    }

    // After the cut: every version that had stood is still whole somewhere it counts, and
    // every backup is a whole copy of a version.
    void CheckNothingLost(const ChildReport& report, const std::string& where) {
        std::vector<bool> standing = VersionsStanding();
        for (int v = 0; v < kVersions; ++v) {
            if (report.seen[v] && !standing[v])
                ADD_FAILURE() << where << ": " << versions_[v].label << " is lost";
        }
        for (const std::string& name : Listing(kBackup)) {
            if (IsBackupName(name) && VersionAt(std::string(kBackup) + name) < 0)
                ADD_FAILURE() << where << ": Backup\\" << name << " is not a whole copy";
        }
        for (const std::string& problem : report.problems)
            ADD_FAILURE() << where << ": " << problem;
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
        for (const std::string& name : Listing(kBackup)) {
            if (IsFontName(name) &&
                Read(std::string(kFonts) + name) != Read(std::string(kBackup) + name))
                ADD_FAILURE() << where << ", then restored: Fonts\\" << name
                              << " is not its backup";
        }
        headless::Reset();
    }

    std::vector<Version> versions_;
};

TEST_F(CutShortTest, NoVersionIsLostWhereverARunOrARestoreIsCut) {
    int cutPoints = 0;
    for (int call = 1;; ++call) {
        bool reached = false;
        bool changes = true;
        for (const Variant& variant : kVariants) {
            // A call that changes nothing has nothing in flight: late is the same as early.
            if (variant.late && !changes) continue;
            PutTheFilesInPlace();
            ChildReport report = RunCut(call, variant);
            reached = report.reached;
            changes = report.cutCallChanges;
            std::string where = "cut at call " + std::to_string(call) + " (" +
                                (reached ? report.cutCall : "none") + "), " + variant.name;
            if (report.exitCode == standin::kRunawayExitCode)
                ADD_FAILURE() << where << ": the program loops without end";
            bool killed = variant.mode == CutMode::Kill || variant.mode == CutMode::PowerCut;
            int expectedExit = killed && reached ? standin::kCutExitCode : 0;
            EXPECT_EQ(report.exitCode, expectedExit) << where;
            CheckNothingLost(report, where);
            // A run that went on past a failure removed every temporary file whose copy
            // failed: only a failing call on a temporary file itself may leave one.
            bool tempCall = EndsWithIgnoringCase(report.cutCall, ".tmp") &&
                            report.cutCall.find("CopyFileA") == std::string::npos;
            if (!killed && !tempCall) {
                for (const char* folder : {kFonts, kBackup})
                    for (const std::string& name : Listing(folder))
                        if (EndsWithIgnoringCase(name, ".tmp"))
                            ADD_FAILURE() << where << ": " << folder << name << " stays";
            }
            CheckRestartAndRestore(where);
            if (HasFailure()) return;
            if (!reached) break;  // past the sequence's last call: it ran uncut
        }
        if (!reached) break;
        cutPoints = call;
    }
    EXPECT_GT(cutPoints, 100);
    std::printf("%d cut points \xC3\x97 3 modes, 0 versions lost\n", cutPoints);
}

}  // namespace
