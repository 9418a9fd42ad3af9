// The user's interface language, which picks a face name's language. The code page 936
// conversions declared beside it are in text_936.cpp, the program's one conversion.
#include "platform/codepage.h"

#include <windows.h>

namespace platform {

unsigned short UserDefaultUiLanguage() {
    return GetUserDefaultUILanguage();
}

}  // namespace platform
