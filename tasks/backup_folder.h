// The backup folder, relative to the working folder: flat, one file per font file name.
#pragma once

constexpr const char* kBackupFolder = ".\\Backup\\";
