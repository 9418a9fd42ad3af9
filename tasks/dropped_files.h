// Font files dragged from Explorer and let go over the program's windows.
#pragma once

#include <string>
#include <vector>

// The main window: each dropped font file, and each font file directly in a dropped
// folder, is queued as an add task in the drop's order, as the add page's 浏览 and 确 定
// would queue it. Nothing while a run or a restore is at work.
void QueueDroppedFonts(const std::vector<std::string>& paths);
// The task window: the first font file of the drop goes into the path box of the add or
// the replace page, whichever is shown, as 浏览 would put it there; the delete page takes
// none.
void TakeDroppedFont(const std::vector<std::string>& paths);
