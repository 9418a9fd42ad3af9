// The stand-in file system's model of what can end or break a file call: each call is
// numbered and shown to an observer, and a planned cut at one of them ends the process
// there (killed, or a power cut that also loses the data no flush has put on the disk),
// or makes the call fail. Only the stand-in's file calls use this header.
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
// Ends the process at the cut; a power cut first loses every file's unflushed data.
[[noreturn]] void EndHere();

// What the power cut needs to know, by host path.
void DataWritten(const std::string& host);
void DataFlushed(const std::string& host);
void FileRenamed(const std::string& fromHost, const std::string& toHost);
void FileRemoved(const std::string& host);

// Forgets the plan, the observer, the count and the unflushed files.
void Reset();

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
