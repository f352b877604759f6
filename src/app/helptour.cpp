// The main window's help: the help-tour message of the summary pages, the
// check box that switches the tour on and off, and the help button.

#include "app/mainform.h"
#include "store/settingsfile.h"
#include "ui/dialogs.h"
#include "ui/shell.h"

namespace zm {

void MainForm::ShowHelpTour() {
    if (HelpTour == 0) return;
    s_.dialogs.msgBox(HelpTourText, "ヘルプツアー", Icon::Information, Buttons::Ok);
}

void MainForm::chkHelp_Click() {
    // Start-up only copies the saved value into the box.
    if (Loading) return;
    if (chkHelp.value() == 1) {
        s_.dialogs.msgBox("ヘルプツアー機能をオンにします。", "ヘルプツアーＯＮ", Icon::Information,
                          Buttons::Ok);
        HelpTour = 1;
    } else {
        s_.dialogs.msgBox("ヘルプツアー機能をオフにします。", "ヘルプツアーＯＦＦ",
                          Icon::Information, Buttons::Ok);
        HelpTour = 0;
    }
    SettingsFile(s_.folder).writeHelpTour(HelpTour);
}

// Whether the file is there and readable is the viewer's to report.
void MainForm::cmdHelp_Click() {
    s_.shell.openHelp(HelpFile);
}

}  // namespace zm
