#include "qt/shell/guidewindows.h"

#include <utility>

#include "qt/shell/guidedialog.h"
#include "qt/shell/qtshell.h"

namespace zm {

GuideWindows::GuideWindows(QWidget* owner, PageContext context)
    : QObject(owner), owner_(owner), context_(std::move(context)) {}

void GuideWindows::open(Guide which, bool modal) {
    QPointer<QDialog>& slot = open_[static_cast<std::size_t>(which)];
    if (slot) {
        slot->raise();
        slot->activateWindow();
        return;
    }
    if (modal) {
        GuideDialog dialog(which, owner_, context_);
        slot = &dialog;
        dialog.exec();
        return;
    }
    auto* dialog = new GuideDialog(which, owner_, context_);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    slot = dialog;
    dialog->show();
}

void installGuideWindows(QtShell& shell, QWidget* owner, const PageContext& context) {
    QPointer<GuideWindows> guides = new GuideWindows(owner, context);
    shell.guideOpener = [guides](Guide which, bool modal) {
        if (guides) guides->open(which, modal);
    };
}

}  // namespace zm
