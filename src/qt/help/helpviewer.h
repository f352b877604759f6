#pragma once

#include <QObject>
#include <QPointer>
#include <filesystem>
#include <functional>
#include <string>

#include "qt/help/helpbrowser.h"
#include "qt/help/helpwindow.h"

class QWidget;

namespace zm {

class DataFolder;
class Dialogs;
class QtShell;

// The program's help viewer: opens a help file at its default topic in a
// window owned by the main window, and closes it again. A file that is
// missing or unreadable is reported in a message box, and nothing else
// happens.
class HelpViewer : public QObject {
    Q_OBJECT
public:
    // `locate` gives the path of a help file name (it lies with the data).
    HelpViewer(QWidget* owner, Dialogs& dialogs,
               std::function<std::filesystem::path(const std::string&)> locate);

    void open(const std::string& helpFile);
    void closeAll();
    HelpWindow* window() const { return window_; }

private:
    QWidget* owner_;
    Dialogs& dialogs_;
    std::function<std::filesystem::path(const std::string&)> locate_;
    QPointer<HelpWindow> window_;
};

// The help viewer, owned by `owner`, opened and closed by the shell; help
// files are looked up in `folder`.
HelpViewer* installHelpViewer(QtShell& shell, QWidget* owner, Dialogs& dialogs,
                              const DataFolder& folder);

}  // namespace zm
