// The task window's name and the names of its controls, as its form table gives them.
// The logic and the tests name the window and its controls only through these, so a
// misspelt name does not compile.
#pragma once

namespace forms::task_window {

// The window's name: its form's class name.
inline constexpr const char* kWindow = "QiruFont";

// The heights a page gives the page container, its frame and the window, in 96-DPI
// pixels: the add and delete pages are short, the replace page has a second row. The form
// table is laid out for the replace page; the window opens with the short one.
struct PageHeights {
    int pages;
    int frame;
    int window;
};
inline constexpr PageHeights kShortPage = {110, 130, 220};
inline constexpr PageHeights kReplacePage = {145, 168, 260};

// The upper frame with the three page radio buttons.
inline constexpr const char* kPageChoiceFrame = "分组框1";
inline constexpr const char* kAddPageRadio = "单选框1";
inline constexpr const char* kDeletePageRadio = "单选框2";
inline constexpr const char* kReplacePageRadio = "单选框3";

// The lower frame and the page container inside it.
inline constexpr const char* kPageFrame = "分组框2";
inline constexpr const char* kPages = "选择夹1";

// The font files the add and replace pages take: the file dialog's filter, a label and
// its patterns. A file dropped on a window is taken when it matches a pattern.
inline constexpr const char* kFontFileFilter =
    "字体文件(*.otf;*.ttf;*.otc;*.ttc)|*.otf;*.ttf;*.otc;*.ttc";

// Page 0: add.
inline constexpr const char* kAddPathLabel = "标签1";
inline constexpr const char* kAddPathBox = "编辑框_添加";
inline constexpr const char* kAddBrowseButton = "按钮_添加浏览";
inline constexpr const char* kAddOkButton = "按钮_添加确定";
inline constexpr const char* kAddCancelButton = "按钮_添加取消";
inline constexpr const char* kFileDialog = "通用对话框";

// Page 1: delete.
inline constexpr const char* kDeleteFontLabel = "标签2";
inline constexpr const char* kDeleteFontChooser = "组合框_删除";
inline constexpr const char* kDeleteOkButton = "按钮_删除确定";
inline constexpr const char* kDeleteCancelButton = "按钮_删除取消";

// Page 2: replace.
inline constexpr const char* kReplacementPathLabel = "标签3";
inline constexpr const char* kReplacementPathBox = "编辑框_替换";
inline constexpr const char* kReplaceBrowseButton = "按钮_替换浏览";
inline constexpr const char* kReplacedFontLabel = "标签4";
inline constexpr const char* kReplacedFontChooser = "组合框_替换";
inline constexpr const char* kReplaceOkButton = "按钮_替换确定";
inline constexpr const char* kReplaceCancelButton = "按钮_替换取消";

}  // namespace forms::task_window
