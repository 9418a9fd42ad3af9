// The cut plan, the call count and the record of unflushed files.
#include "platform/standin/file_faults.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <set>
#include <vector>

#include "platform/standin/standin.h"

namespace standin {
namespace {

struct Faults {
    CutPlan plan;
    FileCallObserver observer;
    int calls = 0;
    std::set<std::string> unflushed;  // host paths whose data is only in the cache
};

Faults& F() {
    static Faults faults;
    return faults;
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
}

int FileCallsMade() {
    return F().calls;
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
        for (const std::string& host : F().unflushed) LoseData(host);
    }
    std::_Exit(kCutExitCode);
}

void DataWritten(const std::string& host) {
    F().unflushed.insert(host);
}

void DataFlushed(const std::string& host) {
    F().unflushed.erase(host);
}

void FileRenamed(const std::string& fromHost, const std::string& toHost) {
    bool dirty = F().unflushed.erase(fromHost) != 0;
    F().unflushed.erase(toHost);
    if (dirty) F().unflushed.insert(toHost);
}

void FileRemoved(const std::string& host) {
    F().unflushed.erase(host);
}

void Reset() {
    F() = Faults();
}

}  // namespace faults
}  // namespace standin
