// The shared cases' world on the stand-ins: a fresh stand-in root and a fresh headless
// model per case; files are put in place through the root's host paths, and the user
// acts through the headless model's test interface.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "contract/contract_world.h"
#include "platform/process.h"
#include "platform/standin/headless.h"
#include "platform/standin/standin.h"

namespace contract {
namespace {

std::filesystem::path Root() {
    return std::filesystem::temp_directory_path() / ("contract-" + std::to_string(::getpid()));
}

}  // namespace

CaseScope::CaseScope() {
    std::filesystem::remove_all(Root());
    standin::UseTestRoot(Root().string());
    MakeFolder(CaseFolder());
    headless::Reset();
}

CaseScope::~CaseScope() {
    headless::Reset();
    // The code under test closes every directory search it opens.
    EXPECT_EQ(standin::OpenSearches(), 0);
    standin::ReleaseHeldFiles();
    std::filesystem::remove_all(Root());
}

std::string CaseFolder() {
    return "C:\\case";
}

bool Write(const std::string& path, const std::string& bytes) {
    std::FILE* file = std::fopen(standin::HostPath(path).c_str(), "wb");
    if (file == nullptr) return false;
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

bool WriteUnnamable(const std::string& folder) {
    return Write(folder + "\\\xFF\xFF.ttf", "x");  // 0xFF is no 936 byte
}

std::string Read(const std::string& path) {
    std::FILE* file = std::fopen(standin::HostPath(path).c_str(), "rb");
    if (file == nullptr) return "<missing>";
    std::string bytes;
    char buffer[4096];
    while (std::size_t got = std::fread(buffer, 1, sizeof buffer, file)) bytes.append(buffer, got);
    std::fclose(file);
    return bytes;
}

bool Exists(const std::string& path) {
    return std::filesystem::exists(standin::HostPath(path));
}

bool MakeFolder(const std::string& path) {
    return std::filesystem::create_directory(standin::HostPath(path));
}

bool HoldOpen(const std::string& path, bool allowReaders) {
    if (!Exists(path)) return false;
    standin::HoldFile(path, allowReaders);
    return true;
}

void LetGoOfFiles() {
    standin::ReleaseHeldFiles();
}

bool Click(const ui::Form& form, const char* name) {
    return headless::Click(form, name);
}

bool ClickRow(const ui::Form& form, const char* list, int row) {
    return headless::ClickList(form, list, row);
}

void SelectRowWithKeyboard(const ui::Form& form, const char* list, int row) {
    headless::SelectRowWithKeyboard(form, list, row);
}

void PressEscape(const ui::Form& form) {
    headless::PressEscape(form);
}

void PressCloseBox(const ui::Form& form) {
    headless::PressCloseBox(form);
}

void LetEventsRun() {
    platform::ProcessPendingEvents();
}

void InModalLoops(std::vector<Step> steps) {
    headless::Script(std::move(steps));
}

std::size_t StepsLeft() {
    return headless::StepsLeft();
}

void AnswerNextFileDialog(const std::string& path) {
    if (path.empty())
        headless::CancelFileDialog();
    else
        headless::AnswerFileDialog(path);
}

Seen See(const ui::Form& form, const char* name) {
    headless::ControlState state = headless::State(form, name);
    Seen seen;
    seen.exists = state.exists;
    seen.shown = state.shown;
    seen.enabled = !state.disabled;
    seen.checked = state.checked;
    seen.text = state.caption;
    seen.width = state.width;
    seen.height = state.height;
    return seen;
}

SeenWindow SeeWindow(const ui::Form& form) {
    SeenWindow seen;
    seen.exists = ui::IsLoaded(form.className);
    seen.enabled = headless::WindowEnabled(form);
    seen.front = headless::FrontWindow() == &form;
    seen.title = headless::WindowTitle(form);
    seen.width = headless::WindowWidth(form);
    seen.height = headless::WindowHeight(form);
    return seen;
}

}  // namespace contract
