#include "qt/shell/style.h"

#include <malloc.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void initPictures() {
    Q_INIT_RESOURCE(images);
}

namespace zm {

void setUpApplication() {
    // One heap for every thread: the ledgers read on the second core are
    // handed over to the window's thread, and a heap of the reading thread's
    // own would keep their memory after the thread has gone.
    mallopt(M_ARENA_MAX, 1);
    QApplication::setApplicationName("zumeri");
    QApplication::setApplicationDisplayName("ズメリ貯金Ｐｒｏ");
    // Lets the desktop match the window to the installed menu entry and its icon.
    QApplication::setDesktopFileName("zumeri");

    // Japanese standard buttons ("キャンセル", "はい").
    static QTranslator qtJapanese;
    if (qtJapanese.load(QLocale(QLocale::Japanese), "qtbase", "_",
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtJapanese);
    }
    initPictures();
    QApplication::setWindowIcon(QIcon(":/images/app.png"));
    QApplication::setFont(programFont());
}

QFont programFont() {
    QFont font("Noto Sans CJK JP");
    font.setPointSize(points::kText);
    return font;
}

QString textStyle(int points, bool bold, const QColor& colour) {
    QString sheet = QStringLiteral("font-size: %1pt;").arg(points);
    if (bold) sheet += QStringLiteral(" font-weight: bold;");
    if (colour.isValid()) sheet += QStringLiteral(" color: %1;").arg(colour.name());
    return sheet;
}

void setTextStyle(QWidget* widget, int points, bool bold, const QColor& colour) {
    widget->setStyleSheet(textStyle(points, bold, colour));
}

QLabel* makePageTitle(const char* text) {
    auto* title = new QLabel(QString::fromUtf8(text));
    setTextStyle(title, points::kTitle, true, colour::kTitle);
    return title;
}

void styleAmount(QLabel* label, int points) {
    setTextStyle(label, points, true, colour::kAmount);
}

void styleMainButton(QAbstractButton* button) {
    button->setMinimumSize(110, 40);
    setTextStyle(button, points::kEntry, true);
}

void styleHelpTourBox(QCheckBox* box) {
    box->setStyleSheet(
        "QCheckBox::indicator { width: 24px; height: 24px; }"
        "QCheckBox::indicator:checked { image: url(:/images/smiley.png); }"
        "QCheckBox::indicator:unchecked { image: url(:/images/smiley_off.png); }");
    box->setCursor(Qt::PointingHandCursor);
}

}  // namespace zm
