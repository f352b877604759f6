#include <gtest/gtest.h>
#include <qcustomplot.h>
#include <QApplication>
#include <QLineEdit>
#include <map>

#include "qt/chartview.h"
#include "window.h"

namespace zm::test {
namespace {

// Per chart of the window: how often it was really drawn (a replot with its
// bars' layer on) and how often its plot was resized.
class ChartWatch : public QObject {
public:
    explicit ChartWatch(Window& win) {
        for (const char* name : {"mctEvery", "mctKozeni", "mctTema1", "mctTema2", "mctTema3"}) {
            QCustomPlot* plot = win.find<ChartView>(name)->plot();
            plot->installEventFilter(this);
            plots_[plot] = name;
            connect(plot, &QCustomPlot::afterReplot, this, [this, plot] {
                if (plot->layer("main")->visible()) ++drawn[plots_[plot]];
            });
        }
    }
    std::map<std::string, int> drawn, resized;
    void clear() {
        drawn.clear();
        resized.clear();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize) ++resized[plots_[static_cast<QCustomPlot*>(watched)]];
        return QObject::eventFilter(watched, event);
    }

private:
    std::map<QCustomPlot*, std::string> plots_;
};

void settle() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

using Counts = std::map<std::string, int>;

TEST(PageChartsWindow, AChartIsDrawnWhenItsPageIsShownAndADepositDrawsItOnceInPlace) {
    Window win;
    win.w.putInstallation();
    win.w.put(files::kEvery,
              "\"2026年03月01日\",\"09:00:00\",1\n\"2026年03月02日\",\"09:00:00\",2\n");
    win.w.put(files::kKozeni, "\"2026年02月20日\",\"19:00:00\",300\n");
    win.w.put(files::kTheme[0], "\"2026年02月20日\",\"お風呂\",30\n");
    win.form =
        std::make_unique<MainForm>(Services{win.w.folder, win.w.dialogs, win.shell, win.w.clock});
    win.window = std::make_unique<MainWindow>(*win.form, win.w.dialogs, win.shell);
    ChartWatch charts(win);
    win.window->run([&win] { win.form->Form_Load(); });
    settle();
    ASSERT_FALSE(win.shell.ended());
    // Only the page on screen has its chart drawn, once, at its shown size.
    EXPECT_EQ(charts.drawn, (Counts{{"mctEvery", 1}}));

    // The deposit draws its chart once; the plan labels giving way to
    // "本日入金済みです。" do not move it.
    charts.clear();
    win.click("cmdEveryHozon");
    settle();
    EXPECT_EQ(win.text("lblCmnt1_2"), "本日入金済みです。");
    EXPECT_EQ(charts.drawn, (Counts{{"mctEvery", 1}}));
    EXPECT_EQ(charts.resized, Counts{});

    // A page opened for the first time draws its chart; its deposit draws it
    // once and the notice that changes with it does not resize it.
    charts.clear();
    win.click("cmdCyokin2");
    settle();
    EXPECT_EQ(charts.drawn, (Counts{{"mctKozeni", 1}}));
    charts.clear();
    win.find<QLineEdit>("txtKozeni_Inp")->setText("500");
    win.click("cmdKozeniHozon");
    settle();
    EXPECT_EQ(win.text("lblCmnt2_1"), "本日入金済みです。");
    EXPECT_EQ(charts.drawn, (Counts{{"mctKozeni", 1}}));
    EXPECT_EQ(charts.resized, Counts{});

    // Coming back to a page whose chart did not change draws nothing.
    charts.clear();
    win.click("cmdCyokin1");
    settle();
    EXPECT_EQ(charts.drawn, Counts{});

    // A chart changed while its page is hidden is drawn when the page is shown.
    win.click("cmdCyokin3");
    settle();
    win.form->themes[0].txtKou.setText("お風呂");
    win.form->themes[0].txtInp.setText("30");
    win.w.dialogs.answer(Answer::No);  // not added to the item list
    win.click("cmdChinHozon");
    charts.clear();
    win.form->kozeni.reload();
    settle();
    EXPECT_EQ(charts.drawn, Counts{});
    win.click("cmdCyokin2");
    settle();
    EXPECT_EQ(charts.drawn, (Counts{{"mctKozeni", 1}}));
    EXPECT_EQ(win.find<ChartView>("mctKozeni")->plot()->graph(0)->dataCount(), 2);
}

}  // namespace
}  // namespace zm::test
