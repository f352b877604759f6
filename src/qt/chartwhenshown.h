#pragma once

namespace zm {

class ChartView;

// A page chart is drawn when its page is shown. While it is hidden, a change
// of its data or size draws nothing (the plot's layers are off); the next
// showing draws it once, at the size it is shown at. A chart that nothing
// changed while hidden is shown as it was, without drawing.
void drawWhenShown(ChartView* chart);

}  // namespace zm
