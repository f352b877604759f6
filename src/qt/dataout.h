#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "ui/controls.h"
#include "ui/tableexport.h"

class QPagedPaintDevice;
class QCustomPlot;
class QWidget;

namespace zm {

class MainForm;
class ChartView;

// The ways out of the window, one piece for every table and chart: the
// context menu ("コピー", "CSVで保存…", "画像として保存…", "印刷…"), Ctrl+C,
// Ctrl+A and Ctrl+P, the clipboard, the file dialog and the print preview.
// The files themselves are written by the main form.

// What a page offers for its printed report; found by the tables and charts
// of the page, which are its descendants.
struct PageOut {
    // The page's title, for file names and the report.
    std::function<std::string()> title;
    // The figures beside the table (totals, counts), each under its caption.
    std::vector<std::pair<std::string, const Label*>> figures;
    // The chart of the report, if any.
    ChartView* chart = nullptr;
    // The tables of the report, every row; none for a page that does not print.
    std::function<std::vector<OutTable>()> tables;
};

// The main window's form, through which files are written; set once by the
// main window for its lifetime.
void setOutForm(MainForm* form);

// Makes `page` printable (Ctrl+P and "印刷…" anywhere on it) and names its
// files.
void offerPage(QWidget* page, PageOut out);

// A table: `rows` gives the table's rows (1-based, empty for every row)
// under a title. On an item view the selected rows are copied, all when none
// is, and Ctrl+A selects every row.
using TableRows = std::function<OutTable(const std::vector<int>& rows, std::string title)>;
void offerTable(QWidget* table, TableRows rows);
// The title of a table's files when it is not the page's (one of several
// tables of a page).
void setOutTitle(QWidget* table, std::function<std::string()> title);

// A chart: "画像として保存…" as PNG at twice the screen's density, or PDF.
void offerChart(ChartView* chart);

// The clipboard's contents for a table: its TSV as text, its HTML table.
void copyTable(const OutTable& table);

// A chart as a file: PDF (vector), or PNG of its size on screen at twice the
// screen's pixel density.
QByteArray chartPicture(QCustomPlot* plot, bool pdf);

// The report of a page on `device`, sheet after sheet: title and date, the
// figures, the chart, then the tables with their header row on every sheet.
// `progress` is told the rows done out of all, and ends the report early by
// returning false. Returns the sheets drawn, or -1 when stopped.
struct Report {
    std::string title;
    std::string date;
    std::vector<std::pair<std::string, std::string>> figures;
    QCustomPlot* chart = nullptr;
    std::vector<OutTable> tables;
};
int drawReport(QPagedPaintDevice& device, const Report& report,
               const std::function<bool(int done, int all)>& progress);
// The page's report as it stands now.
Report reportOf(const PageOut& out, const std::string& date);
// The PageOut of the page `widget` lies in, or nullptr.
const PageOut* pageOutOf(const QWidget* widget);

}  // namespace zm
