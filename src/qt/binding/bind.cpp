#include "qt/binding/bind.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimeEdit>
#include <QTimer>
#include <QVariant>
#include <memory>
#include <utility>

#include "qt/binding/enterfilter.h"
#include "qt/binding/presswatch.h"

namespace zm {

namespace {

constexpr const char* kControlProperty = "zmControl";

}  // namespace

// Names the widget after the control and draws the control on it now and at
// every change: what all controls share, then `paint` for the control's own.
template <class Paint>
void bindDrawn(Control& control, QWidget* widget, Paint paint) {
    markBound(control, widget);
    auto draw = [&control, widget, paint] {
        drawCommon(control, widget);
        paint();
    };
    control.bind(draw);
    draw();
}

void drawCommon(const Control& c, QWidget* w) {
    // Shown before it is placed, a widget would open as a window of its own
    // for a moment; placed, it shows with its parent unless hidden here.
    if (w->parentWidget() || !c.visible()) w->setVisible(c.visible());
    w->setEnabled(c.enabled());
    w->setToolTip(qs(c.tooltip()));
}

void markBound(const Control& control, QWidget* widget) {
    widget->setObjectName(qs(control.name()));
    widget->setProperty(kControlProperty,
                        QVariant::fromValue(reinterpret_cast<quintptr>(&control)));
}

const Control* boundControl(const QWidget* widget) {
    const QVariant v = widget->property(kControlProperty);
    return v.isValid() ? reinterpret_cast<const Control*>(v.value<quintptr>()) : nullptr;
}

void bindWidget(Control& control, QWidget* widget) {
    bindDrawn(control, widget, [] {});
}

void bindLabel(Label& label, QLabel* widget) {
    bindDrawn(label, widget, [&label, widget] { widget->setText(qs(label.caption())); });
}

void bindButton(Button& button, QAbstractButton* widget, const Runner& run,
                std::function<void()> onClick) {
    bindDrawn(button, widget, [&button, widget] {
        if (!button.caption().empty() || widget->icon().isNull()) {
            widget->setText(qs(button.caption()));
        }
    });
    QObject::connect(widget, &QAbstractButton::clicked, widget,
                     [run, onClick = std::move(onClick)] { run(onClick); });
    // Enter presses the button that has the keys, in the window as in a
    // dialog, as Space does.
    if (auto* push = qobject_cast<QPushButton*>(widget)) push->setAutoDefault(true);
}

void bindTextBox(TextBox& box, QLineEdit* widget, const Runner& run,
                 std::function<void(int)> onKey) {
    bindDrawn(box, widget, [&box, widget] {
        const QString text = qs(box.text());
        if (widget->text() != text) widget->setText(text);
    });
    QObject::connect(widget, &QLineEdit::textChanged, widget,
                     [&box](const QString& text) { box.setText(ss(text)); });
    widget->installEventFilter(new EnterFilter(
        widget, [run, onKey = std::move(onKey)] { run([&onKey] { onKey(kEnterKey); }); }));
}

void bindTimeBox(TextBox& box, QTimeEdit* widget, const Runner& run,
                 std::function<void()> onChange) {
    widget->setDisplayFormat("HH:mm");
    bindDrawn(box, widget, [&box, widget] {
        const QTime at = QTime::fromString(qs(box.text()), "HH:mm");
        if (at.isValid() && at != widget->time()) {
            const QSignalBlocker quiet(widget);
            widget->setTime(at);
        }
    });
    auto* pause = new QTimer(widget);
    pause->setSingleShot(true);
    pause->setInterval(800);
    auto changed = [&box, widget, run, onChange = std::move(onChange)] {
        box.setText(ss(widget->time().toString("HH:mm")));
        run(onChange);
    };
    QObject::connect(widget, &QTimeEdit::timeChanged, pause, qOverload<>(&QTimer::start));
    QObject::connect(pause, &QTimer::timeout, widget, changed);
    QObject::connect(widget, &QTimeEdit::editingFinished, pause, [pause, changed] {
        if (!pause->isActive()) return;
        pause->stop();
        changed();
    });
}

void bindCheckBox(CheckBox& box, QCheckBox* widget, const Runner& run,
                  std::function<void()> onClick) {
    bindDrawn(box, widget, [&box, widget] { widget->setChecked(box.value() == 1); });
    QObject::connect(widget, &QCheckBox::clicked, widget,
                     [&box, run, onClick = std::move(onClick)](bool checked) {
                         box.setValue(checked ? 1 : 0);
                         run(onClick);
                     });
}

void bindListBox(ListBox& box, QListWidget* widget, const Runner& run,
                 std::function<void()> onClick) {
    // Drawing the state moves the widget's selection too; that is no pick.
    auto drawing = std::make_shared<bool>(false);
    bindDrawn(box, widget, [&box, widget, drawing] {
        *drawing = true;
        const auto& entries = box.entries();
        bool same = widget->count() == static_cast<int>(entries.size());
        for (int i = 0; same && i < widget->count(); ++i) {
            same = widget->item(i)->text() == qs(entries[static_cast<std::size_t>(i)]);
        }
        if (!same) {
            QStringList texts;
            texts.reserve(static_cast<qsizetype>(entries.size()));
            for (const std::string& e : entries) texts.append(qs(e));
            widget->clear();
            widget->addItems(texts);
        }
        widget->setCurrentRow(box.listIndex());
        *drawing = false;
    });
    // A press on another entry changes the current row before the click
    // arrives; a click on the entry already selected only clicks. Either way
    // the pick is handled once; arrow keys pick as they move.
    auto state = std::make_shared<ListPress>();
    widget->viewport()->installEventFilter(new PressWatch(widget, state));
    auto pick = [&box, run, onClick = std::move(onClick)](int row) {
        box.setListIndex(row);
        run(onClick);
    };
    QObject::connect(widget, &QListWidget::currentRowChanged, widget,
                     [drawing, state, pick](int row) {
                         if (*drawing || row < 0) return;
                         state->picked = state->pressing;
                         pick(row);
                     });
    QObject::connect(widget, &QListWidget::itemClicked, widget,
                     [widget, state, pick](QListWidgetItem* item) {
                         if (std::exchange(state->picked, false)) return;
                         pick(widget->row(item));
                     });
}

}  // namespace zm
