#include <gtest/gtest.h>
#include <qcustomplot.h>
#include <QApplication>
#include <QLineEdit>
#include <map>
#include <set>

#include "qt/charts/chartview.h"
#include "store/filenames.h"
#include "window.h"

namespace zm::test {
namespace {

// Per chart of the window: how often it was really drawn (a replot with its
// bars' layer on) and how often its plot was resized. Charts are watched from
// their first showing on, since a page makes its widgets when first shown.
class ChartWatch : public QObject {
public:
    ChartWatch() { qApp->installEventFilter(this); }
    ~ChartWatch() override { qApp->removeEventFilter(this); }
    std::map<std::string, int> drawn, resized;
    void clear() {
        drawn.clear();
        resized.clear();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // Polished before it is first shown, so before its first replot.
        if (event->type() == QEvent::ChildPolished) {
            auto* plot = qobject_cast<QCustomPlot*>(static_cast<QChildEvent*>(event)->child());
            if (plot && watched_.insert(plot).second) {
                connect(plot, &QCustomPlot::afterReplot, this, [this, plot] {
                    if (plot->layer("main")->visible()) ++drawn[chartOf(plot)];
                });
            }
        } else if (event->type() == QEvent::Resize) {
            if (auto* plot = qobject_cast<QCustomPlot*>(watched)) ++resized[chartOf(plot)];
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::set<const QCustomPlot*> watched_;
    static std::string chartOf(const QCustomPlot* plot) {
        return plot->parentWidget()->objectName().toStdString();
    }
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
    ChartWatch charts;
    win.start();
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

    // Undone, the deposit's point leaves the chart, and the axes fit the
    // points that are left.
    win.click("cmdUndo");
    win.click("cmdUndo");
    settle();
    QCustomPlot* plot = win.find<ChartView>("mctKozeni")->plot();
    ASSERT_EQ(plot->graph(0)->dataCount(), 1);
    EXPECT_EQ(plot->graph(0)->data()->at(0)->value, 300);
    EXPECT_LT(plot->yAxis2->range().upper, 500);
    EXPECT_LT(plot->yAxis->range().upper, 500);
}

}  // namespace
}  // namespace zm::test
