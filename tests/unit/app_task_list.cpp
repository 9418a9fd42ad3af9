// The task list and the delete button that follows the list's selection.
#include "tests/unit/app_program_fixture.h"

namespace {

using namespace forms::main_window;

class TaskListTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        LoadMainWindow();
    }
    bool DeleteDisabled() { return headless::State(main_, kDeleteTaskButton).disabled; }
};

TEST_F(TaskListTest, RowsKeepTheirOrderWithTheirCellsInTheirColumns) {
    TaskList::AppendTaskRow("b.ttf", "删除字体", "");
    TaskList::AppendTaskRow("a.ttf", "替换字体", "x.ttf");
    TaskList::SetResult(0, "删除成功");
    EXPECT_EQ(Row(0), (std::vector<std::string>{"b.ttf", "删除字体", "", "删除成功"}));
    EXPECT_EQ(Row(1), (std::vector<std::string>{"a.ttf", "替换字体", "x.ttf", ""}));
}

TEST_F(TaskListTest, TheDeleteButtonIsEnabledExactlyWhenAClickLeftARowSelected) {
    EXPECT_TRUE(DeleteDisabled());
    EXPECT_FALSE(headless::Click(main_, kDeleteTaskButton));
    EXPECT_TRUE(headless::ClickList(main_, kTaskList, -1));
    EXPECT_TRUE(DeleteDisabled());

    TaskList::AppendTaskRow("a.ttf", "删除字体", "");
    TaskList::AppendTaskRow("b.ttf", "删除字体", "");
    TaskList::AppendTaskRow("c.ttf", "删除字体", "");
    // A keyboard selection fires nothing.
    EXPECT_TRUE(headless::SelectRowWithKeyboard(main_, kTaskList, 1));
    EXPECT_TRUE(DeleteDisabled());
    EXPECT_TRUE(headless::ClickList(main_, kTaskList, 1));
    EXPECT_FALSE(DeleteDisabled());
    EXPECT_TRUE(headless::ClickList(main_, kTaskList, 5));  // empty space below the rows
    EXPECT_TRUE(DeleteDisabled());

    EXPECT_TRUE(headless::ClickList(main_, kTaskList, 1));
    EXPECT_TRUE(headless::Click(main_, kDeleteTaskButton));
    EXPECT_EQ(TaskList::RowCount(), 2);
    EXPECT_EQ(TaskList::CellText(0, 0), "a.ttf");
    EXPECT_EQ(TaskList::CellText(1, 0), "c.ttf");
    EXPECT_TRUE(DeleteDisabled());
}

TEST_F(TaskListTest, RemovingARowLeavesItsFileRecorded) {
    WriteFont("C:\\new\\n.ttf", u"New");
    InTaskWindow([this] { BrowseAndAdd("C:\\new\\n.ttf"); });
    ASSERT_TRUE(headless::ClickList(main_, kTaskList, 0));
    ASSERT_TRUE(headless::Click(main_, kDeleteTaskButton));
    EXPECT_EQ(TaskList::RowCount(), 0);
    ASSERT_EQ(TaskFileList().size(), 1u);
    // ...so the same name still counts as queued.
    InTaskWindow([this] { BrowseAndAdd("C:\\new\\n.ttf"); });
    EXPECT_EQ(TaskList::RowCount(), 0);
}

TEST_F(TaskListTest, ARunLeavesTheDeleteButtonDisabledUntilTheNextClick) {
    TaskList::AppendTaskRow("a.ttf", "未知", "");
    ASSERT_TRUE(headless::ClickList(main_, kTaskList, 0));
    ASSERT_FALSE(DeleteDisabled());
    RunTasks();
    EXPECT_EQ(TaskList::SelectedRow(), 0);
    EXPECT_TRUE(DeleteDisabled());
    ASSERT_TRUE(headless::ClickList(main_, kTaskList, 0));
    EXPECT_FALSE(DeleteDisabled());
}

}  // namespace
