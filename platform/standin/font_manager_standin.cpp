// A fake font manager: it accepts files that start with an sfnt or collection header,
// counts what it is asked to do, and answers face queries with the family names our own
// reader finds, laid out as LOGFONTW records.
#include <cstring>
#include <map>
#include <string>

#include "fontfs/sfnt_name.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/font_manager.h"
#include "platform/standin/standin.h"

namespace {

// LOGFONTW: 28 bytes of numeric fields, then a 32-unit face name.
constexpr std::size_t kLogFontSize = 92;
constexpr std::size_t kFaceNameOffset = 28;
constexpr std::size_t kFaceNameUnits = 32;
constexpr std::uint32_t kQueryLogFonts = 2;

std::map<std::string, int>& Registered() {
    static std::map<std::string, int> registered;  // host path -> registrations
    return registered;
}

}  // namespace

namespace standin {

FakeFontManager& FontManager() {
    static FakeFontManager manager;
    return manager;
}

int RegistrationsOf(const std::string& windowsPath) {
    auto found = Registered().find(HostPath(windowsPath));
    return found != Registered().end() ? found->second : 0;
}

bool IsLoadedFontFile(const std::string& hostPath) {
    return Registered().count(hostPath) != 0;
}

void ResetFontManager() {
    FontManager() = FakeFontManager();
    Registered().clear();
}

}  // namespace standin

namespace platform {

int RegisterFontFile(const std::string& path) {
    standin::FakeFontManager& manager = standin::FontManager();
    ++manager.registrations;
    if (manager.failRegistration) return 0;
    int faces = static_cast<int>(CountSfntFaces(FileSfntSource(path)));
    if (faces == 0) return 0;
    ++Registered()[standin::HostPath(path)];
    ++manager.live;
    return faces;
}

bool UnregisterFontFile(const std::string& path) {
    standin::FakeFontManager& manager = standin::FontManager();
    ++manager.unregistrations;
    auto found = Registered().find(standin::HostPath(path));
    if (found == Registered().end()) return false;
    if (--found->second == 0) Registered().erase(found);
    --manager.live;
    return true;
}

bool QueryFontResourceInfo(const char16_t* widePath, std::uint32_t* byteCount, void* buffer,
                           std::uint32_t type, bool* available) {
    standin::FakeFontManager& manager = standin::FontManager();
    ++manager.queries;
    *available = !manager.queryMissing;
    if (manager.queryMissing || manager.queryFails || type != kQueryLogFonts || !buffer)
        return false;
    int size = WideToMultiByte936(widePath, -1, nullptr, 0, 0);
    if (size <= 0) return false;
    std::string path(static_cast<std::size_t>(size), '\0');
    WideToMultiByte936(widePath, -1, path.data(), size, 0);
    path.resize(std::strlen(path.c_str()));
    SfntSource source = FileSfntSource(path);
    unsigned faces = CountSfntFaces(source);
    if (faces == 0) return false;
    // The first call (count 0) learns the size; the next one gets as many records as fit.
    if (*byteCount == 0) {
        *byteCount = static_cast<std::uint32_t>(faces * kLogFontSize);
        return true;
    }
    auto* out = static_cast<unsigned char*>(buffer);
    std::size_t fit = *byteCount / kLogFontSize;
    for (unsigned face = 0; face < faces && face < fit; ++face) {
        unsigned char* record = out + face * kLogFontSize;
        std::memset(record, 0, kLogFontSize);
        std::u16string name = ReadSfntFamilyName(source, UserDefaultUiLanguage(), face);
        name.resize(std::min(name.size(), kFaceNameUnits - 1));
        std::memcpy(record + kFaceNameOffset, name.data(), name.size() * sizeof(char16_t));
    }
    return true;
}

void BroadcastFontChange() {
    ++standin::FontManager().broadcasts;
}

}  // namespace platform
