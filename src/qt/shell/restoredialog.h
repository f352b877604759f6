#pragma once

#include <QDialog>
#include <atomic>
#include <thread>
#include <vector>

#include "app/mainform.h"
#include "qt/binding/bind.h"

class QPushButton;
class QTableWidget;

namespace zm {

// The list of copies under バックアップ, newest first, to put one back. The
// rows are listed at once and filled as a second thread reads each copy, so
// the window never waits for the reading.
class RestoreDialog : public QDialog {
    Q_OBJECT
public:
    RestoreDialog(MainForm& form, const Runner& run, QWidget* parent);
    ~RestoreDialog() override;

private:
    void showRow(int row);
    void choose();
    void updateButton();

    MainForm& form_;
    Runner run_;
    std::vector<MainForm::CopyRow> rows_;
    QTableWidget* table_ = nullptr;
    QPushButton* ok_ = nullptr;
    std::atomic<bool> stop_{false};
    std::thread reader_;
};

// Opens the list modally over `parent`.
void openRestoreDialog(MainForm& form, const Runner& run, QWidget* parent);

}  // namespace zm
