// Code page 936 conversions through glibc iconv, with the results of MultiByteToWideChar
// and WideCharToMultiByte: a length of -1 takes the NUL along, a capacity of 0 asks for
// the size, a capacity too small fails with 0, and what cannot be converted becomes "?".
#include <iconv.h>

#include <cstring>
#include <string>

#include "platform/codepage.h"

namespace {

// Converts one character (1 or 2 bytes, or 1 or 2 UTF-16 units) with a cached iconv
// descriptor; false when iconv rejects it.
bool ConvertOne(iconv_t cd, const char* in, std::size_t inSize, std::string* out) {
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    char buffer[8];
    char* inPtr = const_cast<char*>(in);
    char* outPtr = buffer;
    std::size_t outLeft = sizeof buffer;
    ::iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (::iconv(cd, &inPtr, &inSize, &outPtr, &outLeft) == static_cast<std::size_t>(-1) ||
        inSize != 0) {
        return false;
    }
    out->assign(buffer, outPtr);
    return true;
}

iconv_t ToWide() {
    static iconv_t cd = ::iconv_open("UTF-16LE", "CP936");
    return cd;
}

iconv_t FromWide() {
    static iconv_t cd = ::iconv_open("CP936", "UTF-16LE");
    return cd;
}

// Hands the converted units to out while it has room; the count is returned either way.
int Deliver(const std::u16string& units, char16_t* out, int capacity) {
    int needed = static_cast<int>(units.size());
    if (capacity == 0) return needed;
    if (needed > capacity) return 0;
    std::memcpy(out, units.data(), units.size() * sizeof(char16_t));
    return needed;
}

}  // namespace

namespace platform {

int MultiByteToWide936(const char* text, int length, char16_t* out, int capacity) {
    if (!text || length == 0 || length < -1 || capacity < 0) return 0;
    std::size_t size = length == -1 ? std::strlen(text) + 1 : static_cast<std::size_t>(length);
    std::u16string units;
    for (std::size_t i = 0; i < size;) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            units += static_cast<char16_t>(c);
            ++i;
            continue;
        }
        std::string wide;
        std::size_t step = 1;
        if (IsLeadByte936(c) && i + 1 < size &&
            IsTrailByte936(static_cast<unsigned char>(text[i + 1])))
            step = 2;
        if (ConvertOne(ToWide(), text + i, step, &wide) && wide.size() == 2) {
            units += static_cast<char16_t>(static_cast<unsigned char>(wide[0]) |
                                           static_cast<unsigned char>(wide[1]) << 8);
        } else {
            units += u'?';
        }
        i += step;
    }
    return Deliver(units, out, capacity);
}

int WideToMultiByte936(const char16_t* units, int length, char* out, int capacity,
                       unsigned /*flags: WC_COMPOSITECHECK changes nothing for 936*/) {
    if (!units || length == 0 || length < -1 || capacity < 0) return 0;
    std::size_t size = 0;
    if (length == -1) {
        while (units[size] != 0) ++size;
        ++size;
    } else {
        size = static_cast<std::size_t>(length);
    }
    std::string bytes;
    for (std::size_t i = 0; i < size; ++i) {
        char16_t u = units[i];
        if (u < 0x80) {
            bytes += static_cast<char>(u);
            continue;
        }
        if (u >= 0xD800 && u <= 0xDFFF) {
            // Code page 936 has no characters outside the BMP; a pair becomes one "?".
            if (u <= 0xDBFF && i + 1 < size && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF)
                ++i;
            bytes += '?';
            continue;
        }
        char in[2] = {static_cast<char>(u & 0xFF), static_cast<char>(u >> 8)};
        std::string narrow;
        bytes += ConvertOne(FromWide(), in, 2, &narrow) ? narrow : std::string("?");
    }
    int needed = static_cast<int>(bytes.size());
    if (capacity == 0) return needed;
    if (needed > capacity) return 0;
    std::memcpy(out, bytes.data(), bytes.size());
    return needed;
}

unsigned short UserDefaultUiLanguage() {
    return 0x0804;
}

}  // namespace platform
