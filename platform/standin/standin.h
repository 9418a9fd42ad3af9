// Test controls of the native stand-ins. The stand-in maps the Windows paths the
// program uses onto a host test root:
//   "X:\..."  -> <root>/X/...   (so "C:\WINDOWS\Fonts\" is <root>/C/WINDOWS/Fonts/)
//   relative  -> resolved against the current folder, initially "C:\work" (so
//               ".\Backup\" is <root>/C/work/Backup/); SetCurrentFolder changes it.
// "\" separates (never a trail byte of a double-byte character), trailing spaces at the
// end of a path are dropped as the Windows file calls do, and "*"/"?" match ignoring case.
// Read-only, hidden and system attributes are kept beside the files and act as on
// Windows: a copy takes its source's, and neither a copy over a read-only or hidden file
// nor the deletion of a read-only file is allowed.
#pragma once

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

// Simulates another process holding a file open: OpenExclusive and RemoveFile fail for
// it; reads and copies from it still work when allowRead is true.
void HoldFile(const std::string& windowsPath, bool allowRead);
void ReleaseHeldFiles();
// A fresh fake font manager (flags and counters cleared, nothing registered).
void ResetFontManager();

// Directory searches opened and not yet closed, for checking that every search is closed.
int OpenSearches();
// Makes SystemFontsFolder fail (SHGetSpecialFolderPathA returning FALSE) until reset.
void SetSystemFontsFolderAvailable(bool available);

}  // namespace standin
