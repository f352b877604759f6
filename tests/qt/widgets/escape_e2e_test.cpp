#include <gtest/gtest.h>
#include <QApplication>
#include <QTest>
#include <QTimer>

#include "qt/shell/qtdialogs.h"

namespace zm::test {
namespace {

// Escape on the box that opens next, as a user would press it.
void escapeNextBox() {
    QTimer::singleShot(0, [] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        QTest::keyClick(box, Qt::Key_Escape);
    });
}

// Escape is the way out of every box: never Yes or OK on a question.
TEST(Escape, AnswersEveryBoxAsItsWayOut) {
    QtDialogs dialogs;
    const struct {
        Buttons buttons;
        Answer escaped;
    } cases[] = {{Buttons::Ok, Answer::Ok},
                 {Buttons::OkCancel, Answer::Cancel},
                 {Buttons::YesNo, Answer::No}};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.buttons));
        escapeNextBox();
        EXPECT_EQ(dialogs.msgBox("削除してもいいですか？", "確認", Icon::Question, c.buttons),
                  c.escaped);
    }
    escapeNextBox();
    EXPECT_EQ(dialogs.inputBox("項目名を入力してください", "項目"), "");
}

}  // namespace
}  // namespace zm::test
