#include "qt/style.h"

#include <malloc.h>

#include <QAbstractButton>
#include <QApplication>
#include <QBoxLayout>
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
    font.setPointSize(10);
    return font;
}

QLabel* makePageTitle(const char* text) {
    auto* title = new QLabel(QString::fromUtf8(text));
    title->setStyleSheet("font-size: 18pt; font-weight: bold; color: #2d5f8b;");
    return title;
}

void styleAmount(QLabel* label, int points) {
    label->setStyleSheet(
        QStringLiteral("font-size: %1pt; font-weight: bold; color: #b5382b;").arg(points));
}

void styleMainButton(QAbstractButton* button) {
    button->setMinimumSize(110, 40);
    button->setStyleSheet("font-size: 13pt; font-weight: bold;");
}

void keepRoomWhenHidden(QWidget* widget) {
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

void layOutLedgerPage(QWidget* frame, QWidget* title, QWidget* table, QLayout* side) {
    auto* body = new QHBoxLayout;
    body->addWidget(table, 3);
    body->addLayout(side, 4);
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(title);
    layout->addLayout(body, 1);
}

}  // namespace zm
