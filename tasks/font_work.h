// While a run or a restore works on the fonts folder: the main window holds a log-off or
// shut-down up with its busy reason, and a drop on it queues nothing (its buttons are
// disabled then, or the restore's label is up; the drop arrives where the work lets
// events run, at the start of a folder walk).
#pragma once

class FontWork {
  public:
    FontWork();
    ~FontWork();
    FontWork(const FontWork&) = delete;
    FontWork& operator=(const FontWork&) = delete;
    // Whether a run or a restore is at work now.
    static bool Underway();
};
