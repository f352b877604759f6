// The help tour, the help file and the help-tour box of the main window. They
// are members of MainForm (the pages read HelpTour and call ShowHelpTour
// there) but live here with the rest of the first-time help.

#include "app/mainform.h"
#include "store/datafolder.h"
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
    writeHelpTourSetting(s_.folder, HelpTour);
}

// Whether the file is there and readable is the viewer's to report.
void MainForm::cmdHelp_Click() {
    s_.shell.openHelp(HelpFile);
}

}  // namespace zm
