// Test controls of the native stand-ins. The stand-in maps the Windows paths the
// program uses onto a host test root:
//   "X:\..."  -> <root>/X/...   (so "C:\WINDOWS\Fonts\" is <root>/C/WINDOWS/Fonts/)
//   relative  -> resolved against the current folder, initially "C:\work" (so
//               ".\Backup\" is <root>/C/work/Backup/); SetCurrentFolder changes it.
// "\" separates (never a trail byte of a double-byte character), trailing spaces at the
// end of a path are dropped as the Windows file calls do, and "*"/"?" match ignoring case.
// Read-only, hidden and system attributes are kept in the host files' mode bits and act
// as on Windows: a copy takes its source's, and neither a copy over a read-only or hidden
// file, a rename over a read-only one, nor the deletion of a read-only file is allowed.
#pragma once

#include <functional>
#include <map>
#include <string>

namespace standin {

// Creates <root>/C/WINDOWS/Fonts and <root>/C/work (both empty); the current folder is C:\work.
// Also forgets held files and open handles, and resets the fake font manager.
void UseTestRoot(const std::string& hostRoot);
// The host path a Windows path names.
std::string HostPath(const std::string& windowsPath);

// A fake font manager. By default it accepts a file whose first bytes are an sfnt or
// collection header and reports one font per face; face queries answer with the family
// name read from the file.
struct FakeFontManager {
    bool failRegistration = false;  // RegisterFontFile returns 0
    bool queryMissing = false;      // GetFontResourceInfoW is absent
    bool queryFails = false;        // GetFontResourceInfoW returns FALSE
    int registrations = 0;
    int unregistrations = 0;
    int broadcasts = 0;
    int queries = 0;
    int live = 0;  // registered and not yet unregistered
};
FakeFontManager& FontManager();
// The registrations the fake font manager holds for a file, counted as Windows counts
// them: each accepted registration adds one, also for a file already registered, and
// each unregistration takes one away.
int RegistrationsOf(const std::string& windowsPath);

// Simulates another process holding a file open for good, as Windows holds a font it has
// loaded: an exclusive open, a delete, a rename, an overwrite and a flush of it are
// refused with a sharing violation, a rename over it with "access denied"; reads and
// copies from it still work when allowRead is true.
void HoldFile(const std::string& windowsPath, bool allowRead);
void ReleaseHeldFiles();
// A virus scanner: from now on, every file the program writes (a copy, or a flush) is held
// for holdMilliseconds of the stand-in's clock, which moves only when the program pauses:
// its delete, rename, overwrite and exclusive open are refused meanwhile as for a held
// file, and the hold goes with the file when it is renamed. The scanner holds one file at
// a time, in the order they were written; a file waiting its turn is free. It refuses the
// rename of a file it holds as refusal says. 0 stops the scanner.
enum class ScannerRefusal { SharingViolation, AccessDenied };
void RunScanner(unsigned holdMilliseconds,
                ScannerRefusal refusal = ScannerRefusal::SharingViolation);
// Whether the fake font manager has the file (by host path) registered: Windows holds a
// loaded font file as HoldFile(path, true) holds it, until its last registration goes.
bool IsLoadedFontFile(const std::string& hostPath);
// A fresh fake font manager (flags and counters cleared, nothing registered).
void ResetFontManager();

// What can end or break the program's file calls. Every file call through the stand-in
// is numbered from 1, counting from UseTestRoot or PlanCut; an observer sees each one as
// it starts, before it acts.
struct FileCall {
    int number = 0;
    const char* function = "";  // the Windows call it stands for
    std::string path;
    std::string source;    // a copy's source, a rename's old name
    bool changes = false;  // it may change the file system (copy, rename, delete, ...)
};
using FileCallObserver = std::function<void(const FileCall&)>;
void ObserveFileCalls(FileCallObserver observer);

enum class CutMode {
    None,
    // The process is ended at the call: calls that returned stay done; a copy in flight
    // leaves what it had written; a rename, delete, attribute change or flush in flight is
    // done or not, as late says.
    Kill,
    // A kill, and the power goes: besides, the data written to each file since its last
    // flush is lost (the file keeps its size and reads as zeros), and each volume loses
    // the latest of the metadata changes (creations, renames, deletes, attribute changes)
    // that it has logged since a flush of any of its files, as many as changesLost says.
    PowerCut,
    // The call fails and the program goes on. A failing copy leaves half its destination
    // behind when late is set (as Wine's does), none otherwise (as Windows').
    Fail,
    // The disk fills up at the call: it fails, and so does every later copy, each leaving
    // half its destination behind.
    DiskFull,
};
struct CutPlan {
    CutMode mode = CutMode::None;
    int atCall = 0;
    // Kill and power cut: the call in flight got further (a rename, delete, attribute
    // change or flush done; a copy half written, else an empty destination).
    bool late = false;
    // More calls than this means a loop that does not end: the process is ended with
    // kRunawayExitCode. 0: no limit.
    int callLimit = 0;
    // Power cut: how many of its latest uncommitted metadata changes each volume loses, by
    // drive letter ('C'); a volume loses none unless named, and never more than it has.
    std::map<char, int> changesLost = {};
};
// A kill or power cut ends the process with kCutExitCode: plan one only in a child
// process (fork) that the test waits for.
constexpr int kCutExitCode = 86;
constexpr int kRunawayExitCode = 87;
// Numbers the calls from here on; what was done before is on the disk.
void PlanCut(const CutPlan& plan);
int FileCallsMade();
// The metadata changes the volume has logged since its last flush: what a power cut can
// lose of it.
int ChangesLogged(char drive);

// Directory searches opened and not yet closed, for checking that every search is closed.
int OpenSearches();
// Makes SystemFontsFolder fail (SHGetSpecialFolderPathW returning FALSE) until reset.
void SetSystemFontsFolderAvailable(bool available);

}  // namespace standin
