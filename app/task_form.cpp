// The task window (QiruFont): three page radio buttons in the upper frame, and in the
// lower frame a header-less page container whose pages compose an add, a delete or a
// replace task. The form's layout is the replace layout; the created handler shrinks the
// window to the short pages' height and the radio handlers set each page's heights.
#include "app/form_tables.h"
#include "forms/task_form.h"
#include "tasks/dropped_files.h"
#include "tasks/task_window.h"

namespace {

using ui::Kind;
using namespace forms::task_window;

constexpr const char* kPageNames[] = {"添加", "删除", "替换"};

constexpr ui::FileDialogSpec kFontDialog = {
    .title = "选择字体文件",
    .filter = kFontFileFilter,
    .filterIndex = 0,
    .initialFolder = ".\\",
    .fileMustExist = true,
    .pathMustExist = true,
    .hideReadOnly = true,
    .overwritePrompt = true,
    .keepWorkingFolder = false,
};

constexpr ui::ControlSpec Radio(const char* name, int left, const char* caption, bool checked,
                                ui::Handler onClick) {
    return {.kind = Kind::RadioBox,
            .name = name,
            .parent = kPageChoiceFrame,
            .page = -1,
            .left = left,
            .top = 18,
            .width = 56,
            .height = 16,
            .caption = caption,
            .visible = true,
            .checked = checked,
            .onClick = onClick};
}

constexpr ui::ControlSpec OnPage(Kind kind, const char* name, int page, int left, int top,
                                 int width, int height, const char* caption,
                                 ui::Handler onClick = nullptr) {
    return {.kind = kind,
            .name = name,
            .parent = kPages,
            .page = page,
            .left = left,
            .top = top,
            .width = width,
            .height = height,
            .caption = caption,
            .visible = true,
            .onClick = onClick};
}

constexpr ui::ControlSpec PathBox(const char* name, int page) {
    ui::ControlSpec box = OnPage(Kind::EditBox, name, page, 12, 34, 368, 24, "");
    box.readOnly = true;
    return box;
}

constexpr ui::ControlSpec FontChooser(const char* name, int page, int top) {
    ui::ControlSpec combo = OnPage(Kind::ComboBox, name, page, 12, top, 418, 20, "");
    combo.dropHeight = 160;
    return combo;
}

constexpr ui::ControlSpec FileDialog() {
    ui::ControlSpec dialog = OnPage(Kind::CommonDlg, kFileDialog, 0, 0, 0, 0, 0, "");
    dialog.visible = false;
    dialog.dialog = &kFontDialog;
    return dialog;
}

// The table keeps one control per row group; clang-format would put a field per line.
// clang-format off
const ui::ControlSpec kControls[] = {
    {.kind = Kind::GroupBox, .name = kPageChoiceFrame, .page = -1, .left = 0, .top = 0,
     .width = 448, .height = 48, .caption = "", .visible = true},
    Radio(kAddPageRadio, 13, "添加", true, ShowAddPage),
    Radio(kDeletePageRadio, 105, "删除", false, ShowDeletePage),
    Radio(kReplacePageRadio, 197, "替换", false, ShowReplacePage),
    {.kind = Kind::GroupBox, .name = kPageFrame, .page = -1, .left = 0, .top = 56,
     .width = 448, .height = kReplacePage.frame, .caption = "添加字体", .visible = true,
     .textColor = {255, 0, 0}, .hasTextColor = true, .captionAlign = ui::Align::Centre},
    {.kind = Kind::Tab, .name = kPages, .parent = kPageFrame, .page = -1, .left = 2,
     .top = 15, .width = 444, .height = kReplacePage.pages, .caption = "", .visible = true,
     .pageNames = kPageNames, .pageCount = 3},
    // Page 0: add.
    OnPage(Kind::Label, kAddPathLabel, 0, 13, 16, 128, 16, "要安装的新字体文件："),
    PathBox(kAddPathBox, 0),
    OnPage(Kind::Button, kAddBrowseButton, 0, 386, 33, 52, 24, "浏览", BrowseAddFile),
    OnPage(Kind::Button, kAddOkButton, 0, 222, 73, 104, 32, "确 定", QueueAddTask),
    OnPage(Kind::Button, kAddCancelButton, 0, 334, 73, 104, 32, "取 消", CloseTaskWindow),
    FileDialog(),
    // Page 1: delete.
    OnPage(Kind::Label, kDeleteFontLabel, 1, 13, 16, 128, 16, "要删除的字体文件名："),
    FontChooser(kDeleteFontChooser, 1, 34),
    OnPage(Kind::Button, kDeleteOkButton, 1, 222, 73, 104, 32, "确 定", QueueDeleteTask),
    OnPage(Kind::Button, kDeleteCancelButton, 1, 334, 73, 104, 32, "取 消", CloseTaskWindow),
    // Page 2: replace.
    OnPage(Kind::Label, kReplacementPathLabel, 2, 13, 16, 128, 16, "要替换的新字体文件："),
    PathBox(kReplacementPathBox, 2),
    OnPage(Kind::Button, kReplaceBrowseButton, 2, 386, 33, 52, 24, "浏览", BrowseReplaceFile),
    OnPage(Kind::Label, kReplacedFontLabel, 2, 13, 64, 128, 16, "要替换的原字体文件："),
    FontChooser(kReplacedFontChooser, 2, 83),
    OnPage(Kind::Button, kReplaceOkButton, 2, 222, 112, 104, 32, "确 定", QueueReplaceTask),
    OnPage(Kind::Button, kReplaceCancelButton, 2, 334, 112, 104, 32, "取 消", CloseTaskWindow),
};
// clang-format on

const ui::Form kTaskForm = {
    .className = kWindow,
    .title = "添加\\删除\\替换字体",
    .width = 457,
    .height = kReplacePage.window,
    .centred = true,
    .border = ui::BorderStyle::FixedSingle,
    .controlBox = true,
    .minimizeButton = false,
    .maximizeButton = false,
    .showInTaskbar = false,
    .alwaysOnTop = true,
    .escapeCloses = true,
    .onCreated = TaskWindowCreated,
    .onDestroyed = nullptr,
    .onFilesDropped = TakeDroppedFont,
    .controls = kControls,
    .controlCount = sizeof kControls / sizeof kControls[0],
};

}  // namespace

const ui::Form& TaskForm() {
    return kTaskForm;
}
