// Another program (a sync tool, an editor) may write a data file while the
// window is open. The store refuses a write to a file that changed since the
// page read it; here every page is shown the files as they are now, so that
// the user acts on what is really there.

#include "app/mainform.h"
#include "store/filenames.h"
#include "ui/dialogs.h"

namespace zm {

void MainForm::showFilesAgain() {
    loading_ = true;
    READ_SETTEI();
    chkHelp.setValue(helpTour_);
    loading_ = false;
    loadSavingsPages();
    dayHistory.InitDayGrid(themeNames());
    // A summary page on screen is built anew; the others read when opened.
    if (fraMokuhyo.visible()) rebuildGoals();
    if (fraDataSort.visible()) rebuildAnalysis();
    if (fraDay.visible()) dayHistory.open(themeNames());
    if (fraMonth.visible()) monthHistory.open(themeNames());
}

void MainForm::followOutsideChange(const std::string& file) {
    showFilesAgain();
    s_.dialogs.msgBox("「" + file +
                          "」がほかのプログラムで変更されていたため、読み直しました。"
                          "内容を確かめて、もう一度操作してください。",
                      "ファイルの変更", Icon::Exclamation, Buttons::Ok);
}

void MainForm::followFiles() {
    if (loading_) return;
    bool changed = false;
    for (const DataFolder& folder : ownFolders_) changed = changed || !folder.changedBehind().empty();
    // The form's own folder also holds what the summary pages read, which they
    // read again when opened: only the settings are the form's.
    if (!changed) {
        for (const std::string& name : s_.folder.changedBehind())
            changed = changed || name == files::kSettings;
    }
    if (changed) showFilesAgain();
}

std::vector<std::filesystem::path> MainForm::dataFilePaths() const {
    std::vector<std::filesystem::path> paths;
    for (std::string_view name : files::allData()) paths.push_back(s_.folder.resolve(name));
    return paths;
}

}  // namespace zm
