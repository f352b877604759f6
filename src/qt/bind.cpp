#include "qt/bind.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVariant>

namespace zm {

namespace {

constexpr const char* kControlProperty = "zmControl";

void drawCommon(const Control& c, QWidget* w) {
    w->setVisible(c.visible());
    w->setEnabled(c.enabled());
    w->setToolTip(qs(c.tooltip()));
}

// Turns Enter in a line edit into the logic's key press 13.
class EnterFilter : public QObject {
public:
    EnterFilter(QObject* parent, std::function<void()> onEnter)
        : QObject(parent), onEnter_(std::move(onEnter)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                onEnter_();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> onEnter_;
};

}  // namespace

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
    markBound(control, widget);
    auto draw = [&control, widget] { drawCommon(control, widget); };
    control.bind(draw);
    draw();
}

void bindLabel(Label& label, QLabel* widget) {
    markBound(label, widget);
    auto draw = [&label, widget] {
        drawCommon(label, widget);
        widget->setText(qs(label.caption()));
    };
    label.bind(draw);
    draw();
}

void bindButton(Button& button, QAbstractButton* widget, const Runner& run,
                std::function<void()> onClick) {
    markBound(button, widget);
    auto draw = [&button, widget] {
        drawCommon(button, widget);
        if (!button.caption().empty() || widget->icon().isNull()) {
            widget->setText(qs(button.caption()));
        }
    };
    button.bind(draw);
    draw();
    QObject::connect(widget, &QAbstractButton::clicked, widget,
                     [run, onClick = std::move(onClick)] { run(onClick); });
}

void bindTextBox(TextBox& box, QLineEdit* widget, const Runner& run,
                 std::function<void(int)> onKey) {
    markBound(box, widget);
    auto draw = [&box, widget] {
        drawCommon(box, widget);
        const QString text = qs(box.text());
        if (widget->text() != text) widget->setText(text);
    };
    box.bind(draw);
    draw();
    QObject::connect(widget, &QLineEdit::textChanged, widget,
                     [&box](const QString& text) { box.setText(ss(text)); });
    widget->installEventFilter(new EnterFilter(
        widget, [run, onKey = std::move(onKey)] { run([&onKey] { onKey(kEnterKey); }); }));
}

void bindCheckBox(CheckBox& box, QCheckBox* widget, const Runner& run,
                  std::function<void()> onClick) {
    markBound(box, widget);
    auto draw = [&box, widget] {
        drawCommon(box, widget);
        widget->setChecked(box.value() == 1);
    };
    box.bind(draw);
    draw();
    QObject::connect(widget, &QCheckBox::clicked, widget,
                     [&box, run, onClick = std::move(onClick)](bool checked) {
                         box.setValue(checked ? 1 : 0);
                         run(onClick);
                     });
}

}  // namespace zm
