#pragma once

#include <QColor>
#include <QString>

class QAbstractButton;
class QCheckBox;
class QFont;
class QLabel;
class QPalette;
class QWidget;

// The pictures live in the static view library, whose resources are not
// registered unless asked for: the main window does it once.
void initPictures();

namespace zm {

// The application's names, Japanese standard buttons, pictures, window icon
// and font, as the program starts with them.
void setUpApplication();
// The font of every text of the window.
QFont programFont();

// Every colour of the window that the desktop's palette does not give, named
// once, in a variant for a light and one for a dark desktop. Texts and
// backgrounds otherwise come from the palette.
struct Scheme {
    QColor title;         // page titles, theme names
    QColor amount;        // the figures in yen and days
    QColor note;          // captions and notes beside them
    QColor caution;       // the new start's frame
    QColor problem;       // a copy that cannot be read
    QColor gridLine;      // lines between cells
    QColor gridBorder;    // the band table's border
    QColor headerCell;    // header cells drawn by the program
    QColor totalCell;     // the band table's total row
    QColor axis;          // a chart axis of several series
    QColor chartGrid;     // a chart's grid lines
    QColor legendBorder;  // a chart legend's frame
};
// Chosen by the application palette's window colour.
const Scheme& scheme();
// The light one, also for paper.
const Scheme& lightScheme();
bool darkPalette(const QPalette& palette);
// A chart series' hue as it stands out on the palette's base.
QColor seriesColour(QRgb rgb);
// The contrast of two colours, from 1:1 to 21:1, by their relative luminance.
double contrastRatio(const QColor& a, const QColor& b);
// The least a text may have against what is behind it.
constexpr double kLeastContrast = 4.5;
// A colour's hue, made darker (lighter on a dark background) until a text
// in it has the least contrast against the background.
QColor readableOn(const QColor& colour, const QColor& background);

namespace colour {
constexpr int kLegendOpacity = 210;                   // of the legend's base, over the bars
inline const QColor kOnPastel{0x1a, 0x1a, 0x1a};      // text on a fixed pale background
inline const QColor kPrintText{0, 0, 0};              // printed texts
inline const QColor kPageNumber{0x80, 0x80, 0x80};    // printed page numbers
}  // namespace colour

// Every font size of the window in points, named once.
namespace points {
constexpr int kText = 10;     // every text unless said otherwise
constexpr int kSmall = 11;    // the month list, the band table
constexpr int kCaption = 12;  // captions of figures and fields, guide texts
constexpr int kEntry = 13;    // the main buttons, the goals' fields, the theme's phrase
constexpr int kFigure = 14;   // figures, the plan's words, the small-change field
constexpr int kLarge = 16;    // the plan's amounts, the days since the last settlement
constexpr int kTitle = 18;    // page titles, the goals' totals
constexpr int kName = 20;     // a theme's name
// On paper.
constexpr int kPrintTitle = 16;
constexpr int kPrintText = 10;
constexpr int kPrintCell = 9;
constexpr int kPrintPageNumber = 8;
}  // namespace points

// A widget's text at a size, bold or not, in a colour or the palette's.
QString textStyle(int points, bool bold = false, const QColor& colour = QColor());
void setTextStyle(QWidget* widget, int points, bool bold = false, const QColor& colour = QColor());

// Shared looks of the pages.
QLabel* makePageTitle(const char* text);
void styleAmount(QLabel* label, int points);
void styleMainButton(QAbstractButton* button);
// The help-tour box as a smiley: lit when the tour is on.
void styleHelpTourBox(QCheckBox* box);

}  // namespace zm
