// The stand-in file system's model of what can end or break a file call: each call is
// numbered and shown to an observer, and a planned cut at one of them ends the process
// there (killed, or a power cut that also loses what no flush has put on the disk), or
// makes the call fail. Only the stand-in's file calls use this header.
#pragma once

#include <string>

namespace standin::faults {

enum class Kind { Read, Change, Copy };
enum class Fate { Proceed, Fail, Cut };

// Numbers the call, shows it to the observer and tells what happens to it under the plan.
Fate Enter(Kind kind, const char* function, const std::string& path,
           const std::string& source = std::string());
// Whether the call in flight got further when the cut came: a rename, delete, attribute
// change or flush was done; a copy had written half its bytes (else none of them).
bool CutLate();
// Whether a copy that fails leaves its partial destination behind (half the bytes), as
// Wine's does; Windows deletes it.
bool FailLeavesPartial();
// Ends the process at the cut; a power cut first loses what never reached the disk.
[[noreturn]] void EndHere();

// What a power cut can lose, by host path. A file's data reaches the disk when the file
// is flushed. NTFS logs each volume's metadata changes (creations, renames, deletes,
// attribute changes) in order and writes the log lazily: a flush of any file commits
// what its volume has logged so far, and a power cut loses a latest part of each
// volume's uncommitted changes, each volume on its own.
void DataWritten(const std::string& host);
void Flushed(const std::string& host);
// After a copy made a file that was not there.
void Created(const std::string& host);
// Before the attributes of an existing file change.
void AttributesChanging(const std::string& host);
// A rename and a delete, done here on the host files so that what they replace or remove
// is kept aside until its volume commits them. False when the host call failed.
bool Rename(const std::string& fromHost, const std::string& toHost);
bool Remove(const std::string& host);

// Forgets the plan, the observer, the count and everything a power cut could lose; the
// volumes are the drive folders under root.
void Reset(const std::string& root);

// Runs a call's work under its fate: a failing call does nothing and gives the failure
// (an empty result); a cut call ends the process, before the work or, when the cut came
// late, after it.
template <typename Work>
auto Act(Fate fate, Work work) -> decltype(work()) {
    if (fate == Fate::Fail) return {};
    if (fate == Fate::Cut && !CutLate()) EndHere();
    auto result = work();
    if (fate == Fate::Cut) EndHere();
    return result;
}

}  // namespace standin::faults
