#include <gtest/gtest.h>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMainWindow>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "qt/binding/bind.h"
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

// The widgets shown as windows that are not windows of the program (its main
// window, its guides and boxes).
class WindowsShown : public QObject {
public:
    WindowsShown() { qApp->installEventFilter(this); }
    ~WindowsShown() override { qApp->removeEventFilter(this); }
    std::vector<std::string> names;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Show && widget && widget->isWindow() &&
            !qobject_cast<QMainWindow*>(widget) && !qobject_cast<QDialog*>(widget)) {
            names.push_back(widget->objectName().toStdString() + " (" +
                            widget->metaObject()->className() + ")");
        }
        return QObject::eventFilter(watched, event);
    }
};

// The pages not on screen are made once the window is painted, before the
// user can click; no widget opens as a window of its own on the way.
TEST(ControlsWindow, HiddenPagesAreMadeAfterTheFirstPaintWithoutWindowsOfTheirOwn) {
    Window win;
    win.w.putInstallation();
    WindowsShown shown;
    win.start();
    ASSERT_FALSE(win.shell.ended());
    EXPECT_THROW(win.find("msgKozeni"), std::runtime_error);
    for (int i = 0; i < 50 && !win.window->findChild<QWidget*>("mctMonth"); ++i) {
        QApplication::processEvents();
    }
    for (const char* name : {"msgKozeni", "msgChinKou", "mctTema3", "msgMokuhyo", "msgJunTema",
                             "msgDayList", "mctMonth"}) {
        EXPECT_NO_THROW(win.find(name)) << name;
    }
    EXPECT_TRUE(win.find("fraCyokin1")->isVisible());
    EXPECT_FALSE(win.find("fraCyokin2")->isVisible());
    EXPECT_EQ(shown.names, std::vector<std::string>{});
}

}  // namespace
}  // namespace zm::test
