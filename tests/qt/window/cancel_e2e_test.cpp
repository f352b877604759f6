// Cancel through the program's real message and input boxes: the typed text
// is dropped, every question titled "削除確認" deletes nothing.
#include <gtest/gtest.h>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <deque>
#include <filesystem>
#include <map>

#include "qt/shell/qtdialogs.h"
#include "store/filenames.h"
#include "window.h"

namespace zm::test {
namespace {

namespace fs = std::filesystem;

// Answers the boxes as they come up, as a user would. A box that no answer
// was queued for fails the test and is closed, so nothing waits for ever.
class BoxAnswers : public QObject {
public:
    using Act = std::function<void(QWidget* box)>;

    BoxAnswers() {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, this, [this] { poll(); });
        timer_.start();
    }
    ~BoxAnswers() override { EXPECT_TRUE(acts_.empty()) << acts_.size() << " boxes never came"; }

    BoxAnswers& then(Act act) {
        acts_.push_back(std::move(act));
        return *this;
    }
    // An input box: types `text`, then presses the button.
    BoxAnswers& type(const char* text, QDialogButtonBox::StandardButton button) {
        return then([text, button](QWidget* box) {
            auto* input = qobject_cast<QInputDialog*>(box);
            ASSERT_NE(input, nullptr) << "not an input box";
            input->findChild<QLineEdit*>()->insert(QString::fromUtf8(text));
            input->findChild<QDialogButtonBox*>()->button(button)->click();
        });
    }
    // A message box: records its title and presses the button.
    BoxAnswers& press(QMessageBox::StandardButton button) {
        return then([this, button](QWidget* box) {
            auto* message = qobject_cast<QMessageBox*>(box);
            ASSERT_NE(message, nullptr) << "not a message box";
            titles.push_back(message->windowTitle().toStdString());
            ASSERT_NE(message->button(button), nullptr) << titles.back();
            message->button(button)->click();
        });
    }
    std::vector<std::string> titles;

private:
    void poll() {
        QWidget* box = QApplication::activeModalWidget();
        if (!box || !box->isVisible()) return;
        if (acts_.empty()) {
            ADD_FAILURE() << "unexpected box: " << box->windowTitle().toStdString();
            box->close();
            return;
        }
        const Act act = std::move(acts_.front());
        acts_.pop_front();
        act(box);
    }
    std::deque<Act> acts_;
    QTimer timer_;
};

std::map<std::string, std::string> snapshot(const TempDir& dir) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(dir.path())) {
        if (e.is_regular_file())
            files[fs::relative(e.path(), dir.path())] =
                dir.read(fs::relative(e.path(), dir.path()).native());
    }
    return files;
}

void doubleClick(QWidget* widget, QPoint pos = {}) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, pos);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, pos);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, pos);
}

void doubleClickRow(QTableView* table, int row) {
    doubleClick(table->viewport(), table->visualRect(table->model()->index(row, 1)).center());
}

struct RealBoxes : ::testing::Test {
    Window win;
    QtDialogs boxes;

    void SetUp() override {
        win.w.putInstallation();
        win.w.put(files::kEvery, "\"2026年03月03日\",\"09:00:00\",1\n");
        win.w.put(files::kKozeni,
                  "\"2026年03月01日\",\"09:00:00\",100\n\"2026年03月02日\",\"09:00:00\",200\n");
        for (int t = 0; t < 3; ++t) {
            win.w.put(files::kTheme[t],
                      "\"2026年03月01日\",\"お風呂\",30\n\"2026年03月02日\",\"晩酌\",50\n");
            win.w.put(files::kItems[t], "\"お風呂\",30\n\"晩酌\",50\n");
        }
        win.realBoxes = &boxes;
        win.start();
        ASSERT_FALSE(win.shell.ended());
    }
};

TEST_F(RealBoxes, CancelledOverPaymentAndRenamesRecordNothing) {
    const auto before = snapshot(win.w.dir);
    {
        // Cancel on the amount, with an amount typed; then Cancel on the sum.
        BoxAnswers answers;
        answers.type("100", QDialogButtonBox::Cancel);
        win.click("cmdEveryHozon2");
        answers.type("100", QDialogButtonBox::Ok).press(QMessageBox::Cancel);
        win.click("cmdEveryHozon2");
        EXPECT_EQ(answers.titles, std::vector<std::string>{"確認"});
    }
    EXPECT_TRUE(win.find("cmdEveryHozon")->isEnabled());
    win.click("cmdCyokin2");
    EXPECT_EQ(win.find<QTableView>("msgKozeni")->model()->rowCount(), 2);

    // Each theme's rename gesture, cancelled with a new name typed.
    const char* pageButtons[3] = {"cmdCyokin3", "cmdCyokin4", "cmdCyokin5"};
    const char* labels[3] = {"lblTemaMei1", "lblTemaMei2", "lblTemaMei3"};
    for (int t = 0; t < 3; ++t) {
        win.click(pageButtons[t]);
        const std::string name = win.text(labels[t]);
        BoxAnswers answers;
        answers.type("新しいテーマ", QDialogButtonBox::Cancel);
        if (t == 1) {
            QTest::mouseClick(win.find(labels[t]), Qt::LeftButton);
        } else {
            doubleClick(win.find(labels[t]));
        }
        EXPECT_EQ(win.text(labels[t]), name);
    }
    EXPECT_EQ(snapshot(win.w.dir), before);
}

TEST_F(RealBoxes, EveryDeletionQuestionCancelledDeletesNothing) {
    const auto before = snapshot(win.w.dir);
    BoxAnswers answers;
    const auto cancel = [&] { answers.press(QMessageBox::Cancel); };

    cancel();
    win.click("cmdEveryClr");  // give up

    win.click("cmdCyokin2");
    cancel();
    doubleClickRow(win.find<QTableView>("msgKozeni"), 0);
    cancel();
    win.click("cmdKozeniClr");

    win.click("cmdCyokin3");
    cancel();
    doubleClickRow(win.find<QTableView>("msgChingin"), 0);
    cancel();
    win.click("cmdChinClr");
    cancel();
    doubleClickRow(win.find<QTableView>("msgChinKou"), 0);
    cancel();
    win.click("cmdChinClr2");

    EXPECT_EQ(answers.titles, std::vector<std::string>(7, "削除確認"));
    EXPECT_EQ(snapshot(win.w.dir), before);
    EXPECT_EQ(win.find<QTableView>("msgEvery")->model()->rowCount(), 1);
    EXPECT_EQ(win.find<QTableView>("msgKozeni")->model()->rowCount(), 2);
    EXPECT_EQ(win.find<QTableView>("msgChingin")->model()->rowCount(), 2);
    EXPECT_EQ(win.find<QTableView>("msgChinKou")->model()->rowCount(), 2);
    EXPECT_EQ(win.text("lblKozeni_zen"), "¥300");
}

}  // namespace
}  // namespace zm::test
