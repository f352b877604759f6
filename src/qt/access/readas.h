#pragma once

#include <vector>

class QLabel;
class QWidget;

namespace zm {

// How a screen reader reads what the pages show in pieces.

// The labels read as one sentence, their texts joined by `joiner`.
void readAsOneSentence(const std::vector<QLabel*>& pieces, const char* joiner = "");
// A frame's grid of labels read as a table (headers in its first row and column).
void readAsTable(QWidget* frame);

}  // namespace zm
