// A program on a fresh stand-in root: an empty fonts folder and working folder, a fresh
// fake font manager and headless windows, the two global lists created. Helpers act on
// the windows as a user would and put files in place by their Windows paths.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "fontfs/catalogue.h"
#include "app/form_tables.h"
#include "forms/main_form.h"
#include "forms/task_form.h"
#include "platform/standin/headless.h"
#include "platform/standin/standin.h"
#include "tasks/task_files.h"
#include "tasks/task_list.h"
#include "tests/support/ttf_writer.h"

class ProgramTest : public ::testing::Test {
  protected:
    const ui::Form& main_ = MainForm();
    const ui::Form& task_ = TaskForm();

    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        root_ =
            std::filesystem::temp_directory_path() / ("logic-" + std::to_string(::getpid()) + "-" +
                                                      info->test_suite_name() + "-" + info->name());
        std::filesystem::remove_all(root_);
        standin::UseTestRoot(root_.string());
        standin::ResetFontManager();
        standin::ReleaseHeldFiles();
        headless::Reset();
        CreateInstalledFontList();
        CreateTaskFileList();
    }
    void TearDown() override {
        headless::Reset();
        standin::ReleaseHeldFiles();
        ReleaseInstalledFontList();
        ReleaseTaskFileList();
        std::filesystem::remove_all(root_);
    }

    // Files, by Windows path.
    static void Write(const std::string& windowsPath, const std::vector<unsigned char>& bytes) {
        std::filesystem::create_directories(
            std::filesystem::path(standin::HostPath(windowsPath)).parent_path());
        ASSERT_TRUE(ttf::WriteBytes(standin::HostPath(windowsPath), bytes)) << windowsPath;
    }
    // A valid font whose family name is family; distinct families give distinct bytes.
    static void WriteFont(const std::string& windowsPath, const std::u16string& family) {
        Write(windowsPath, ttf::MakeFont(family));
    }
    static std::vector<unsigned char> Font(const std::u16string& family) {
        return ttf::MakeFont(family);
    }
    static std::vector<unsigned char> Read(const std::string& windowsPath) {
        std::vector<unsigned char> bytes;
        if (std::FILE* file = std::fopen(standin::HostPath(windowsPath).c_str(), "rb")) {
            unsigned char buffer[4096];
            while (std::size_t got = std::fread(buffer, 1, sizeof buffer, file))
                bytes.insert(bytes.end(), buffer, buffer + got);
            std::fclose(file);
        }
        return bytes;
    }
    static bool Exists(const std::string& windowsPath) {
        return std::filesystem::exists(standin::HostPath(windowsPath));
    }
    static void MakeFolder(const std::string& windowsPath) {
        std::filesystem::create_directories(standin::HostPath(windowsPath));
    }
    static void Remove(const std::string& windowsPath) {
        std::filesystem::remove_all(standin::HostPath(windowsPath));
    }
    // The names in a folder, sorted.
    static std::vector<std::string> Listing(const std::string& windowsFolder) {
        std::vector<std::string> names;
        std::error_code error;
        for (const auto& entry :
             std::filesystem::directory_iterator(standin::HostPath(windowsFolder), error)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    // The main window, loaded without a modal loop so the test acts between handlers.
    void LoadMainWindow() { ASSERT_TRUE(ui::LoadWindow(main_, false)); }

    // Opens the task window with 按钮_添加, does what actions does there, and lets the
    // user close it with the close box.
    void InTaskWindow(std::function<void()> actions) {
        headless::Script({std::move(actions)});
        ASSERT_TRUE(headless::Click(main_, forms::main_window::kAddTaskButton));
        ASSERT_FALSE(ui::IsLoaded(task_.className));
    }

    // Task-window actions; call them inside InTaskWindow.
    void BrowseAndAdd(const std::string& path) {
        EXPECT_TRUE(headless::Click(task_, forms::task_window::kAddPageRadio));
        headless::AnswerFileDialog(path);
        EXPECT_TRUE(headless::Click(task_, forms::task_window::kAddBrowseButton));
        EXPECT_TRUE(headless::Click(task_, forms::task_window::kAddOkButton));
    }
    void ChooseAndDelete(int item) {
        EXPECT_TRUE(headless::Click(task_, forms::task_window::kDeletePageRadio));
        EXPECT_TRUE(headless::ChooseItem(task_, forms::task_window::kDeleteFontChooser, item));
        EXPECT_TRUE(headless::Click(task_, forms::task_window::kDeleteOkButton));
    }
    void BrowseAndReplace(int item, const std::string& path) {
        EXPECT_TRUE(headless::Click(task_, forms::task_window::kReplacePageRadio));
        headless::AnswerFileDialog(path);
        EXPECT_TRUE(headless::Click(task_, forms::task_window::kReplaceBrowseButton));
        EXPECT_TRUE(headless::ChooseItem(task_, forms::task_window::kReplacedFontChooser, item));
        EXPECT_TRUE(headless::Click(task_, forms::task_window::kReplaceOkButton));
    }

    void RunTasks() { ASSERT_TRUE(headless::Click(main_, forms::main_window::kRunTasksButton)); }

    static std::vector<std::string> Row(int row) {
        std::vector<std::string> cells;
        for (int column = 0; column < 4; ++column) cells.push_back(TaskList::CellText(row, column));
        return cells;
    }
    static std::string Result(int row) { return TaskList::CellText(row, TaskList::kResultColumn); }

    std::filesystem::path root_;
};
