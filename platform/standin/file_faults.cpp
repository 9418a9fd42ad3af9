// The cut plan, the call count, and what a power cut can lose: the data no flush has
// put on the disk and each volume's uncommitted metadata changes.
#include "platform/standin/file_faults.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>
#include <vector>

#include "platform/standin/standin.h"

namespace standin {
namespace {

// A metadata change in a volume's log, with what undoing it needs.
struct Change {
    enum { Created, Renamed, Removed, Attributes } kind;
    std::string host = "";   // the file as the change left it (a rename's new name)
    std::string from = "";   // a rename's old name
    std::string aside = "";  // what a delete removed or a rename replaced, until committed
    mode_t mode = 0;         // an attribute change: the mode before it
};

struct Faults {
    CutPlan plan;
    FileCallObserver observer;
    int calls = 0;
    std::string root;
    int asides = 0;
    std::set<std::string> unflushed;           // host paths whose data is only in the cache
    std::map<char, std::vector<Change>> logs;  // by drive letter: uncommitted, oldest first
};

Faults& F() {
    static Faults faults;
    return faults;
}

char VolumeOf(const std::string& host) {
    const std::string& root = F().root;
    return host.size() > root.size() + 1 ? host[root.size() + 1] : '\0';
}

// A place outside every drive folder, where no path of the program leads; a process
// cut short leaves its own there.
std::string NewAside() {
    std::string folder = F().root + "/aside";
    ::mkdir(folder.c_str(), 0755);
    return folder + "/" + std::to_string(::getpid()) + "-" + std::to_string(++F().asides);
}

// The unflushed data goes with a file that moves.
void MoveData(const std::string& from, const std::string& to) {
    if (F().unflushed.erase(from) != 0) F().unflushed.insert(to);
}

void Log(Change change) {
    F().logs[VolumeOf(change.host)].push_back(std::move(change));
}

void Commit(char volume) {
    for (const Change& change : F().logs[volume]) {
        if (change.aside.empty()) continue;
        ::unlink(change.aside.c_str());
        F().unflushed.erase(change.aside);
    }
    F().logs[volume].clear();
}

void Undo(const Change& change) {
    switch (change.kind) {
        case Change::Created:
            ::unlink(change.host.c_str());
            F().unflushed.erase(change.host);
            break;
        case Change::Renamed:
            ::rename(change.host.c_str(), change.from.c_str());
            MoveData(change.host, change.from);
            if (!change.aside.empty()) {
                ::rename(change.aside.c_str(), change.host.c_str());
                MoveData(change.aside, change.host);
            }
            break;
        case Change::Removed:
            ::rename(change.aside.c_str(), change.host.c_str());
            MoveData(change.aside, change.host);
            break;
        case Change::Attributes:
            ::chmod(change.host.c_str(), change.mode);
            break;
    }
}

// A file whose data never reached the disk keeps its size and reads as zeros.
void LoseData(const std::string& host) {
    struct stat info;
    if (::stat(host.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return;
    ::chmod(host.c_str(), info.st_mode | S_IWUSR);
    int fd = ::open(host.c_str(), O_WRONLY);
    if (fd >= 0) {
        std::vector<char> zeros(static_cast<std::size_t>(info.st_size), '\0');
        ssize_t written = ::pwrite(fd, zeros.data(), zeros.size(), 0);
        static_cast<void>(written);
        ::close(fd);
    }
    ::chmod(host.c_str(), info.st_mode);
}

}  // namespace

void ObserveFileCalls(FileCallObserver observer) {
    F().observer = std::move(observer);
}

void PlanCut(const CutPlan& plan) {
    F().plan = plan;
    F().calls = 0;
    // What was done before the plan is on the disk.
    for (auto& [volume, log] : F().logs) Commit(volume);
    F().unflushed.clear();
}

int FileCallsMade() {
    return F().calls;
}

int ChangesLogged(char drive) {
    return static_cast<int>(F().logs[drive].size());
}

namespace faults {

Fate Enter(Kind kind, const char* function, const std::string& path, const std::string& source) {
    Faults& f = F();
    int number = ++f.calls;
    if (f.observer) f.observer(FileCall{number, function, path, source, kind != Kind::Read});
    const CutPlan& plan = f.plan;
    if (plan.callLimit > 0 && number > plan.callLimit) std::_Exit(kRunawayExitCode);
    if (plan.mode == CutMode::None) return Fate::Proceed;
    // A full disk stays full: every copy from the cut on fails.
    if (plan.mode == CutMode::DiskFull && kind == Kind::Copy && number > plan.atCall)
        return Fate::Fail;
    if (number != plan.atCall) return Fate::Proceed;
    switch (plan.mode) {
        case CutMode::Kill:
        case CutMode::PowerCut:
            return Fate::Cut;
        default:
            return Fate::Fail;
    }
}

bool CutLate() {
    return F().plan.late;
}

bool FailLeavesPartial() {
    const CutPlan& plan = F().plan;
    return plan.mode == CutMode::DiskFull || (plan.mode == CutMode::Fail && plan.late);
}

void EndHere() {
    if (F().plan.mode == CutMode::PowerCut) {
        for (auto& [volume, log] : F().logs) {
            auto lost = F().plan.changesLost.find(volume);
            std::size_t count = lost == F().plan.changesLost.end() ? 0 : lost->second;
            // The newest first, so that each change is undone on the files as it left them.
            for (std::size_t n = 0; n < std::min(count, log.size()); ++n)
                Undo(log[log.size() - 1 - n]);
        }
        for (const std::string& host : F().unflushed) LoseData(host);
    }
    std::_Exit(kCutExitCode);
}

void DataWritten(const std::string& host) {
    F().unflushed.insert(host);
}

void Flushed(const std::string& host) {
    F().unflushed.erase(host);
    Commit(VolumeOf(host));
}

void Created(const std::string& host) {
    Log({.kind = Change::Created, .host = host});
}

void AttributesChanging(const std::string& host) {
    struct stat info;
    if (::stat(host.c_str(), &info) == 0)
        Log({.kind = Change::Attributes, .host = host, .mode = info.st_mode});
}

bool Rename(const std::string& fromHost, const std::string& toHost) {
    Change change{.kind = Change::Renamed, .host = toHost, .from = fromHost};
    if (::access(toHost.c_str(), F_OK) == 0) {
        change.aside = NewAside();
        if (::link(toHost.c_str(), change.aside.c_str()) != 0) return false;
    }
    if (::rename(fromHost.c_str(), toHost.c_str()) != 0) {
        if (!change.aside.empty()) ::unlink(change.aside.c_str());
        return false;
    }
    if (!change.aside.empty()) MoveData(toHost, change.aside);
    MoveData(fromHost, toHost);
    Log(std::move(change));
    return true;
}

bool Remove(const std::string& host) {
    Change change{.kind = Change::Removed, .host = host, .aside = NewAside()};
    if (::rename(host.c_str(), change.aside.c_str()) != 0) return false;
    MoveData(host, change.aside);
    Log(std::move(change));
    return true;
}

void Reset(const std::string& root) {
    F() = Faults();
    F().root = root;
}

}  // namespace faults
}  // namespace standin
