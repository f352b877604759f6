#pragma once

class QAbstractButton;
class QFont;
class QLabel;
class QLayout;
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

// Shared looks of the pages.
QLabel* makePageTitle(const char* text);
void styleAmount(QLabel* label, int points);
void styleMainButton(QAbstractButton* button);
// A label that comes and goes keeps its room while hidden, so that the page's
// layout, and the chart in it, stay as they are.
void keepRoomWhenHidden(QWidget* widget);
// A ledger page: its title above, the table on the left, the rest beside it.
void layOutLedgerPage(QWidget* frame, QWidget* title, QWidget* table, QLayout* side);

}  // namespace zm
