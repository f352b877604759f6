#include "qt/access/readas.h"

#include <QAccessible>
#include <QLabel>

#include "qt/access/labelcellaccessible.h"
#include "qt/access/labelgridaccessible.h"
#include "qt/access/sentenceaccessible.h"

namespace zm {

namespace {

constexpr char kTable[] = "zmLabelTable";

QAccessibleInterface* readers(const QString&, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget) return nullptr;
    if (widget->property(kTable).toBool()) return new LabelGridAccessible(widget);
    auto* label = qobject_cast<QLabel*>(widget);
    if (!label) return nullptr;
    if (SentenceAccessible::isPiece(label)) return new SentenceAccessible(label);
    if (label->parentWidget() && label->parentWidget()->property(kTable).toBool()) {
        return new LabelCellAccessible(label);
    }
    return nullptr;
}

// Asked for every object a screen reader meets: installed once, before the
// first labels it speaks for are made.
void installReaders() {
    static const bool installed = [] {
        QAccessible::installFactory(readers);
        return true;
    }();
    (void)installed;
}

// An interface made while the widget was being set up (its text set, its
// name given) was made before it was marked: the next query makes it anew.
void forgetReader(QWidget* widget) {
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(widget)) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    }
}

}  // namespace

void readAsOneSentence(const std::vector<QLabel*>& pieces, const char* joiner) {
    installReaders();
    SentenceAccessible::join(pieces, QString::fromUtf8(joiner));
    for (QLabel* piece : pieces) forgetReader(piece);
}

void readAsTable(QWidget* frame) {
    installReaders();
    frame->setProperty(kTable, true);
    forgetReader(frame);
    for (QLabel* cell : frame->findChildren<QLabel*>()) forgetReader(cell);
}

}  // namespace zm
