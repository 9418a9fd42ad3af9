// The restore button: copies every backed-up font file back into the fonts folder while
// the status label shows, keeping first what it would overwrite. It registers nothing and
// does not rebuild the catalogue.
#include "tasks/restore.h"

#include "fontfs/catalogue.h"
#include "fontfs/file_utils.h"
#include "fontfs/walk_folder.h"
#include "fontfs/whole_copy.h"
#include "forms/main_form.h"
#include "platform/vocabulary.h"
#include "tasks/backup_folder.h"
#include "tasks/font_work.h"

namespace {

ui::Ctl StatusLabel() {
    return {forms::main_window::kWindow, forms::main_window::kStatusLabel};
}

// Whether this restore has set the status label's caption yet (false outside a restore).
// The caption is the same for every file, and setting it repaints the label at once (a
// fifth of a millisecond under Wine), so a restore sets it once, after its first file.
bool captionSet = false;

}  // namespace

void RestoreBackups() {
    FontWork work;
    ui::SetVisible(StatusLabel(), true);
    captionSet = false;
    WalkFolder(kBackupFolder, RestoreBackupFile, "*.ttf", true, 0, true);
    captionSet = false;
    ui::SetVisible(StatusLabel(), false);
}

void RestoreBackupFile(const std::string& path) {
    std::string source = path;  // the walk's text is valid only during this call
    std::string name = FileNameOfPath(path);
    std::string destination = kFontsFolder + name;
    // The file there is overwritten only once the backup folder holds it too, and the
    // backup appears under the font's name only whole. A failed copy (file in use, folder
    // not writable) is skipped; the walk goes on.
    switch (KeepRestoreTarget(source, destination, name)) {
        case RestoreTarget::Missing:
            CopyWhole(source, destination, false);
            break;
        case RestoreTarget::Kept:
            CopyWhole(source, destination, true);
            break;
        case RestoreTarget::SameAsBackup:
        case RestoreTarget::NotKept:
            break;
    }
    if (!captionSet) ui::SetCaption(StatusLabel(), "正在还原字体备份");
    captionSet = true;
}
