#include "history/analysis.h"

#include <algorithm>
#include <unordered_map>

#include "core/utf8.h"
#include "store/everyledgerfile.h"
#include "store/kozeniledgerfile.h"
#include "store/themeledgerfile.h"
#include "store/themerecord.h"

namespace zm {

namespace {

// A ranking entry; the names live in the ledgers read for this build.
struct Entry {
    std::string_view name;
    Money total;
};

// Each distinct item once, in the order it first appears, with its total.
// Names are compared exactly: case and trailing blanks count.
std::vector<Entry> itemTotals(const std::vector<ThemeRecord>& records) {
    std::vector<Entry> entries;
    std::unordered_map<std::string_view, std::size_t> at;
    for (const ThemeRecord& r : records) {
        const auto [it, fresh] = at.try_emplace(r.item, entries.size());
        if (fresh) {
            entries.push_back({r.item, r.amount});
        } else {
            entries[it->second].total += r.amount;
        }
    }
    return entries;
}

// Largest first; equal totals keep their order. The rank is the position.
void showRanking(LedgerTable& table, std::vector<Entry> entries) {
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return a.total > b.total; });
    table.beginLoad();
    int rank = 0;
    for (const Entry& e : entries) {
        table.appendRow({std::to_string(++rank), std::string(e.name), Cell(e.total)});
    }
    table.endLoad();
}

template <class Rec>
std::array<int, AnalysisPage::kBands + 1> bandCounts(const std::vector<Rec>& records) {
    std::array<int, AnalysisPage::kBands + 1> counts{};
    for (const Rec& r : records) ++counts[static_cast<std::size_t>(depositBand(r.amount))];
    return counts;
}

}  // namespace

int depositBand(Money amount) {
    // Lowest and highest amount of bands 1 to 8; band 8 has no top.
    static constexpr std::int64_t kLow[] = {1, 10, 100, 200, 300, 400, 500, 1000};
    static constexpr std::int64_t kHigh[] = {9, 99, 199, 299, 399, 499, 999};
    for (int b = AnalysisPage::kBands; b >= 1; --b) {
        const auto i = static_cast<std::size_t>(b - 1);
        if (amount < Money::fromYen(kLow[i])) continue;
        return b == AnalysisPage::kBands || amount <= Money::fromYen(kHigh[i]) ? b : 0;
    }
    return 0;
}

AnalysisPage::AnalysisPage(Services services) : s_(services) {
    const char* const headers[] = {"１回入金", "３６５歩", "小銭清算", "テーマ１", "テーマ２",
                                   "テーマ３", "合計",     "1",        "10",       "100",
                                   "200",      "300",      "400",      "500",      "1000"};
    for (std::size_t i = 0; i < lblBunTema2.size(); ++i) lblBunTema2[i].setCaption(headers[i]);
    const char* const captions[] = {"テーマ１", "テーマ２", "テーマ３", "貯金に貢献している順位",
                                    "１回入金の割合"};
    for (std::size_t i = 0; i < Label4.size(); ++i) Label4[i].setCaption(captions[i]);
    for (int row = 0; row <= kSources; ++row) {
        for (int b = 1; b <= kBands; ++b) bandRow(row)[static_cast<std::size_t>(b)].setCaption("0");
    }
    ResetRankingTables();
}

LedgerTable& AnalysisPage::themeRanking(int theme) {
    LedgerTable* const tables[] = {&msgJunTema1, &msgJunTema2, &msgJunTema3};
    return *tables[theme];
}

AnalysisPage::BandLabels& AnalysisPage::bandRow(int row) {
    BandLabels* const rows[] = {&lblBun_on1, &lblBun_on2, &lblBun_on3,
                                &lblBun_on4, &lblBun_on5, &lblBun_on};
    return *rows[row];
}

