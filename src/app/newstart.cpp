// The new start: every ledger and list emptied, the three theme names written,
// and the program ended, so that the next start-up begins with the user's own
// data. A copy of the data files is made first: one wrong click here would
// otherwise cost years of records.

#include <filesystem>

#include "app/mainform.h"
#include "store/backup.h"
#include "store/cp932.h"
#include "store/datafolder.h"
#include "store/everyhistoryfile.h"
#include "store/everyledgerfile.h"
#include "store/fieldlength.h"
#include "store/fileerror.h"
#include "store/filenames.h"
#include "store/goalsfile.h"
#include "store/itemlistfile.h"
#include "store/kozeniledgerfile.h"
#include "store/themeledgerfile.h"
#include "store/themenamefile.h"
#include "ui/dialogs.h"
#include "ui/recordlimit.h"
#include "ui/shell.h"

namespace zm {

namespace {

std::filesystem::path copyPath(const DataFolder& folder, const std::string& copy) {
    return folder.dir() / std::string(kBackupFolder) / copy;
}

}  // namespace

// The thirteen steps in their order, then the note of the copy goes; the
// settings and the target days stay.
void MainForm::emptyForNewStart(const std::string& copy, const ThemeNames3& names) {
    // Every file is emptied whatever it holds now, also after a change from
    // outside: the copy just made keeps it.
    const DataFolder f(s_.folder.dir());
    try {
        EveryLedgerFile(f).empty();
        EveryHistoryFile(f).empty();
        KozeniLedgerFile(f).empty();
        for (int i = 0; i < 3; ++i) {
            ThemeLedgerFile(f, i).empty();
            ThemeNameFile(f, i).write(names[static_cast<std::size_t>(i)]);
            ItemListFile(f, i).empty();
        }
        GoalsFile(f).empty();
    } catch (const FileError& e) {
        // The steps before this one are done: the user needs the copy.
        throw FileError(e.file(), e.line(),
                        e.reason() +
                            "\r\n\r\n新規スタートはこのファイルで止まりました。"
                            "新規スタート前のデータは次のフォルダにコピーしてあります。"
                            "必要ならそこからファイルを戻してください。\r\n" +
                            copyPath(f, copy).string());
    }
    clearCopyNote(f, copy, kNewStartNote);
}

void MainForm::finishNewStart() {
    const auto cut = findUnfinishedNewStart(s_.folder);
    if (!cut) return;
    emptyForNewStart(cut->copyName, cut->themeNames);
    s_.dialogs.msgBox(
        "前回の新規スタートが途中で止まっていたため、最後まで行いました。\r\n"
        "新規スタート前のデータは次のフォルダにコピーしてあります。\r\n" +
            copyPath(s_.folder, cut->copyName).string(),
        "新規スタート", Icon::Information, Buttons::Ok);
}

void MainForm::cmdNewStart_Click() {
    const auto& boxes = goals.txtTemaMei;
    for (const TextBox& box : boxes) {
        if (refuseFieldText(s_.dialogs, "テーマ名", fitsStringField(box.text()),
                            fitsFieldLength(box.text())))
            return;
    }
    if (s_.dialogs.msgBox("これまでのデータを全て削除して、新規にスタートしても良いですか？\r\n",
                          "削除確認", Icon::Question, Buttons::OkCancel) != Answer::Ok) {
        return;
    }

    const ThemeNames3 names{boxes[0].text(), boxes[1].text(), boxes[2].text()};
    const std::string copy = copyNameAt(s_.clock.moment());
    try {
        // The copy carries the note that a new start is under way.
        const CopyNote note = newStartNote(names);
        copyDataFiles(s_.folder, copy, files::allData(), {note});
    } catch (const FileError& e) {
        s_.dialogs.msgBox(
            std::string("データのコピーを作れなかったため、新規スタートを取りやめました。\r\n"
                        "データは何も変わっていません。\r\n\r\n") +
                e.what(),
            "新規スタート中止", Icon::Exclamation, Buttons::Ok);
        return;
    }
    emptyForNewStart(copy, names);

    // The pages keep the old data on screen until the program ends.
    s_.dialogs.msgBox(
        "データを初期化しました。\r\n\r\n"
        "一旦プログラムを終了させていただきます。再起動後に新規にスタートできます！\r\n",
        "スタート準備完了", Icon::Information, Buttons::Ok);
    s_.shell.endProgram();
}

}  // namespace zm
