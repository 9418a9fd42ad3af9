// Measures the installed-font catalogue scan on one folder of "*.ttf" files, against the
// floor of listing the folder and reading each file's name table with no font manager,
// and measures the font manager's round trip per file on its own. Prints figures only.
// Where the font manager cannot name faces (Wine), the scan stops asking it after the
// first file, so the round trip figure shows what the scan costs where it answers.
//
//   catalogue_bench <folder>
#include "fontfs/catalogue.h"
#include "fontfs/face_name.h"
#include "fontfs/sfnt_name.h"
#include "fontfs/walk_folder.h"
#include "platform/files.h"
#include "platform/font_manager.h"

#include <windows.h>

#include "bench/stopwatch.h"
#include <psapi.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Memory {
    double workingSetMb = 0;
    double peakWorkingSetMb = 0;
};

Memory ProcessMemory() {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    Memory memory;
    if (K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) {
        memory.workingSetMb = counters.WorkingSetSize / 1048576.0;
        memory.peakWorkingSetMb = counters.PeakWorkingSetSize / 1048576.0;
    }
    return memory;
}

std::vector<std::string> ListTtfFiles(const std::string& folder) {
    std::vector<std::string> paths;
    platform::DirEntry entry;
    platform::SearchHandle search = platform::FindFirstEntry(folder + "*.ttf", &entry);
    if (!search) return paths;
    do {
        if (!entry.isDirectory) paths.push_back(folder + entry.name);
    } while (platform::FindNextEntry(search, &entry));
    platform::CloseSearch(search);
    return paths;
}

// The least a face-name reader has to do: the same name-table reader the catalogue falls
// back to, which reads only the headers, the table directory and the name table.
std::string FloorFaceName(const std::string& path, unsigned language) {
    return platform::FaceNameIn936(ReadSfntFamilyName(FileSfntSource(path), language));
}

// The same reader over one handle held open for the whole file, to show what the
// catalogue's ranged reads, each opening the file anew, cost on top.
// Counts the reads the name-table reader makes, to tell how many opens the catalogue's
// source makes per file (one more, for the size).
std::size_t readerReads = 0;

std::string OneOpenFaceName(const std::string& path, unsigned language) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    LARGE_INTEGER size;
    SfntSource source;
    if (GetFileSizeEx(file, &size)) source.size = static_cast<std::uint64_t>(size.QuadPart);
    source.read = [file](std::uint64_t offset, std::size_t count,
                         std::vector<unsigned char>* bytes) {
        LARGE_INTEGER position;
        position.QuadPart = static_cast<LONGLONG>(offset);
        ++readerReads;
        bytes->resize(count);
        DWORD got = 0;
        return SetFilePointerEx(file, position, nullptr, FILE_BEGIN) &&
               ReadFile(file, bytes->data(), static_cast<DWORD>(count), &got, nullptr) &&
               got == count;
    };
    std::string name = platform::FaceNameIn936(ReadSfntFamilyName(source, language));
    CloseHandle(file);
    return name;
}

struct RoundTrip {
    int accepted = 0;  // registrations that added at least one font
    int answered = 0;  // face queries that named the face
    bool available = false;
};

// What the catalogue asks of the font manager per file, without reading any name.
RoundTrip FontManagerRoundTrips(const std::vector<std::string>& paths) {
    RoundTrip result;
    for (const std::string& path : paths) {
        if (platform::RegisterFontFile(path) > 0) ++result.accepted;
        if (!platform::FirstFaceName(path, &result.available).empty()) ++result.answered;
        platform::UnregisterFontFile(path);
    }
    return result;
}

void PrintTiming(const char* what, double ms, std::size_t files) {
    std::printf("  %-44s %10.1f ms  %8.1f us/font\n", what, ms,
                files ? ms * 1000.0 / static_cast<double>(files) : 0.0);
}

void PrintMemory(const char* when) {
    Memory memory = ProcessMemory();
    std::printf("  working set %-31s %8.1f MB (peak %.1f MB)\n", when, memory.workingSetMb,
                memory.peakWorkingSetMb);
}

// The machine is shared, so each figure is the best of a few runs.
constexpr int kRuns = 3;

template <typename Body>
double BestOfRuns(Body body) {
    double best = 0;
    for (int run = 0; run < kRuns; ++run) {
        long long start = Now();
        body();
        double ms = MillisecondsSince(start);
        if (run == 0 || ms < best) best = ms;
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: catalogue_bench <folder>\n");
        return 2;
    }
    std::string folder = argv[1];
    if (folder.back() != '\\') folder += '\\';
    const unsigned language = platform::UserDefaultUiLanguage();

    PrintMemory("at start");
    std::vector<std::string> paths = ListTtfFiles(folder);
    const std::size_t files = paths.size();
    std::printf("folder %s: %zu .ttf files; best of %d runs\n", folder.c_str(), files, kRuns);
    if (files == 0) return 1;
    for (const std::string& path : paths) FloorFaceName(path, language);  // warm the cache

    std::size_t floorNamed = 0;
    const double floorMs = BestOfRuns([&] {
        floorNamed = 0;
        for (const std::string& path : ListTtfFiles(folder))
            if (!FloorFaceName(path, language).empty()) ++floorNamed;
    });
    PrintTiming("floor (list + name tables, no font manager)", floorMs, files);
    std::printf("    %zu of %zu files named\n", floorNamed, files);
    PrintMemory("after the floor");

    const double oneOpenMs = BestOfRuns([&] {
        for (const std::string& path : ListTtfFiles(folder)) OneOpenFaceName(path, language);
    });
    PrintTiming("floor with one open per file", oneOpenMs, files);
    std::printf("    the reader makes %.1f reads per file\n",
                static_cast<double>(readerReads) / static_cast<double>(kRuns * files));

    // Each run starts like the program does: an empty list, the font manager asked first.
    const double scanMs = BestOfRuns([&] {
        CreateInstalledFontList();
        WalkFolder(folder, AddInstalledFont, "*.ttf", true, 0, true);
    });
    std::size_t scanNamed = 0;
    for (const InstalledFont& font : InstalledFontList())
        if (!font.faceName.empty()) ++scanNamed;
    PrintTiming("catalogue scan (WalkFolder + AddInstalledFont)", scanMs, files);
    std::printf("    %zu records, %zu with a face name; first: %s = %s\n",
                InstalledFontList().size(), scanNamed,
                InstalledFontList().empty() ? "-" : InstalledFontList()[0].fileName.c_str(),
                InstalledFontList().empty() ? "-" : InstalledFontList()[0].faceName.c_str());
    PrintMemory("after the scan");
    std::printf("  ratio scan / floor: %.2f (scan / one-open floor: %.2f)\n",
                floorMs > 0 ? scanMs / floorMs : 0.0, oneOpenMs > 0 ? scanMs / oneOpenMs : 0.0);
    ReleaseInstalledFontList();

    RoundTrip trips;
    const double tripMs = BestOfRuns([&] { trips = FontManagerRoundTrips(paths); });
    PrintTiming("font manager round trip (add, 2 queries, remove)", tripMs, files);
    std::printf("    %d registrations accepted; GetFontResourceInfoW %s, %d of %zu files named\n",
                trips.accepted, trips.available ? "present" : "missing", trips.answered, files);
    // Where the manager names faces, the scan makes this round trip for every file.
    std::printf("  round trip / scan: %.2f; round trip / floor: %.2f\n",
                scanMs > 0 ? tripMs / scanMs : 0.0, floorMs > 0 ? tripMs / floorMs : 0.0);
    PrintMemory("at the end");
    return 0;
}
