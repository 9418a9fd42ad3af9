// The restore button: copies every backed-up font file back into the fonts folder while
// the status label shows. It registers nothing and does not rebuild the catalogue.
#include "tasks/restore.h"

#include "fontfs/catalogue.h"
#include "fontfs/file_utils.h"
#include "fontfs/walk_folder.h"
#include "forms/forms.h"
#include "forms/handlers.h"
#include "forms/main_form.h"
#include "forms/vocabulary.h"
#include "tasks/backup_folder.h"

namespace {

ui::Ctl StatusLabel() {
    return {forms::MainForm(), forms::main_window::kStatusLabel};
}

}  // namespace

void RestoreBackups() {
    ui::SetBusyReason(forms::MainForm(), forms::main_window::kBusyReason);
    ui::SetVisible(StatusLabel(), true);
    WalkFolder(kBackupFolder, RestoreBackupFile, "*.ttf", true, 0, true);
    ui::SetVisible(StatusLabel(), false);
    ui::SetBusyReason(forms::MainForm(), "");
}

void RestoreBackupFile(const std::string& path) {
    std::string source = path;  // the walk's text is valid only during this call
    std::string destination = kFontsFolder + FileNameOfPath(path);
    // A failed copy (file in use, folder not writable) is skipped; the walk goes on.
    CopyFileOverwriting(source, destination);
    ui::SetCaption(StatusLabel(), "正在还原字体备份");
}
