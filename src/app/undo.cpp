// Undo and redo of the changes made to the data in this run. Each page tells
// of a change once it is written; the edits its folder logged on the way are
// the step's, written back or again through the same folder.

#include "app/mainform.h"
#include "store/editlog.h"
#include "store/fileerror.h"
#include "store/filenames.h"
#include "ui/dialogs.h"

namespace zm {

namespace {

constexpr int kGoalsPage = 5;

// The page whose folder writes the file: 0 the 365-step page, 1 small change,
// 2 to 4 the themes, 5 the goals.
int pageOfFile(std::string_view file) {
    if (file == files::kKozeni) return 1;
    if (file == files::kGoals) return kGoalsPage;
    for (int i = 0; i < 3; ++i) {
        const auto t = static_cast<std::size_t>(i);
        if (file == files::kTheme[t] || file == files::kItems[t] || file == files::kThemeName[t])
            return 2 + i;
    }
    return 0;
}

}  // namespace

void MainForm::PageChanges::made(std::string what, std::function<void(bool undone)> show) {
    auto edits = form.edits_->take();
    // A file written again as it was (the same name, the same target days)
    // is no change to take back.
    std::erase_if(edits, [](const FileEdit& e) { return !e.appended && e.before == e.after; });
    if (edits.empty()) return;
    form.undoList_.push({std::move(what), page, std::move(edits), std::move(show)});
    form.showUndoButtons();
}

const DataFolder& MainForm::folderOf(std::string_view file) const {
    return ownFolders_[static_cast<std::size_t>(pageOfFile(file))];
}

void MainForm::showUndoButtons() {
    const UndoList::Step* undo = undoList_.toUndo();
    const UndoList::Step* redo = undoList_.toRedo();
    cmdUndo.setEnabled(undo != nullptr);
    cmdUndo.setTooltip(undo ? "元に戻す：" + undo->what : "元に戻す変更はありません");
    cmdRedo.setEnabled(redo != nullptr);
    cmdRedo.setTooltip(redo ? "やり直し：" + redo->what : "やり直す変更はありません");
}

void MainForm::actionBegins() {
    lblUndo.setCaption("");
}

void MainForm::cmdUndo_Click() {
    undoOrRedo(true);
}

void MainForm::cmdRedo_Click() {
    undoOrRedo(false);
}

void MainForm::undoOrRedo(bool undone) {
    const UndoList::Step* step = undone ? undoList_.toUndo() : undoList_.toRedo();
    if (!step) return;
    const std::string what = step->what;
    const char* const title = undone ? "元に戻す" : "やり直し";
    const auto folder = [this](std::string_view file) -> const DataFolder& {
        return folderOf(file);
    };
    try {
        if (undone) {
            undoList_.undo(folder);
        } else {
            undoList_.redo(folder);
        }
    } catch (const OutsideChange& e) {
        if (undone) {
            undoList_.dropUndo();
        } else {
            undoList_.dropRedo();
        }
        showUndoButtons();
        showFilesAgain();
        s_.dialogs.msgBox("「" + e.file() + "」がほかのプログラムで変更されているため、「" + what +
                              "」を" + (undone ? "元に戻せません" : "やり直せません") +
                              "。\r\nファイルには何も書いていません。この変更は一覧から外し、"
                              "ファイルを読み直しました。",
                          title, Icon::Exclamation, Buttons::Ok);
        return;
    } catch (const FileError& e) {
        // Every file is as it was, and the step stays to be tried again.
        s_.dialogs.msgBox(std::string("データファイルを読み書きできませんでした。\r\n\r\n") +
                              e.what() + "\r\n\r\n「" + what + "」を" +
                              (undone ? "元に戻せません" : "やり直せません") +
                              "でした。ファイルは変わっていません。原因を取り除いてから、"
                              "もう一度お試しください。",
                          title, Icon::Exclamation, Buttons::Ok);
        return;
    }
    // The step has moved to the other list: it is the one to redo (or undo) now.
    const UndoList::Step& moved = *(undone ? undoList_.toRedo() : undoList_.toUndo());
    if (moved.show) {
        moved.show(undone);
    } else {
        showPageAgain(moved.page);
    }
    // The daily history heads its columns with the theme names.
    for (const FileEdit& e : moved.edits) {
        for (std::string_view name : files::kThemeName)
            if (e.name == name) dayHistory.InitDayGrid(themeNames());
    }
    showPage(moved.page);
    showUndoButtons();
    lblUndo.setCaption(std::string(undone ? "元に戻しました：" : "やり直しました：") + what);
}

void MainForm::showPageAgain(int page) {
    if (page == 0) every.load();
    if (page == 1) kozeni.reload();
    if (page >= 2 && page <= 4) themes[static_cast<std::size_t>(page - 2)].load();
}

void MainForm::showPage(int page) {
    if (page == kGoalsPage) {
        rebuildGoals();
        switchTo(fraMokuhyo);
        return;
    }
    switchTo(*pageFrames()[static_cast<std::size_t>(page)]);
}

}  // namespace zm
