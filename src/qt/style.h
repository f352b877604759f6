#pragma once

class QAbstractButton;
class QLabel;

// The pictures live in the static view library, whose resources are not
// registered unless asked for: the main window does it once.
void initPictures();

namespace zm {

// Shared looks of the pages.
QLabel* makePageTitle(const char* text);
void styleAmount(QLabel* label, int points);
void styleMainButton(QAbstractButton* button);

}  // namespace zm
