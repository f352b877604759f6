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
#include "qt/dataout.h"
#include "qt/ledgerview.h"
#include "qt/pageviews.h"
#include "qt/style.h"

namespace zm {

namespace {

QLabel* caption(const char* text, int points = 12) {
    auto* label = new QLabel(QString::fromUtf8(text));
    label->setStyleSheet(QStringLiteral("font-size: %1pt;").arg(points));
    return label;
}

}  // namespace

static void fillGoalsPage(QWidget* widget, GoalsPage& page, const Runner& run,
                          const std::function<void()>& onNewStart,
                          const std::function<void()>& onRestore) {
    // The goals, and beside them the three totals.
    auto* grid =
        new LedgerView(page.msgMokuhyo, run, {{}, [&page] { page.msgMokuhyo_DblClick(); }});
    grid->setAccessibleName("貯金目的一覧");
    grid->setLeastWidth(760);
    // The purposes take the width the grid has; the amounts never show cut.
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

    auto* totalsBox = new QGroupBox("達成状況");
    auto* totals = new QGridLayout(totalsBox);
    totals->setVerticalSpacing(14);
    struct Figure {
        const char* caption;
        Label& label;
    };
    const Figure figures[] = {
        {"貯金総額", page.lblSougaku}, {"目的総額", page.lblMokuSou}, {"達成まで", page.lblSagaku}};
    int row = 0;
    for (const Figure& f : figures) {
        auto* value = new QLabel;
        bindLabel(f.label, value);
        styleAmount(value, 18);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        totals->addWidget(caption(f.caption, 13), row, 0);
        totals->addWidget(value, row, 1);
        ++row;
    }
    totals->setColumnStretch(1, 1);
    auto* note = new QLabel("★ 目標金額に届いた目的\n行のダブルクリックで１件削除");
    note->setStyleSheet("color: #5a6e80;");
    auto* side = new QVBoxLayout;
    side->addWidget(totalsBox);
    side->addWidget(note);
    side->addStretch();

    auto* body = new QHBoxLayout;
    body->addWidget(grid, 1);
    body->addLayout(side);

    // The entry: purpose, target amount, and the two buttons.
    auto* purpose = new QLineEdit;
    purpose->setAccessibleName("貯金目的");
    purpose->setStyleSheet("font-size: 13pt;");
    bindTextBox(page.txtInpMokuKou, purpose, run,
                [&page](int key) { page.txtInpMokuKou_KeyPress(key); });
    auto* target = new QLineEdit;
    target->setAccessibleName("目標金額");
    target->setAlignment(Qt::AlignRight);
    target->setMaximumWidth(170);
    target->setStyleSheet("font-size: 13pt;");
    bindTextBox(page.txtInpMokuKin, target, run,
                [&page](int key) { page.txtInpMokuKin_KeyPress(key); });
    auto* add = new QPushButton;
    bindButton(page.cmdMokuHozon, add, run, [&page] { page.cmdMokuHozon_Click(); });
    styleMainButton(add);
    auto* clear = new QPushButton;
    clear->setMinimumHeight(40);
    bindButton(page.cmdMokuClr, clear, run, [&page] { page.cmdMokuClr_Click(); });

    auto* entry = new QHBoxLayout;
    entry->addWidget(caption("貯金目的"));
    entry->addWidget(purpose, 1);
    entry->addSpacing(12);
    entry->addWidget(caption("目標金額"));
    entry->addWidget(target);
    entry->addSpacing(12);
    entry->addWidget(add);
    entry->addWidget(clear);

    // The new start, set apart at the bottom.
    auto* newStart = new QGroupBox(qs(page.fraNewStart.caption()));
    bindWidget(page.fraNewStart, newStart);
    newStart->setStyleSheet("QGroupBox { font-weight: bold; color: #8b2d2d; }");
    auto* names = new QHBoxLayout(newStart);
    const char* const themeCaptions[] = {"テーマ１", "テーマ２", "テーマ３"};
    for (std::size_t i = 0; i < page.txtTemaMei.size(); ++i) {
        auto* name = new QLineEdit;
        name->setAccessibleName(QString::fromUtf8(themeCaptions[i]));
        name->setStyleSheet("font-size: 12pt;");
        bindTextBox(page.txtTemaMei[i], name, run, [](int) {});
        names->addWidget(caption(themeCaptions[i]));
        names->addWidget(name, 1);
        names->addSpacing(8);
    }
    auto* start = new QPushButton;
    start->setMinimumHeight(36);
    bindButton(page.cmdNewStart, start, run, std::move(onNewStart));
    names->addWidget(start);
    // Putting a copy back sits beside the new start, outside its frame: it
    // clears nothing.
    auto* restore = new QPushButton;
    restore->setMinimumHeight(36);
    bindButton(page.cmdModosu, restore, run, onRestore);
    auto* restoreColumn = new QVBoxLayout;
    restoreColumn->addStretch();
    restoreColumn->addWidget(restore);
    restoreColumn->addSpacing(newStart->contentsMargins().bottom() + 9);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(newStart, 1);
    bottom->addLayout(restoreColumn);

    auto* layout = new QVBoxLayout(widget);
    layout->addWidget(makePageTitle("貯金の目的"));
    layout->addLayout(body, 1);
    layout->addLayout(entry);
    layout->addSpacing(10);
    layout->addLayout(bottom);
    PageOut out{[] { return std::string("貯金の目的"); },
                {},
                nullptr,
                [&page] { return std::vector<OutTable>{outTable(page.msgMokuhyo, {}, "")}; }};
    for (const Figure& f : figures) out.figures.emplace_back(f.caption, &f.label);
    offerPage(widget, std::move(out));
}

QWidget* makeGoalsPageView(GoalsPage& page, Frame& frame, const Runner& run,
                           std::function<void()> onNewStart, std::function<void()> onRestore) {
    return lazyPage(
        frame, [&page, run, onNewStart = std::move(onNewStart), onRestore = std::move(onRestore)](
                   QWidget* widget) { fillGoalsPage(widget, page, run, onNewStart, onRestore); });
}

}  // namespace zm
