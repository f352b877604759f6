#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "ui/tableexport.h"

class QCustomPlot;
class QPagedPaintDevice;

namespace zm {

// A page's printed report: title and date, the figures, the chart, then the
// tables.
struct Report {
    std::string title;
    std::string date;
    std::vector<std::pair<std::string, std::string>> figures;
    QCustomPlot* chart = nullptr;
    std::vector<OutTable> tables;
};

// Draws the report on `device`, sheet after sheet, the tables with their
// header row on every sheet. `progress` is told the rows done out of all,
// and ends the report early by returning false. Returns the sheets drawn, or
// -1 when stopped. A report printed to a PDF file names its ideographs right.
int drawReport(QPagedPaintDevice& device, const Report& report,
               const std::function<bool(int done, int all)>& progress);

}  // namespace zm
