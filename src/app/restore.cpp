// Putting a copy back: the user picks one of the copies under バックアップ, the
// data files as they are now are copied first, and then every data file is
// replaced by the copy's, all or none. The pages then show the copy's data.

#include <exception>

#include "app/mainform.h"
#include "store/backup.h"
#include "store/restore.h"
#include "ui/dialogs.h"

namespace zm {

namespace {

constexpr const char* kTitle = "データを戻す";

// In the order of CopyKind.
constexpr const char* kKindTexts[] = {"毎日のコピー", "新規スタート前", "データを戻す前"};

// A copy as the user knows it: its day, its time where it has one, and its
// kind, so that two copies of one day read apart.
std::string copyPhrase(const MainForm::CopyRow& row) {
    if (row.time.empty()) return row.date + "の" + row.kind;
    return row.date + " " + row.time + " の「" + row.kind + "」のコピー";
}

std::string shownCopy(const std::string& name) {
    return std::string(kBackupFolder) + "/" + name;
}

}  // namespace

std::vector<MainForm::CopyRow> MainForm::copyRows() const {
    std::vector<CopyRow> rows;
    for (const CopyFolder& copy : listCopies(s_.folder)) {
        CopyRow row;
        row.name = copy.name;
        row.date = dateText(copy.date);
        if (copy.time) row.time = timeText(*copy.time);
        row.kind = kKindTexts[static_cast<int>(copy.kind)];
        rows.push_back(std::move(row));
    }
    return rows;
}

void MainForm::readCopyRow(CopyRow& row) const {
    row.read = true;
    try {
        const CopyContents contents = readCopy(s_.folder, row.name);
        row.total = contents.total.currencyText();
        row.records = std::to_string(contents.records) + "件";
        row.readable = true;
    } catch (const FileError& e) {
        row.problem = "「" + e.file() + "」を読めません：" +
                      (e.line() > 0 ? std::to_string(e.line()) + " 行目：" : "") + e.reason();
    } catch (const std::exception& e) {
        row.problem = "このコピーを読めません：" + std::string(e.what());
    }
}

void MainForm::restoreCopy(const CopyRow& row, const std::function<void()>& closeList) {
    if (!row.readable) return;
    if (s_.dialogs.msgBox(copyPhrase(row) + "に戻します。現在のデータはコピーしてから置き換えます。"
                                            "よろしいですか？",
                          kTitle, Icon::Question, Buttons::OkCancel) != Answer::Ok) {
        return;
    }
    closeList();
    std::filesystem::path before;
    try {
        before = zm::restoreCopy(s_.folder, row.name, copyNameAt(s_.clock.moment()));
    } catch (const RestoreError& e) {
        using Stage = RestoreError::Stage;
        if (e.stage() == Stage::Mixed) {
            // Some files are the copy's, some the old ones: the program must not go on.
            throw FileError(e.file(), e.line(),
                            e.reason() +
                                "\r\n\r\nデータを戻す途中で止まりました。置き換える前のデータは"
                                "次のフォルダにコピーしてあります。次に起動したときに、"
                                "データを戻す操作を最後まで行います。\r\n" +
                                e.before().string());
        }
        const char* what = e.stage() == Stage::Unreadable ? "コピーを読めないため"
                           : e.stage() == Stage::NoCopyOfBefore
                               ? "現在のデータのコピーを作れなかったため"
                               : "ファイルを置き換えられなかったため";
        s_.dialogs.msgBox(std::string(what) +
                              "、データを戻すのを取りやめました。\r\n"
                              "データは何も変わっていません。\r\n\r\n" +
                              e.what(),
                          kTitle, Icon::Exclamation, Buttons::Ok);
        return;
    }

    // The changes of before are gone with the files they changed; the copy of
    // before is where they can be had back.
    undoList_.clear();
    showUndoButtons();
    showFilesAgain();

    s_.dialogs.msgBox(copyPhrase(row) +
                          "を戻しました。\r\n置き換える前のデータは次のフォルダにコピーして"
                          "あります。\r\n" +
                          shownCopy(before.filename().string()),
                      kTitle, Icon::Information, Buttons::Ok);
}

void MainForm::finishRestore() {
    const auto done = zm::finishRestore(s_.folder);
    if (!done) return;
    if (done->copyProblem.empty()) {
        s_.dialogs.msgBox("前回のデータを戻す操作が途中で止まっていたため、最後まで行いました。\r\n"
                          "戻したコピー：" +
                              shownCopy(done->copyName) + "\r\n置き換える前のデータのコピー：" +
                              shownCopy(done->beforeName),
                          kTitle, Icon::Information, Buttons::Ok);
        return;
    }
    s_.dialogs.msgBox("前回のデータを戻す操作が途中で止まっていました。戻すコピー（" +
                          shownCopy(done->copyName) +
                          "）を読めないため、データを戻す前の状態に戻しました。\r\n"
                          "戻す前のデータのコピー：" +
                          shownCopy(done->beforeName) + "\r\n\r\n" + done->copyProblem,
                      kTitle, Icon::Exclamation, Buttons::Ok);
}

}  // namespace zm
