// Walks a folder for files that match a wildcard pattern.
#pragma once

#include <string>

using FileCallback = void (*)(const std::string& path);

// Lets pending window events run once, then calls callback with folder + name for every
// non-directory entry matching pattern ("*.*" when patternGiven is false), then enters
// subfolders whose path has fewer "\"-separated parts than depthLimit (all of them when
// limitGiven is false). A missing or unreadable folder yields no callback.
void WalkFolder(std::string folder, FileCallback callback, const std::string& pattern,
                bool patternGiven, int depthLimit, bool limitGiven);
