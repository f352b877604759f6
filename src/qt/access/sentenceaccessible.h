#pragma once

#include <QAccessibleWidget>

#include <QString>
#include <vector>

class QLabel;

namespace zm {

// One label of a sentence shown in pieces ("本日の入金予定は", "8014円",
// "です"): the first piece on screen reads the whole sentence, the others
// are left out, so that a screen reader says it once and in one breath.
class SentenceAccessible : public QAccessibleWidget {
public:
    explicit SentenceAccessible(QLabel* piece);
    // Marks the labels as one sentence, their texts joined by `joiner`.
    static void join(const std::vector<QLabel*>& pieces, const QString& joiner);
    static bool isPiece(const QWidget* widget);
    // The sentence of a piece as shown now.
    static QString sentenceOf(const QWidget* piece);
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;

private:
    bool leads() const;
};

}  // namespace zm
