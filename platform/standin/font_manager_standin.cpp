// A fake font manager: it accepts files that start with an sfnt or collection header,
// counts what it is asked to do, and names a file's first face with the family name our
// own reader finds, converted to code page 936 as the Win32 layer converts face names.
#include <iconv.h>

#include <map>
#include <string>
#include <vector>

#include "fontfs/sfnt_name.h"
#include "platform/files.h"
#include "platform/font_manager.h"
#include "platform/standin/standin.h"

namespace {

std::map<std::string, int>& Registered() {
    static std::map<std::string, int> registered;  // host path -> registrations
    return registered;
}

// The whole file, read through the file calls as the font manager opens it: sharing
// everything, so only a file held without sharing reads stays closed to it.
std::vector<unsigned char> FileBytes(const std::string& path) {
    std::vector<unsigned char> bytes;
    platform::ReadHandle file = platform::OpenForReading(path);
    unsigned long long size = 0;
    if (platform::SizeOfOpenFile(file, &size))
        platform::ReadAt(file, 0, static_cast<std::size_t>(size), &bytes);
    platform::CloseForReading(file);
    return bytes;
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
    std::vector<unsigned char> bytes = FileBytes(path);
    int faces = static_cast<int>(CountSfntFaces(MemorySfntSource(bytes.data(), bytes.size())));
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

std::string FirstFaceName(const std::string& path, bool* available) {
    standin::FakeFontManager& manager = standin::FontManager();
    ++manager.queries;
    *available = !manager.queryMissing;
    if (manager.queryMissing || manager.queryFails) return "";
    std::vector<unsigned char> bytes = FileBytes(path);
    SfntSource source = MemorySfntSource(bytes.data(), bytes.size());
    if (CountSfntFaces(source) == 0) return "";
    return FaceNameIn936(ReadSfntFamilyName(source, UserDefaultUiLanguage()));
}

// As WideCharToMultiByte with code page 936 gives it: a character that 936 lacks becomes
// "?", and so does each unit of a surrogate pair (936 has nothing outside the BMP).
std::string FaceNameIn936(std::u16string_view name) {
    static iconv_t toGbk = ::iconv_open("CP936", "UTF-16LE");
    std::string text;
    std::u16string_view units = FaceNameUnits(name);
    for (std::size_t i = 0; i < units.size(); ++i) {
        char16_t unit = units[i];
        if (unit >= 0xD800 && unit <= 0xDFFF) {
            text += '?';
            continue;
        }
        char in[2] = {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
        char out[4];
        char* inPtr = in;
        char* outPtr = out;
        std::size_t inLeft = sizeof in, outLeft = sizeof out;
        ::iconv(toGbk, nullptr, nullptr, nullptr, nullptr);
        bool converted =
            toGbk != reinterpret_cast<iconv_t>(-1) &&
            ::iconv(toGbk, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1);
        text += converted ? std::string(out, outPtr) : std::string("?");
    }
    return text;
}

// The stand-in system is a Chinese one.
unsigned short UserDefaultUiLanguage() {
    return 0x0804;
}

void BroadcastFontChange() {
    ++standin::FontManager().broadcasts;
}

}  // namespace platform
