#pragma once

class QTableView;

namespace zm {

// What every grid of the window shares: whole rows selected, nothing edited,
// no wrapping, no row header, rows of one height for the table's font size
// (set before the model, so that tens of thousands of rows are made at that
// height rather than resized one by one), and a header that does not light
// up with the selection. Tab leaves it for the next control.
void setUpGrid(QTableView* view, int fontPoints);

}  // namespace zm
