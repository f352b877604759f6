#include "qt/access/sentenceaccessible.h"

#include <QLabel>

namespace zm {

namespace {

constexpr char kSentence[] = "zmSentence";
constexpr char kJoiner[] = "zmJoiner";

std::vector<QLabel*> piecesOf(const QWidget* piece) {
    std::vector<QLabel*> pieces;
    for (QObject* o : piece->property(kSentence).value<QList<QObject*>>()) {
        if (auto* label = qobject_cast<QLabel*>(o)) pieces.push_back(label);
    }
    return pieces;
}

}  // namespace

void SentenceAccessible::join(const std::vector<QLabel*>& pieces, const QString& joiner) {
    QList<QObject*> all;
    for (QLabel* piece : pieces) all.append(piece);
    for (QLabel* piece : pieces) {
        piece->setProperty(kSentence, QVariant::fromValue(all));
        piece->setProperty(kJoiner, joiner);
    }
}

bool SentenceAccessible::isPiece(const QWidget* widget) {
    return widget->property(kSentence).isValid();
}

QString SentenceAccessible::sentenceOf(const QWidget* piece) {
    QString sentence;
    const QString joiner = piece->property(kJoiner).toString();
    for (QLabel* p : piecesOf(piece)) {
        if (p->isHidden() || p->text().isEmpty()) continue;
        if (!sentence.isEmpty()) sentence += joiner;
        sentence += p->text();
    }
    return sentence;
}

SentenceAccessible::SentenceAccessible(QLabel* piece)
    : QAccessibleWidget(piece, QAccessible::StaticText) {}

bool SentenceAccessible::leads() const {
    for (QLabel* piece : piecesOf(widget())) {
        if (!piece->isHidden()) return piece == widget();
    }
    return false;
}

QString SentenceAccessible::text(QAccessible::Text t) const {
    if (t != QAccessible::Name) return QAccessibleWidget::text(t);
    return leads() ? sentenceOf(widget()) : QString();
}

QAccessible::State SentenceAccessible::state() const {
    QAccessible::State s = QAccessibleWidget::state();
    if (!leads()) s.invisible = true;
    return s;
}

}  // namespace zm
