#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/money.h"
#include "store/loaded.h"
#include "store/themerecord.h"
#include "store/timedrecord.h"
#include "ui/controls.h"
#include "ui/ledgertable.h"
#include "ui/services.h"
#include "ui/tableexport.h"

namespace zm {

// What the analysis needs of the savings pages, handed over by the main form.
struct AnalysisFigures {
    Money cumulative;    // the current 365-step run
    Money historyTotal;  // the given-up 365-step runs
    Money kozeniTotal;
    std::array<Money, 3> themeTotal;
    std::array<std::string, 3> themeName;
};

// The help-tour text of the page.
inline constexpr const char* kAnalysisHelpTour =
    "各種テーマの各項目毎の入金状況を把握することができます。\r\n"
    "\r\n"
    "貯金に貢献している項目順にリスト表示されます。\r\n"
    "また、各種テーマ、各種項目と３６５歩のマーチ貯金、小銭清算貯金とをトータルで分析し\r\n"
    "その中でも順位決めをして表示します。\r\n"
    "\r\n"
    "自分の貯金生活には何が有効になっているのか､そんな状況が一目でわかります｡ \r\n"
    "\r\n"
    "また、一回の入金でどのくらいの金額を入れていることが多いのか、"
    "そんな状況がわかる一覧機能もあります。 ";

// Deposit-size bands 1..8; 0 for an amount in none (below 1, or a fraction
// between two bands such as 9.5).
int depositBand(Money amount);

// Labels named as a control array: name_0, name_1, ...
template <std::size_t N>
std::array<Label, N> labelArray(std::string_view name) {
    return [&]<std::size_t... I>(std::index_sequence<I...>) {
        return std::array<Label, N>{{Label{std::string(name) + "_" + std::to_string(I)}...}};
    }
    (std::make_index_sequence<N>{});
}

// The contribution analysis: rankings of the theme items and of the savings
// kinds by what they brought in, and a count of deposits by size. Built
// afresh from the ledger files each time it is opened; writes nothing.
class AnalysisPage {
public:
    static constexpr int kBands = 8;
    // The band table's sources, in row order.
    static constexpr int kSources = 5;

    explicit AnalysisPage(Services services);
    AnalysisPage(const AnalysisPage&) = delete;
    AnalysisPage& operator=(const AnalysisPage&) = delete;

    // Ranking tables: themes 1 to 3 and all savings together.
    LedgerTable msgJunTema1{"msgJunTema1", 11};
    LedgerTable msgJunTema2{"msgJunTema2", 11};
    LedgerTable msgJunTema3{"msgJunTema3", 11};
    LedgerTable msgJunTema{"msgJunTema", 11};

    // Band counts, elements 1 to 8: 365-step, small change, themes 1 to 3,
    // and their sum per band. Element 0 is unused.
    using BandLabels = std::array<Label, kBands + 1>;
    BandLabels lblBun_on1 = labelArray<kBands + 1>("lblBun_on1");
    BandLabels lblBun_on2 = labelArray<kBands + 1>("lblBun_on2");
    BandLabels lblBun_on3 = labelArray<kBands + 1>("lblBun_on3");
    BandLabels lblBun_on4 = labelArray<kBands + 1>("lblBun_on4");
    BandLabels lblBun_on5 = labelArray<kBands + 1>("lblBun_on5");
    BandLabels lblBun_on = labelArray<kBands + 1>("lblBun_on");
    // The band table's corner (0), row headers (1..6) and band headers (7..14).
    std::array<Label, 15> lblBunTema2 = labelArray<15>("lblBunTema2");
    // Theme names over the rankings, elements 1 to 3.
    std::array<Label, 4> lblBunTema = labelArray<4>("lblBunTema");
    // The grand total (0) and the theme totals (1..3).
    std::array<Label, 4> lblTemaGoukei = labelArray<4>("lblTemaGoukei");
    // Fixed captions.
    std::array<Label, 5> Label4 = labelArray<5>("Label4");

    // The page as the main form opens it: the four steps below, in order,
    // each ledger file read once.
    void Rebuild(const AnalysisFigures& figures);

    void ResetRankingTables();
    void BuildRankings();
    void CountDepositBands();
    void ShowAnalysisTotals();

    // The figures the steps use; Rebuild sets them.
    AnalysisFigures Figures;

    LedgerTable& themeRanking(int theme);
    BandLabels& bandRow(int row);  // 0..4 the sources, 5 the total
    // The band table as its labels show it, the counts as numbers.
    OutTable bandTable(std::string title) const;

private:
    struct Ledgers {
        std::shared_ptr<const Loaded<TimedRecord>> every;
        std::shared_ptr<const Loaded<TimedRecord>> kozeni;
        std::array<std::shared_ptr<const Loaded<ThemeRecord>>, 3> themes;
    };
    // The ledgers of this build, read on first use.
    const Ledgers& ledgers();

    Services s_;
    std::optional<Ledgers> ledgers_;
    // Per row of the band table (the sources, then their sum), per band 1..8.
    std::array<std::array<int, kBands + 1>, kSources + 1> bandCounts_{};
};

}  // namespace zm
