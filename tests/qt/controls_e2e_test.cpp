#include <gtest/gtest.h>
#include <QLabel>
#include <map>
#include <set>

#include "qt/bind.h"
#include "window.h"

namespace zm::test {
namespace {

// Tests and people find a widget by its control's name: every bound widget
// must carry that name, and no control may feed two widgets.
TEST(ControlsWindow, EveryBoundWidgetCarriesItsControlsNameOnce) {
    Window win;
    win.w.putInstallation();
    win.start();
    ASSERT_FALSE(win.shell.ended());
    // A page makes its widgets when it is first shown: open every one.
    for (const char* page : {"cmdCyokin2", "cmdCyokin3", "cmdCyokin4", "cmdCyokin5", "cmdMaster",
                             "cmdData_Sort", "cmdDay", "cmdMonth", "cmdCyokin1"}) {
        win.click(page);
    }
    ASSERT_FALSE(win.shell.ended());

    std::set<const Control*> controls;
    std::map<std::string, int> names;
    for (const QWidget* widget : win.window->findChildren<QWidget*>()) {
        const Control* control = boundControl(widget);
        if (!control) continue;
        EXPECT_EQ(widget->objectName().toStdString(), control->name());
        EXPECT_TRUE(controls.insert(control).second) << control->name() << " has two widgets";
        EXPECT_TRUE(control->bound()) << control->name();
        ++names[control->name()];
    }
    for (const auto& [name, count] : names) EXPECT_EQ(count, 1) << name << " names two controls";
    // The window's buttons and every page's controls.
    EXPECT_GT(controls.size(), 150u);
    EXPECT_THROW(win.find("noSuchControl"), std::runtime_error);

    // A second widget for one control is a fault of the view, caught at once.
    Label label{"lblTwice"};
    QLabel first;
    QLabel second;
    bindLabel(label, &first);
    EXPECT_THROW(bindLabel(label, &second), std::logic_error);
}

}  // namespace
}  // namespace zm::test
