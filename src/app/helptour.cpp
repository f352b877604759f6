// The main window's help: the help-tour message of the summary pages, the
// check box that switches the tour on and off, and the help button.

#include "app/mainform.h"
#include "store/settingsfile.h"
#include "ui/dialogs.h"
#include "ui/shell.h"

namespace zm {

void MainForm::ShowHelpTour() {
    if (helpTour_ == 0) return;
    s_.dialogs.msgBox(helpTourText_, "ヘルプツアー", Icon::Information, Buttons::Ok);
}

void MainForm::chkHelp_Click() {
    // Start-up only copies the saved value into the box.
    if (loading_) return;
    if (chkHelp.value() == 1) {
        s_.dialogs.msgBox("ヘルプツアー機能をオンにします。", "ヘルプツアーＯＮ", Icon::Information,
                          Buttons::Ok);
        helpTour_ = 1;
    } else {
        s_.dialogs.msgBox("ヘルプツアー機能をオフにします。", "ヘルプツアーＯＦＦ",
                          Icon::Information, Buttons::Ok);
        helpTour_ = 0;
    }
    SettingsFile(s_.folder).writeHelpTour(helpTour_);
}

// Whether the file is there and readable is the viewer's to report.
void MainForm::cmdHelp_Click() {
    s_.shell.openHelp(helpFile_);
}

}  // namespace zm
