#pragma once

class QAbstractButton;
class QLabel;

namespace zm {

// Shared looks of the pages.
QLabel* makePageTitle(const char* text);
void styleAmount(QLabel* label, int points);
void styleMainButton(QAbstractButton* button);

}  // namespace zm
