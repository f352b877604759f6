// The goals page: the goals with the three totals, the entry of a goal, and
// apart at the bottom the new start and putting a copy back.
#include <algorithm>

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "goals/goalspage.h"
#include "qt/access/readas.h"
#include "qt/binding/lazypage.h"
#include "qt/export/pageprint.h"
#include "qt/pages/pagepieces.h"
#include "qt/pages/pageviews.h"

namespace zm {

namespace {

struct Figure {
    const char* caption;
    Label& label;
};

// The goals' grid: the purposes take the width the grid has; the amounts
// never show cut.
LedgerView* makeGoalsGrid(GoalsPage& page, const PageContext& context) {
    LedgerView* grid =
        makeLedger(page.msgMokuhyo, context, {{}, [&page] { page.msgMokuhyo_DblClick(); }});
    grid->setAccessibleName("貯金目的一覧");
    grid->setLeastWidth(760);
    const auto fit = [grid] {
        if (grid->model()->columnCount() < 4) return;
        grid->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
        const QAbstractItemView* view = grid;
        for (int c : {2, 3}) {
            grid->setColumnWidth(c, std::max(grid->columnWidth(c), view->sizeHintForColumn(c)));
        }
    };
    QObject::connect(grid->model(), &QAbstractItemModel::modelReset, grid, fit);
    QObject::connect(grid->model(), &QAbstractItemModel::rowsInserted, grid, fit);
    return grid;
}

// The three totals, each with its caption, also as the report's figures.
QVBoxLayout* makeTotals(const std::vector<Figure>& figures, Figures& reported) {
    auto* box = new QGroupBox("達成状況");
    auto* totals = new QGridLayout(box);
    totals->setVerticalSpacing(14);
    int row = 0;
    for (const Figure& f : figures) {
        QLabel* value = makeAmount(f.label, points::kTitle);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        QLabel* caption = makeCaption(f.caption, points::kEntry);
        readAsOneSentence({caption, value}, " ");
        totals->addWidget(caption, row, 0);
        totals->addWidget(value, row, 1);
        reported.emplace_back(f.caption, &f.label);
        ++row;
    }
    totals->setColumnStretch(1, 1);
    auto* note = new QLabel("★ 目標金額に届いた目的\n行のダブルクリックで１件削除");
    note->setStyleSheet(QStringLiteral("color: %1;").arg(scheme().note.name()));
    auto* side = new QVBoxLayout;
    side->addWidget(box);
    side->addWidget(note);
    side->addStretch();
    return side;
}

// The purpose, the target amount, and the two buttons.
QHBoxLayout* makeEntry(GoalsPage& page, const PageContext& context) {
    auto* purpose = new QLineEdit;
    purpose->setAccessibleName("貯金目的");
    setTextStyle(purpose, points::kEntry);
    bindTextBox(page.txtInpMokuKou, purpose, context.run,
                [&page](int key) { page.txtInpMokuKou_KeyPress(key); });
    QLineEdit* target = makeAmountBox(
        page.txtInpMokuKin, context, [&page](int key) { page.txtInpMokuKin_KeyPress(key); },
        "目標金額", 170, points::kEntry);
    auto* add = makeButton(page.cmdMokuHozon, context, [&page] { page.cmdMokuHozon_Click(); });
    styleMainButton(add);
    auto* clear = makeButton(page.cmdMokuClr, context, [&page] { page.cmdMokuClr_Click(); });
    clear->setMinimumHeight(40);

    auto* entry = new QHBoxLayout;
    entry->addWidget(makeCaption("貯金目的"));
    entry->addWidget(purpose, 1);
    entry->addSpacing(12);
    entry->addWidget(makeCaption("目標金額"));
    entry->addWidget(target);
    entry->addSpacing(12);
    entry->addWidget(add);
    entry->addWidget(clear);
    return entry;
}

// The new start, set apart; putting a copy back beside it, outside its frame:
// it clears nothing.
QHBoxLayout* makeBottom(GoalsPage& page, const PageContext& context,
                        const std::function<void()>& onNewStart,
                        const std::function<void()>& onRestore) {
    auto* newStart = new QGroupBox(qs(page.fraNewStart.caption()));
    bindWidget(page.fraNewStart, newStart);
    newStart->setStyleSheet(
        QStringLiteral("QGroupBox { font-weight: bold; color: %1; }").arg(scheme().caution.name()));
    auto* names = new QHBoxLayout(newStart);
    const char* const themeCaptions[] = {"テーマ１", "テーマ２", "テーマ３"};
    for (std::size_t i = 0; i < page.txtTemaMei.size(); ++i) {
        auto* name = new QLineEdit;
        name->setAccessibleName(QString::fromUtf8(themeCaptions[i]));
        setTextStyle(name, points::kCaption);
        bindTextBox(page.txtTemaMei[i], name, context.run, [](int) {});
        names->addWidget(makeCaption(themeCaptions[i]));
        names->addWidget(name, 1);
        names->addSpacing(8);
    }
    auto* start = new QPushButton;
    start->setMinimumHeight(36);
    bindButton(page.cmdNewStart, start, context.run, onNewStart);
    names->addWidget(start);
    auto* restore = new QPushButton;
    restore->setMinimumHeight(36);
    bindButton(page.cmdModosu, restore, context.run, onRestore);
    auto* restoreColumn = new QVBoxLayout;
    restoreColumn->addStretch();
    restoreColumn->addWidget(restore);
    restoreColumn->addSpacing(newStart->contentsMargins().bottom() + 9);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(newStart, 1);
    bottom->addLayout(restoreColumn);
    return bottom;
}

void fillGoalsPage(QWidget* widget, GoalsPage& page, const PageContext& context,
                   const std::function<void()>& onNewStart,
                   const std::function<void()>& onRestore) {
    const std::vector<Figure> figures = {
        {"貯金総額", page.lblSougaku},
        {"目的総額", page.lblMokuSou},
        {"達成まで", page.lblSagaku},
        {"ペース（最近90日）", page.lblPace}};
    Figures reported;
    auto* body = new QHBoxLayout;
    body->addWidget(makeGoalsGrid(page, context), 1);
    body->addLayout(makeTotals(figures, reported));

    auto* layout = new QVBoxLayout(widget);
    layout->addWidget(makePageTitle("貯金の目的"));
    layout->addLayout(body, 1);
    layout->addLayout(makeEntry(page, context));
    layout->addSpacing(10);
    layout->addLayout(makeBottom(page, context, onNewStart, onRestore));
    offerReport(widget, "貯金の目的", reported, nullptr, page.msgMokuhyo, context);
}

}  // namespace

QWidget* makeGoalsPageView(GoalsPage& page, Frame& frame, const PageContext& context,
                           std::function<void()> onNewStart, std::function<void()> onRestore) {
    return lazyPage(frame, [&page, context, onNewStart = std::move(onNewStart),
                            onRestore = std::move(onRestore)](QWidget* widget) {
        fillGoalsPage(widget, page, context, onNewStart, onRestore);
    });
}

}  // namespace zm
