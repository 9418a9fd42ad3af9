// Reading what the program's windows show: control geometry, texts and states, and the
// list view's columns and cells through memory lent in the program's process.
#include "e2e/driver/driver.h"
#include "e2e/driver/internal.h"

namespace e2e {
namespace {

// A block of memory in the process that owns a window, for messages whose arguments
// are pointers the other process has to follow.
class RemoteBlock {
  public:
    RemoteBlock(HWND owner, std::size_t size) : size_(size) {
        DWORD pid = 0;
        GetWindowThreadProcessId(owner, &pid);
        process_ = OpenProcess(
            PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION,
            FALSE, pid);
        if (process_ != nullptr)
            address_ = static_cast<char*>(
                VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    }
    ~RemoteBlock() {
        if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        if (process_ != nullptr) CloseHandle(process_);
    }
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;

    bool Ok() const { return address_ != nullptr; }
    char* At(std::size_t offset) const { return address_ + offset; }
    bool Write(std::size_t offset, const void* data, std::size_t length) const {
        return offset + length <= size_ &&
               WriteProcessMemory(process_, address_ + offset, data, length, nullptr);
    }
    bool Read(std::size_t offset, void* data, std::size_t length) const {
        return offset + length <= size_ &&
               ReadProcessMemory(process_, address_ + offset, data, length, nullptr);
    }

  private:
    HANDLE process_ = nullptr;
    char* address_ = nullptr;
    std::size_t size_;
};

constexpr std::size_t kTextChars = 8192;

std::string RemoteText(const RemoteBlock& block, std::size_t offset) {
    std::wstring text(kTextChars, L'\0');
    if (!block.Read(offset, text.data(), kTextChars * sizeof(wchar_t))) return {};
    text.resize(wcsnlen(text.c_str(), kTextChars));
    return Bytes(text);
}

}  // namespace

std::string WindowCaption(HWND window) {
    LRESULT length = Send(window, WM_GETTEXTLENGTH, 0, 0);
    if (length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    LRESULT got = Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return Bytes(text);
}

ControlInfo Inspect(HWND control) {
    ControlInfo info;
    if (!IsWindow(control)) return info;
    info.className = ClassNameOf(control);
    RECT frame;
    GetWindowRect(control, &frame);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&frame), 2);
    info.left = frame.left;
    info.top = frame.top;
    info.width = frame.right - frame.left;
    info.height = frame.bottom - frame.top;
    info.text = WindowCaption(control);
    info.enabled = IsWindowEnabled(control) != FALSE;
    info.visible = IsWindowVisible(control) != FALSE;
    info.style = GetWindowLongPtrW(control, GWL_STYLE);
    info.exStyle = GetWindowLongPtrW(control, GWL_EXSTYLE);
    return info;
}

SIZE OuterSize(HWND window) {
    RECT frame = {};
    GetWindowRect(window, &frame);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

HWND ChildAt(HWND parent, const char* className, int left, int top) {
    for (HWND child : Children(parent)) {
        ControlInfo info = Inspect(child);
        if (ClassIs(child, className) && info.left == left && info.top == top) return child;
    }
    return nullptr;
}

namespace {
struct TextSearch {
    const char* className;
    std::string text;
    HWND found;
};

BOOL CALLBACK MatchText(HWND hwnd, LPARAM data) {
    auto* search = reinterpret_cast<TextSearch*>(data);
    if (!ClassIs(hwnd, search->className) || WindowCaption(hwnd) != search->text) return TRUE;
    search->found = hwnd;
    return FALSE;
}
}  // namespace

HWND FindByText(HWND parent, const char* className, const std::string& text) {
    TextSearch search = {className, text, nullptr};
    EnumChildWindows(parent, MatchText, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<ListColumn> ListColumns(HWND list) {
    std::vector<ListColumn> columns;
    auto header = reinterpret_cast<HWND>(Send(list, LVM_GETHEADER, 0, 0));
    LRESULT count = header != nullptr ? Send(header, HDM_GETITEMCOUNT, 0, 0) : 0;
    RemoteBlock block(list, sizeof(LVCOLUMNW) + kTextChars * sizeof(wchar_t));
    if (!block.Ok()) return columns;
    for (LRESULT i = 0; i < count; ++i) {
        LVCOLUMNW column = {};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
        column.pszText = reinterpret_cast<LPWSTR>(block.At(sizeof(LVCOLUMNW)));
        column.cchTextMax = static_cast<int>(kTextChars);
        block.Write(0, &column, sizeof column);
        wchar_t nothing = L'\0';
        block.Write(sizeof(LVCOLUMNW), &nothing, sizeof nothing);
        if (Send(list, LVM_GETCOLUMNW, static_cast<WPARAM>(i),
                 reinterpret_cast<LPARAM>(block.At(0))) <= 0)
            break;
        block.Read(0, &column, sizeof column);
        columns.push_back(
            {RemoteText(block, sizeof(LVCOLUMNW)), column.cx, column.fmt & LVCFMT_JUSTIFYMASK});
    }
    return columns;
}

int ListRowCount(HWND list) {
    return static_cast<int>(Send(list, LVM_GETITEMCOUNT, 0, 0));
}

int ListSelectedRow(HWND list) {
    return static_cast<int>(Send(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

int ListTopRow(HWND list) {
    return static_cast<int>(Send(list, LVM_GETTOPINDEX, 0, 0));
}

int ListRowsPerPage(HWND list) {
    return static_cast<int>(Send(list, LVM_GETCOUNTPERPAGE, 0, 0));
}

std::string ListCell(HWND list, int row, int column) {
    RemoteBlock block(list, sizeof(LVITEMW) + kTextChars * sizeof(wchar_t));
    if (!block.Ok()) return {};
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = reinterpret_cast<LPWSTR>(block.At(sizeof(LVITEMW)));
    item.cchTextMax = static_cast<int>(kTextChars);
    block.Write(0, &item, sizeof item);
    wchar_t nothing = L'\0';
    block.Write(sizeof(LVITEMW), &nothing, sizeof nothing);
    Send(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(block.At(0)));
    return RemoteText(block, sizeof(LVITEMW));
}

bool ListRowRect(HWND list, int row, RECT* rect) {
    RemoteBlock block(list, sizeof(RECT));
    RECT request = {LVIR_BOUNDS, 0, 0, 0};
    if (!block.Ok() || !block.Write(0, &request, sizeof request)) return false;
    if (Send(list, LVM_GETITEMRECT, static_cast<WPARAM>(row),
             reinterpret_cast<LPARAM>(block.At(0))) <= 0)
        return false;
    return block.Read(0, rect, sizeof *rect);
}

std::vector<std::string> ComboItems(HWND combo) {
    std::vector<std::string> items;
    LRESULT count = Send(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        LRESULT length = Send(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
        std::wstring text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
        LRESULT got = Send(combo, CB_GETLBTEXT, static_cast<WPARAM>(i),
                           reinterpret_cast<LPARAM>(text.data()));
        text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
        items.push_back(Bytes(text));
    }
    return items;
}

LRESULT Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    constexpr UINT kSendTimeoutMs = 2000;
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(hwnd, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                             &result))
        return -1;
    return static_cast<LRESULT>(result);
}

}  // namespace e2e
