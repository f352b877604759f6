#include "qt/shell/style.h"

#include <malloc.h>

#include <algorithm>
#include <cmath>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>
#include <QPalette>
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

namespace {

// Light: the program's own look. Dark: the same hues, lighter, so that every
// text keeps 4.5:1 against the dark window and base.
const Scheme kLight{{0x2d, 0x5f, 0x8b}, {0xb5, 0x38, 0x2b}, {0x5a, 0x6e, 0x80},
                    {0x8b, 0x2d, 0x2d}, {0xa0, 0x30, 0x30}, {0xb8, 0xc4, 0xd0},
                    {0x8a, 0x9a, 0xab}, {0xe8, 0xee, 0xf4}, {0xfb, 0xf6, 0xe4},
                    {0x55, 0x55, 0x55}, {0xdd, 0xdd, 0xdd}, {0xbb, 0xbb, 0xbb}};
const Scheme kDark{{0x8c, 0xbf, 0xf0}, {0xff, 0x8f, 0x80}, {0xa8, 0xba, 0xcc},
                   {0xff, 0x9a, 0x9a}, {0xff, 0x90, 0x90}, {0x4a, 0x55, 0x60},
                   {0x6a, 0x7a, 0x8b}, {0x3a, 0x44, 0x50}, {0x48, 0x43, 0x30},
                   {0xc8, 0xc8, 0xc8}, {0x4a, 0x4a, 0x4a}, {0x70, 0x70, 0x70}};

}  // namespace

bool darkPalette(const QPalette& palette) {
    return palette.color(QPalette::Window).lightness() < 128;
}

const Scheme& scheme() {
    return darkPalette(QApplication::palette()) ? kDark : kLight;
}

const Scheme& lightScheme() {
    return kLight;
}

QColor seriesColour(QRgb rgb) {
    const QColor colour = QColor::fromRgb(rgb);
    if (!darkPalette(QApplication::palette()) || colour.lightness() >= 150) return colour;
    return QColor::fromHsl(colour.hslHue(), colour.hslSaturation(), 150);
}

double contrastRatio(const QColor& a, const QColor& b) {
    auto luminance = [](const QColor& c) {
        auto channel = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) +
               0.0722 * channel(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableOn(const QColor& colour, const QColor& background) {
    const bool lighten = background.lightness() < 128;
    QColor c = colour;
    // Each step is a tenth, so the hue moves no further than needed.
    for (int i = 0; i < 40 && contrastRatio(c, background) < kLeastContrast; ++i) {
        c = lighten ? c.lighter(110) : c.darker(110);
    }
    return c;
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
    setTextStyle(title, points::kTitle, true, scheme().title);
    return title;
}

void styleAmount(QLabel* label, int points) {
    setTextStyle(label, points, true, scheme().amount);
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
