#pragma once

namespace zm {

class LedgerTable;
class ChartData;

// Fills a page chart from its ledger table: one point per record, in table
// order, with series 0 the running total (column 4) and series 1 the single
// deposit (column 3), both from the Money values behind the cells. The points
// carry no labels: the x axis of a page chart counts records. The points are
// taken from the table when the chart is first drawn (or the table about to
// change), so the table must outlive the chart's data.
void fillPageChart(LedgerTable& table, ChartData& chart);

}  // namespace zm
