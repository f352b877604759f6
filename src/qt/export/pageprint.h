#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "ui/controls.h"
#include "ui/tableexport.h"

class QCustomPlot;
class QMenu;
class QWidget;

namespace zm {

class DataExport;
struct Report;

// What a page offers for its printed report; found by the tables and charts
// of the page, which are its descendants.
struct PageOut {
    // The page's title, for file names and the report.
    std::function<std::string()> title;
    // The figures beside the table (totals, counts), each under its caption.
    std::vector<std::pair<std::string, const Label*>> figures;
    // The chart of the report, if any.
    QCustomPlot* chart = nullptr;
    // The tables of the report, every row; none for a page that does not print.
    std::function<std::vector<OutTable>()> tables;
};

// Makes `page` printable (Ctrl+P and "印刷…" anywhere on it) and names its
// files; the report is saved through `out`.
void offerPage(QWidget* page, PageOut offered, DataExport& out);
// The PageOut of the page `widget` lies in, or nullptr.
const PageOut* pageOutOf(const QWidget* widget);
// The title of the page `widget` lies in, or of its window.
std::string pageTitleOf(const QWidget* widget);
// "印刷…" in a menu of `widget`, when its page prints.
void addPrintEntry(QMenu& menu, QWidget* widget);

// The page's report as it stands now.
Report reportOf(const PageOut& out, const std::string& date);

}  // namespace zm
