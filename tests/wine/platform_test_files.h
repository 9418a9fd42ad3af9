// Small file helpers for the Windows-side platform tests, straight on the Win32 W calls
// with the paths read as code page 936, so that they do not depend on the code under
// test and name the same files whatever the system's code page.
#pragma once

#include <windows.h>

#include <string>

namespace testfiles {

inline std::wstring Wide(const std::string& path) {
    std::wstring wide(path.size() + 1, L'\0');
    int units =
        MultiByteToWideChar(936, 0, path.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
    wide.resize(units > 0 ? static_cast<std::size_t>(units) - 1 : 0);
    return wide;
}

inline bool Write(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

// The whole file, or "<missing>" when it cannot be opened.
inline std::string Read(const std::string& path) {
    HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<missing>";
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

inline bool Exists(const std::string& path) {
    return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline bool MakeFolder(const std::string& path) {
    return CreateDirectoryW(Wide(path).c_str(), nullptr) != 0;
}

}  // namespace testfiles
