#pragma once

#include <functional>

#include "qt/qtconvert.h"
#include "ui/controls.h"

class QAbstractButton;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QTimeEdit;
class QWidget;

namespace zm {

// Each bind gives the widget the control's name, draws the control's state
// now and whenever it changes, and forwards the widget's events to the logic
// through `run`, which reports file failures.
using Runner = std::function<void(const std::function<void()>&)>;

// Names the widget after its control and remembers which control it shows,
// so that a test can walk every bound widget (see boundControl).
void markBound(const Control& control, QWidget* widget);
// The control a widget was bound to, or nullptr.
const Control* boundControl(const QWidget* widget);

// Shows the control's visibility, enabled state and tooltip on the widget.
void drawCommon(const Control& control, QWidget* widget);
void bindWidget(Control& control, QWidget* widget);
void bindLabel(Label& label, QLabel* widget);
void bindButton(Button& button, QAbstractButton* widget, const Runner& run,
                std::function<void()> onClick);
// onKey receives 13 for Enter; other keys are ordinary typing.
void bindTextBox(TextBox& box, QLineEdit* widget, const Runner& run,
                 std::function<void(int)> onKey);
// A time of day as the text "HH:MM". onChange runs once the user pauses or
// leaves the box, not at every digit typed.
void bindTimeBox(TextBox& box, QTimeEdit* widget, const Runner& run,
                 std::function<void()> onChange);
void bindCheckBox(CheckBox& box, QCheckBox* widget, const Runner& run,
                  std::function<void()> onClick);
// onClick runs when the user picks an entry, also the one already selected.
void bindListBox(ListBox& box, QListWidget* widget, const Runner& run,
                 std::function<void()> onClick);

}  // namespace zm