const AnalysisPage::Ledgers& AnalysisPage::ledgers() {
    if (!ledgers_) {
        ledgers_ = Ledgers{
            EveryLedgerFile(s_.folder).readKept(),
            KozeniLedgerFile(s_.folder).readKept(),
            {ThemeLedgerFile(s_.folder, 0).readKept(), ThemeLedgerFile(s_.folder, 1).readKept(),
             ThemeLedgerFile(s_.folder, 2).readKept()}};
    }
    return *ledgers_;
}

void AnalysisPage::Rebuild(const AnalysisFigures& figures) {
    Figures = figures;
    ResetRankingTables();
    BuildRankings();
    CountDepositBands();
    ShowAnalysisTotals();
    ledgers_.reset();  // the page holds nothing between openings; the folder keeps the reads
}

void AnalysisPage::ResetRankingTables() {
    ledgers_.reset();
    const std::vector<Column> columns = {
        {"順", 400, Align::Default}, {"内容", 3810, Align::Left}, {"金額", 1050, Align::Right}};
    for (int t = 0; t < 3; ++t) themeRanking(t).reset(columns);
    msgJunTema.reset(columns);
}

void AnalysisPage::BuildRankings() {
    std::vector<Entry> overall;
    for (int t = 0; t < 3; ++t) {
        std::vector<Entry> items =
            itemTotals(ledgers().themes[static_cast<std::size_t>(t)]->records);
        overall.insert(overall.end(), items.begin(), items.end());
        showRanking(themeRanking(t), std::move(items));
    }
    const Entry kinds[] = {{"３６５歩のマーチ", Figures.cumulative},
                           {"小銭清算", Figures.kozeniTotal},
                           {"３６５歩の履歴", Figures.historyTotal}};
    for (const Entry& kind : kinds) {
        if (kind.total != Money()) overall.push_back(kind);
    }
    showRanking(msgJunTema, std::move(overall));
}

void AnalysisPage::CountDepositBands() {
    const Ledgers& l = ledgers();
    const std::array<int, kBands + 1> counts[kSources] = {
        bandCounts(l.every->records), bandCounts(l.kozeni->records),
        bandCounts(l.themes[0]->records), bandCounts(l.themes[1]->records),
        bandCounts(l.themes[2]->records)};
    for (std::size_t b = 1; b <= kBands; ++b) {
        int total = 0;
        for (int row = 0; row < kSources; ++row) {
            const int n = counts[row][b];
            bandRow(row)[b].setCaption(std::to_string(n));
            bandCounts_[static_cast<std::size_t>(row)][b] = n;
            total += n;
        }
        lblBun_on[b].setCaption(std::to_string(total));
        bandCounts_[kSources][b] = total;
    }
}

OutTable AnalysisPage::bandTable(std::string title) const {
    OutTable table;
    table.title = std::move(title);
    table.header.push_back(lblBunTema2[0].caption());
    table.align.push_back(Align::Left);
    for (std::size_t b = 1; b <= kBands; ++b) {
        table.header.push_back(lblBunTema2[6 + b].caption());
        table.align.push_back(Align::Right);
    }
    for (std::size_t row = 0; row <= kSources; ++row) {
        std::vector<OutCell>& cells = table.rows.emplace_back();
        cells.push_back(OutCell::ofText(lblBunTema2[row + 1].caption()));
        for (std::size_t b = 1; b <= kBands; ++b)
            cells.push_back(OutCell::ofCount(bandCounts_[row][b]));
    }
    return table;
}

void AnalysisPage::ShowAnalysisTotals() {
    const AnalysisFigures& f = Figures;
    // The same sum as the goals page's; the given-up runs are not part of it.
    const Money grand =
        f.cumulative + f.kozeniTotal + f.themeTotal[0] + f.themeTotal[1] + f.themeTotal[2];
    lblTemaGoukei[0].setCaption(grand.currencyText());
    for (std::size_t n = 1; n <= 3; ++n) {
        lblTemaGoukei[n].setCaption(f.themeTotal[n - 1].currencyText());
        lblBunTema[n].setCaption(f.themeName[n - 1]);
        lblBunTema2[n + 2].setCaption(firstChars(f.themeName[n - 1], 4));
    }
}

}  // namespace zm
