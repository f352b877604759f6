#pragma once

#include <QObject>
#include <QPointer>
#include <array>

#include "qt/pages/pagecontext.h"
#include "ui/shell.h"

class QDialog;
class QWidget;

namespace zm {

class QtShell;

// The guide windows on the Qt side. They open above `owner`, modal ones
// running until they are closed; a guide already open is brought to the
// front instead of opened twice.
class GuideWindows : public QObject {
public:
    GuideWindows(QWidget* owner, PageContext context);
    void open(Guide which, bool modal);

private:
    QWidget* owner_;
    PageContext context_;
    std::array<QPointer<QDialog>, 3> open_;
};

// The guide windows, owned by `owner`, opened by the shell.
void installGuideWindows(QtShell& shell, QWidget* owner, const PageContext& context);

}  // namespace zm
