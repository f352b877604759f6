#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/undolist.h"
#include "goals/goalspage.h"
#include "history/analysis.h"
#include "history/dayhistory.h"
#include "history/monthhistory.h"
#include "smallchange/smallchangepage.h"
#include "step/steppage.h"
#include "store/datafolder.h"
#include "theme/themepage.h"
#include "ui/changes.h"
#include "ui/controls.h"
#include "ui/services.h"
#include "ui/tableexport.h"

namespace zm {

class EditLog;

// The main window: owns every page, runs the start-up and switches pages.
class MainForm {
public:
    explicit MainForm(Services services);

    // Window-level controls.
    Button cmdCyokin1{"cmdCyokin1", "３６５歩"};
    Button cmdCyokin2{"cmdCyokin2", "小銭清算"};
    Button cmdCyokin3{"cmdCyokin3", "テーマ１"};
    Button cmdCyokin4{"cmdCyokin4", "テーマ２"};
    Button cmdCyokin5{"cmdCyokin5", "テーマ３"};
    Button cmdMaster{"cmdMaster", "目的"};
    Button cmdData_Sort{"cmdData_Sort", "分析"};
    Button cmdDay{"cmdDay", "日データ"};
    Button cmdMonth{"cmdMonth", "月データ"};
    Button cmdEnd{"cmdEnd", "終了"};
    Button cmdHelp{"cmdHelp", "ヘルプ"};
    CheckBox chkHelp{"chkHelp"};
    // Undo and redo of the changes made to the data in this run, and the
    // line that says what the last of them did.
    Button cmdUndo{"cmdUndo", "元に戻す"};
    Button cmdRedo{"cmdRedo", "やり直し"};
    Label lblUndo{"lblUndo"};

private:
    // Where each page tells of its changes (src/app/undo.cpp).
    struct PageChanges final : Changes {
        PageChanges(MainForm& f, int p) : form(f), page(p) {}
        void made(std::string what, std::function<void(bool undone)> show) override;
        MainForm& form;
        int page;
    };
    std::shared_ptr<EditLog> edits_;
    UndoList undoList_;
    std::array<PageChanges, 6> changes_;

    // A folder of its own for each page that writes (the 365-step, small-change,
    // three theme and goals pages), so that its writes are checked against
    // what it shows; the summary pages only read, through the form's.
    std::array<DataFolder, 6> ownFolders_;
    Services ownServices(const Services& s, int page);

public:
    // Pages.
    StepPage every;
    SmallChangePage kozeni;
    // Themes 1 to 3, on the buttons cmdCyokin3 to cmdCyokin5.
    std::array<ThemePage, 3> themes;
    Frame fraMokuhyo{"fraMokuhyo"};
    GoalsPage goals;
    Frame fraDataSort{"fraDataSort"};
    AnalysisPage analysis;
    Frame fraDay{"fraDay"};
    Frame fraMonth{"fraMonth"};
    DayHistory dayHistory;
    MonthHistory monthHistory;

    // The window's state, as start-up and the help tour leave it.
    bool loading() const { return loading_; }
    const std::string& helpFile() const { return helpFile_; }
    int helpTour() const { return helpTour_; }
    // What the next ShowHelpTour shows.
    void setHelpTourText(std::string text) { helpTourText_ = std::move(text); }

    void Form_Load();
    void READ_SETTEI();
    void HidePages();
    // Shows the help-tour text while the help tour is on.
    void ShowHelpTour();

    void cmdCyokin1_Click();
    void cmdCyokin2_Click();
    void cmdCyokin3_Click();
    void cmdCyokin4_Click();
    void cmdCyokin5_Click();
    void cmdMaster_Click();
    void cmdData_Sort_Click();
    void cmdDay_Click();
    void cmdMonth_Click();
    void cmdAllDay_Click();
    void lstDay_Click();
    void cmdEnd_Click();
    void chkHelp_Click();
    void cmdHelp_Click();
    // The last change made (or undone) is undone (or made again); the page it
    // was made on shows the files as they are then (src/app/undo.cpp).
    void cmdUndo_Click();
    void cmdRedo_Click();
    // A user's action begins: the line of the last undo goes.
    void actionBegins();
    // On the goals page; empties every page's files (src/app/newstart.cpp).
    void cmdNewStart_Click();
    // Finishes a new start that was cut short, before the pages read anything.
    void finishNewStart();
    // Finishes a restore that was cut short, or undoes it when its copy can
    // no longer be read, before the pages read anything (src/app/restore.cpp).
    void finishRestore();

