// A fresh stand-in root per test: an empty fonts folder, an empty working folder, a fresh
// fake font manager, and helpers to put files in place by their Windows paths.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "fontfs/catalogue.h"
#include "platform/standin/standin.h"

class FontfsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        root_ =
            std::filesystem::temp_directory_path() / ("fontfs-" + std::to_string(::getpid()) + "-" +
                                                      info->test_suite_name() + "-" + info->name());
        std::filesystem::remove_all(root_);
        standin::UseTestRoot(root_.string());
        standin::ResetFontManager();
        CreateInstalledFontList();
    }
    void TearDown() override {
        ReleaseInstalledFontList();
        EXPECT_EQ(standin::OpenSearches(), 0);
        std::filesystem::remove_all(root_);
    }

    static void Write(const std::string& windowsPath, const std::vector<unsigned char>& bytes) {
        std::FILE* file = std::fopen(standin::HostPath(windowsPath).c_str(), "wb");
        ASSERT_NE(file, nullptr) << windowsPath;
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    static void Write(const std::string& windowsPath, const std::string& text) {
        Write(windowsPath, std::vector<unsigned char>(text.begin(), text.end()));
    }
    static void MakeFolder(const std::string& windowsPath) {
        std::filesystem::create_directories(standin::HostPath(windowsPath));
    }
    static std::string Read(const std::string& windowsPath) {
        std::string text;
        if (std::FILE* file = std::fopen(standin::HostPath(windowsPath).c_str(), "rb")) {
            char buffer[4096];
            while (std::size_t got = std::fread(buffer, 1, sizeof buffer, file))
                text.append(buffer, got);
            std::fclose(file);
        }
        return text;
    }
    static bool Exists(const std::string& windowsPath) {
        return std::filesystem::exists(standin::HostPath(windowsPath));
    }

    std::filesystem::path root_;
};
