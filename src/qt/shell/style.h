#pragma once

#include <QColor>
#include <QString>

class QAbstractButton;
class QCheckBox;
class QFont;
class QLabel;
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
// once. Texts and backgrounds otherwise come from the palette.
namespace colour {
inline const QColor kTitle{0x2d, 0x5f, 0x8b};         // page titles, theme names
inline const QColor kAmount{0xb5, 0x38, 0x2b};        // the figures in yen and days
inline const QColor kNote{0x5a, 0x6e, 0x80};          // captions and notes beside them
inline const QColor kCaution{0x8b, 0x2d, 0x2d};       // the new start's frame
inline const QColor kProblem{0xa0, 0x30, 0x30};       // a copy that cannot be read
inline const QColor kGridLine{0xb8, 0xc4, 0xd0};      // lines between cells
inline const QColor kGridBorder{0x8a, 0x9a, 0xab};    // the band table's border
inline const QColor kHeaderCell{0xe8, 0xee, 0xf4};    // header cells drawn by the program
inline const QColor kTotalCell{0xfb, 0xf6, 0xe4};     // the band table's total row
inline const QColor kAxis{0x55, 0x55, 0x55};          // a chart axis of several series
inline const QColor kChartGrid{0xdd, 0xdd, 0xdd};     // a chart's grid lines
inline const QColor kLegendBorder{0xbb, 0xbb, 0xbb};  // a chart legend's frame
constexpr int kLegendOpacity = 210;                   // of the legend's base, over the bars
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