    // Putting a copy of the data back (src/app/restore.cpp). One row of the
    // list of copies.
    struct CopyRow {
        std::string name;  // the copy's folder under バックアップ
        std::string date;  // "YYYY年MM月DD日"
        std::string time;  // "HH:MM:SS"; empty for a daily copy
        std::string kind;  // 毎日のコピー, 新規スタート前 or データを戻す前
        bool read = false;
        bool readable = false;
        std::string total;    // what the goals page's 貯金総額 would show
        std::string records;  // the number of deposits
        std::string problem;  // why it cannot be read
    };
    // Every copy, newest first, not read yet.
    std::vector<CopyRow> copyRows() const;
    // Reads the copy into its row. Touches nothing of the form: it may run
    // on another thread.
    void readCopyRow(CopyRow& row) const;
    // Asks, then puts the copy in place of the data files and shows it on
    // every page. `closeList` is called once the user has said yes.
    void restoreCopy(const CopyRow& row, const std::function<void()>& closeList);

    // Taking data out (src/app/dataout.cpp). Writes `bytes` whole as the file
    // at `path`, a CSV file or a chart's picture the user named; a failure is
    // told in a message, leaves any old file whole and gives false. The
    // program goes on either way: no data file is concerned, since a path in
    // the data folder or a symbolic link is refused (store/outfiles.h).
    bool saveOutFile(const std::filesystem::path& path, std::string_view bytes);
    bool saveCsv(const std::filesystem::path& path, const OutTable& table) {
        return saveOutFile(path, toCsv(table));
    }
    // The name offered for a table's or a chart's file: the title and today.
    std::string outFileName(std::string_view title, std::string_view extension) const;
    Date today() const;

    // Every frame in the order HidePages hides them.
    std::array<Frame*, 9> pageFrames();
    // The folder the help file lies in, with the data.
    const DataFolder& dataFolder() const { return s_.folder; }

    // A data file changed behind the program's back (src/app/outsidechange.cpp).
    // Every page shows the files as they are now; then the user is told
    // which file changed. A file that can no longer be read is a FileError.
    void followOutsideChange(const std::string& file);
    // While idle, after a change in the data folder: when a file a page shows
    // has changed behind the program's back, every page shows the files as
    // they are now, without a word. The program's own writes are no change.
    void followFiles();
    // Where the data files are now.
    std::vector<std::filesystem::path> dataFilePaths() const;

private:
    // Shows `frame` unless it is already the visible page; false when it was.
    bool switchTo(Frame& frame);
    void openSummary(Frame& frame, const std::function<void()>& build, const char* helpTourText);
    void openTheme(ThemePage& theme);
    GoalsPage::Totals goalsTotals() const;
    // What the five savings ledgers the pages show saved over the last 90 days.
    RecentPace savingsPace() const;
    void loadSavingsPages();
    // Every page as at start-up, and the summary page on screen rebuilt.
    void showFilesAgain();
    void rebuildGoals();
    void rebuildAnalysis();
    void emptyForNewStart(const std::string& copy, const std::array<std::string, 3>& names);
    ThemeNames themeNames() const;
    // Undo and redo (src/app/undo.cpp).
    void undoOrRedo(bool undone);
    void showUndoButtons();
    void showPageAgain(int page);
    void showPage(int page);
    const DataFolder& folderOf(std::string_view file) const;

    struct KozeniSink final : SurplusSink {
        explicit KozeniSink(MainForm& f) : form(f) {}
        bool canTake(Money amount) override;
        void record(const TimedRecord& rec) override;
        void refresh() override;
        MainForm& form;
    };

    Services s_;
    KozeniSink surplusToKozeni_{*this};
    // True while the start-up (or a copy put back) sets the controls: the
    // help-tour box's click then does nothing.
    bool loading_ = false;
    std::string helpFile_;
    int helpTour_ = 0;
    std::string helpTourText_;
};

}  // namespace zm
