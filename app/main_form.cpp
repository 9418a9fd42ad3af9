// The main window (QiroFont): the task list, the status label, the banner and the four
// command buttons, in creation order. A control created earlier lies above later ones.
#include "app/form_tables.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "forms/main_form.h"
#include "tasks/dropped_files.h"
#include "tasks/restore.h"
#include "tasks/run_tasks.h"
#include "tasks/task_window.h"

namespace {

using ui::Align;
using ui::Kind;
using namespace forms::main_window;

constexpr ui::ColumnSpec kTaskColumns[] = {
    {"字体", 180, Align::Left},
    {"任务", 100, Align::Centre},
    {"替换为", 180, Align::Left},
    {"执行结果", 80, Align::Centre},
};

constexpr ui::BannerSpec kBanner = {{0x1E, 0x50, 0xC8}, {0xFF, 0xFF, 0xFF}, "系统字体管理"};

constexpr ui::FontSpec kGb2312(int height, int weight) {
    return {height, weight, 134};
}

// The table keeps one control per row group; clang-format would put a field per line.
// clang-format off
const ui::ControlSpec kControls[] = {
    {.kind = Kind::TransLabel, .name = kStatusLabel, .parent = nullptr, .page = -1,
     .left = 8, .top = 192, .width = 576, .height = 56, .caption = "正在还原字体",
     .visible = false, .font = kGb2312(20, 700), .textColor = {255, 0, 0},
     .hasTextColor = true},
    {.kind = Kind::Button, .name = kRunTasksButton, .page = -1, .left = 448, .top = 392,
     .width = 128, .height = 32, .caption = "执行任务", .visible = true, .onClick = RunTaskList},
    {.kind = Kind::Button, .name = kRestoreButton, .page = -1, .left = 280, .top = 392,
     .width = 128, .height = 32, .caption = "还原", .visible = true, .onClick = RestoreBackups},
    {.kind = Kind::Button, .name = kDeleteTaskButton, .page = -1, .left = 144, .top = 392,
     .width = 128, .height = 32, .caption = "删除任务", .visible = true, .disabled = true,
     .onClick = RemoveSelectedTask},
    {.kind = Kind::Button, .name = kAddTaskButton, .page = -1, .left = 8, .top = 392,
     .width = 128, .height = 32, .caption = "添加任务", .visible = true,
     .onClick = OpenTaskWindow},
    {.kind = Kind::PicBox, .name = kBannerPicture, .page = -1, .left = -1, .top = -1, .width = 600,
     .height = 70, .caption = "", .visible = true, .banner = &kBanner},
    {.kind = Kind::ListView, .name = kTaskList, .page = -1, .left = 9, .top = 85,
     .width = 576, .height = 296, .caption = "", .visible = true,
     .onClick = UpdateDeleteButton, .font = kGb2312(14, 400), .textColor = {0, 0, 0},
     .hasTextColor = true, .columns = kTaskColumns, .columnCount = 4},
};
// clang-format on

// The creation order puts the buttons right to left; Tab follows the layout instead.
constexpr const char* kTabOrder[] = {kAddTaskButton, kDeleteTaskButton, kRestoreButton,
                                     kRunTasksButton, kTaskList};

const ui::Form kMainForm = {
    .className = kWindow,
    .title = "",
    .width = 600,
    .height = 460,
    .centred = true,
    .border = ui::BorderStyle::FixedSingle,
    .controlBox = true,
    .minimizeButton = true,
    .maximizeButton = false,
    .showInTaskbar = true,
    .alwaysOnTop = true,
    .escapeCloses = false,
    .onCreated = MainWindowCreated,
    .onDestroyed = MainWindowDestroyed,
    .onFilesDropped = QueueDroppedFonts,
    .controls = kControls,
    .controlCount = sizeof kControls / sizeof kControls[0],
    .tabOrder = kTabOrder,
    .tabOrderCount = sizeof kTabOrder / sizeof kTabOrder[0],
};

}  // namespace

const ui::Form& MainForm() {
    return kMainForm;
}
