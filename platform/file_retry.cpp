// The file calls that can be refused for a moment, tried again until the refusal ends.
// On Windows a virus scanner or the search indexer opens a file right after it has been
// written and holds it for tens to hundreds of milliseconds without sharing delete
// access: a rename, a delete or an overwrite of it is refused meanwhile with a sharing
// violation, a rename over it with "access denied", and scanners often refuse the rename
// of the file itself with "access denied" too. Such a refusal is tried again after a
// pause that doubles each time, within a bound on the whole call: 2 s when every file the
// call may have to wait for is one this program wrote (as other programs that write files
// on Windows do), 1 s otherwise, so that a font that Windows holds for good (loaded) costs
// a row about a second, not the longer bound. "Access denied" counts as a moment's refusal
// only when every such file is one this program wrote: on a font owned by TrustedInstaller
// it is a lack of rights that no wait mends, and it fails at once. A rename of the
// program's own file over a font it did not write waits for the file renamed alone,
// unless the font itself refuses for good (read-only, or held as Windows holds a loaded
// font); then it fails at once. A refusal that outlasts the bound fails as a call tried
// once does.
#include <algorithm>
#include <set>
#include <string>

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/files_once.h"

namespace platform {
namespace {

using once::Failure;

constexpr unsigned kOwnFilesBoundMs = 2000;
constexpr unsigned kOtherFilesBoundMs = 1000;
constexpr unsigned kFirstPauseMs = 10;
constexpr unsigned kLongestPauseMs = 250;

// The files this program wrote (a copy's destination, a rename's new name), by path
// without trailing spaces, which the file calls drop. The program names a file the same
// way each time it uses it, so the spelling need not be folded.
std::set<std::string>& Written() {
    static std::set<std::string> written;
    return written;
}

void NoteWritten(const std::string& path) {
    Written().insert(WithoutTrailingSpaces(path));
}

bool IsOwn(const std::string& path) {
    return Written().count(WithoutTrailingSpaces(path)) != 0;
}

// Whether a rename's target refuses for good to be replaced: read-only, or held by another
// program that shares no delete access, as Windows holds a loaded font (a probe that opens
// it for deletion, sharing everything, is refused). A scanner holds a file this program
// wrote the same way for a moment, so such a file refuses only when read-only.
bool RefusesReplacement(const std::string& target) {
    unsigned attributes = 0;
    if (!FileAttributeBits(target, &attributes)) return false;  // nothing there to refuse
    if ((attributes & kReadOnly) != 0) return true;
    return !IsOwn(target) && once::OpenForDeletion(target) != Failure::None;
}

// Runs call until it succeeds, fails for a reason a wait does not mend, or the bound on
// the whole call is spent; its last failure is the result. own, asked after a first
// failure, tells whether every file the call may have to wait for is one this program
// wrote: then a scanner may be what refuses, even with "access denied", and the longer
// bound applies.
template <typename Own, typename Call>
Failure Retrying(const Own& own, const Call& call) {
    Failure failure = call();
    if (failure == Failure::None) return failure;
    const bool mine = own();
    const unsigned bound = mine ? kOwnFilesBoundMs : kOtherFilesBoundMs;
    const unsigned long long start = Milliseconds();
    unsigned pause = kFirstPauseMs;
    for (;;) {
        bool momentary = failure == Failure::Sharing || (failure == Failure::AccessDenied && mine);
        unsigned long long spent = Milliseconds() - start;
        if (!momentary || spent >= bound) return failure;
        Pause(static_cast<unsigned>(std::min<unsigned long long>(pause, bound - spent)));
        pause = std::min(pause * 2, kLongestPauseMs);
        failure = call();
        if (failure == Failure::None) return failure;
    }
}

}  // namespace

void once::ForgetWrittenFiles() {
    Written().clear();
}

bool CopyOneFile(const std::string& source, const std::string& destination, bool failIfExists) {
    Failure failure =
        Retrying([&] { return IsOwn(source) && (failIfExists || IsOwn(destination)); },
                 [&] { return once::CopyOneFile(source, destination, failIfExists); });
    if (failure != Failure::None) return false;
    NoteWritten(destination);
    return true;
}

bool RemoveFile(const std::string& path) {
    return Retrying([&] { return IsOwn(path); }, [&] { return once::RemoveFile(path); }) ==
           Failure::None;
}

bool FlushToDisk(const std::string& path) {
    return Retrying([&] { return IsOwn(path); }, [&] { return once::FlushToDisk(path); }) ==
           Failure::None;
}

bool RenameFile(const std::string& from, const std::string& to, bool replaceExisting) {
    Failure failure =
        Retrying([&] { return IsOwn(from) && (!replaceExisting || !RefusesReplacement(to)); },
                 [&] { return once::RenameFile(from, to, replaceExisting); });
    if (failure != Failure::None) return false;
    NoteWritten(to);
    return true;
}

FileHandle OpenExclusive(const std::string& path) {
    FileHandle file = nullptr;
    Retrying([&] { return IsOwn(path); }, [&] { return once::OpenExclusive(path, &file); });
    return file;
}

}  // namespace platform
