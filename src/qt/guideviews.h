#pragma once

#include "qt/bind.h"

class QCheckBox;
class QWidget;

namespace zm {

class DataFolder;
class Dialogs;
class HelpViewer;
class QtShell;

// The first-time help on the Qt side. The guide windows open above `owner`,
// modal ones running until they are closed; a guide already open is brought
// to the front instead of opened twice.
void installGuideWindows(QtShell& shell, QWidget* owner, const Runner& run);
// The help viewer, owned by `owner`; help files are looked up in `folder`.
HelpViewer* installHelpViewer(QtShell& shell, QWidget* owner, Dialogs& dialogs,
                              const DataFolder& folder);
// The help-tour box as a smiley: lit when the tour is on.
void styleHelpTourBox(QCheckBox* box);

}  // namespace zm
