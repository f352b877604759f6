#include "app/csvexport.h"

#include <utility>

#include "goals/goalspage.h"
#include "history/dayhistory.h"
#include "history/monthhistory.h"
#include "smallchange/smallchangepage.h"
#include "step/steppage.h"
#include "store/datafolder.h"
#include "store/everyhistoryfile.h"
#include "store/everyledgerfile.h"
#include "store/fileerror.h"
#include "store/filenames.h"
#include "store/goalsfile.h"
#include "store/itemlistfile.h"
#include "store/kozeniledgerfile.h"
#include "store/outfiles.h"
#include "store/themeledgerfile.h"
#include "store/themenamefile.h"
#include "theme/themepage.h"
#include "ui/dialogs.h"
#include "ui/shell.h"
#include "ui/tableexport.h"

namespace zm {

namespace {

// The history pages ask nothing and open nothing; they only read.
class NoDialogs final : public Dialogs {
public:
    Answer msgBox(const std::string&, const std::string&, Icon, Buttons) override {
        return Answer::Cancel;
    }
    std::string inputBox(const std::string&, const std::string&) override { return {}; }
};

class NoShell final : public Shell {
public:
    void doEvents() override {}
    void setFocus(const Control&) override {}
    void showMainWindow() override {}
    void openGuide(Guide, bool) override {}
    void openHelp(const std::string&) override {}
    void closeHelp() override {}
    void endProgram() override {}
};

// A ledger the window would create empty is taken as empty, not created.
template <class File>
auto readIfPresent(const File& file, const DataFolder& data) {
    return data.exists(file.name()) ? file.read() : decltype(file.read()){};
}

std::string csvName(std::string_view dataFile) {
    const std::string name(dataFile);
    return name.substr(0, name.rfind('.')) + ".csv";
}

}  // namespace

std::vector<std::string> exportCsvFiles(const DataFolder& data, const std::filesystem::path& out,
                                        const Clock& clock) {
    // Every file is read and made before the first is written: a file that
    // is refused leaves the folder as it was.
    std::vector<std::pair<std::string, std::string>> made;
    auto add = [&](const std::string& name, const OutTable& table) {
        made.emplace_back(name, toCsv(table));
    };
    LedgerTable table("csv");
    auto writeTable = [&](std::string_view dataFile) {
        const std::string name = csvName(dataFile);
        add(name, outTable(table, {}, name));
    };

    const auto every = readIfPresent(EveryLedgerFile(data), data);
    StepPage::fillLedger(table, every.records);
    writeTable(files::kEvery);
    StepPage::fillLedger(table, readIfPresent(EveryHistoryFile(data), data).records);
    writeTable(files::kEveryHistory);
    const auto kozeni = readIfPresent(KozeniLedgerFile(data), data);
    SmallChangePage::fillLedger(table, kozeni.records);
    writeTable(files::kKozeni);

    // The goals are measured against the same sum as on their page, at the
    // same pace.
    Money savings = every.total + kozeni.total;
    RecentPace pace(clock.today());
    for (const auto& r : every.records) pace.add(r.date, r.amount);
    for (const auto& r : kozeni.records) pace.add(r.date, r.amount);
    ThemeNames names;
    for (int t = 0; t < 3; ++t) {
        auto ledger = readIfPresent(ThemeLedgerFile(data, t), data);
        savings += ledger.total;
        for (const auto& r : ledger.records) pace.add(r.date, r.amount);
        ThemePage::fillLedger(table, ledger);
        writeTable(files::kTheme[t]);
        ThemePage::FillItems(table, ItemListFile(data, t).read().records);
        writeTable(files::kItems[t]);
        names[static_cast<std::size_t>(t)] = ThemeNameFile(data, t).read();
    }
    GoalsPage::FillGoals(table, readIfPresent(GoalsFile(data), data).records, savings, pace);
    writeTable(files::kGoals);

    NoDialogs dialogs;
    NoShell shell;
    const Services services{data, dialogs, shell, clock};
    DayHistory days(services);
    days.showAllDays(names);
    add("日別の貯金履歴.csv", days.msgDayList.out({}, "日別の貯金履歴"));
    MonthHistory months(services);
    months.open(names);
    add("月別の貯金履歴.csv", months.msgMonthList.out({}, "月別の貯金履歴"));
    writeOutFiles(data, out, made);
    std::vector<std::string> written;
    for (const auto& file : made) written.push_back(file.first);
    return written;
}

}  // namespace zm
