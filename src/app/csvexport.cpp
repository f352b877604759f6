#include "app/csvexport.h"

#include <algorithm>
#include <cerrno>
#include <system_error>

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
#include "store/filewriting.h"
#include "store/goalsfile.h"
#include "store/itemlistfile.h"
#include "store/kozeniledgerfile.h"
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

std::string u8(const std::filesystem::path& p) {
    const std::u8string s = p.u8string();
    return {s.begin(), s.end()};
}

}  // namespace

std::vector<std::string> exportCsvFiles(const DataFolder& data, const std::filesystem::path& out,
                                        const Clock& clock) {
    // Nothing is made or written in the data folder, nor in a folder inside it.
    std::error_code ec;
    const auto home = std::filesystem::weakly_canonical(data.dir(), ec);
    const auto target = std::filesystem::weakly_canonical(out, ec);
    if (std::mismatch(home.begin(), home.end(), target.begin(), target.end()).first == home.end()) {
        throw FileError(u8(out), 0, "データフォルダの中には書き出せません。");
    }
    std::filesystem::create_directories(out, ec);
    if (ec) throw FileError(u8(out), 0, systemReason(ec.value()));

    std::vector<std::string> written;
    auto write = [&](const std::string& name, const OutTable& table) {
        writeWhole(out / std::filesystem::path(std::u8string(name.begin(), name.end())),
                   toCsv(table), name);
        written.push_back(name);
    };
    LedgerTable table("csv");
    auto writeTable = [&](std::string_view dataFile) {
        const std::string name = csvName(dataFile);
        write(name, outTable(table, {}, name));
    };

    const auto every = readIfPresent(EveryLedgerFile(data), data);
    StepPage::fillLedger(table, every.records);
    writeTable(files::kEvery);
    StepPage::fillLedger(table, readIfPresent(EveryHistoryFile(data), data).records);
    writeTable(files::kEveryHistory);
    const auto kozeni = readIfPresent(KozeniLedgerFile(data), data);
    SmallChangePage::fillLedger(table, kozeni.records);
    writeTable(files::kKozeni);

    // The goals are measured against the same sum as on their page.
    Money savings = every.total + kozeni.total;
    ThemeNames names;
    for (int t = 0; t < 3; ++t) {
        auto ledger = readIfPresent(ThemeLedgerFile(data, t), data);
        savings += ledger.total;
        ThemePage::fillLedger(table, std::move(ledger.records));
        writeTable(files::kTheme[t]);
        ThemePage::FillItems(table, ItemListFile(data, t).read().records);
        writeTable(files::kItems[t]);
        names[static_cast<std::size_t>(t)] = ThemeNameFile(data, t).read();
    }
    GoalsPage::FillGoals(table, readIfPresent(GoalsFile(data), data).records, savings);
    writeTable(files::kGoals);

    NoDialogs dialogs;
    NoShell shell;
    const Services services{data, dialogs, shell, clock};
    DayHistory days(services);
    days.showAllDays(names);
    write("日別の貯金履歴.csv", days.msgDayList.out({}, "日別の貯金履歴"));
    MonthHistory months(services);
    months.open(names);
    write("月別の貯金履歴.csv", months.msgMonthList.out({}, "月別の貯金履歴"));
    return written;
}

}  // namespace zm
