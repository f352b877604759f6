// The analysis page: each theme's items ranked under a caption line, the
// overall ranking with the grand total, and the band table of deposit sizes.
#include <algorithm>

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QVBoxLayout>

#include "history/analysis.h"
#include "qt/access/readas.h"
#include "qt/binding/lazypage.h"
#include "qt/export/pageprint.h"
#include "qt/export/tableactions.h"
#include "qt/itemviews/fixedcelldelegate.h"
#include "qt/pages/focusframe.h"
#include "qt/pages/pagepieces.h"
#include "qt/pages/pageviews.h"

namespace zm {

namespace {

constexpr int kRankingTwips = 5640;
constexpr int kBandRowTwips = 375;

// A ranking grid: rank, name, amount. The name takes the width the others
// leave; the rank and the amount are never cut short.
LedgerView* makeRanking(LedgerTable& table, const PageContext& context,
                        const char* accessibleName) {
    LedgerView* view = makeLedger(table, context);
    view->setAccessibleName(QString::fromUtf8(accessibleName));
    setOutTitle(view, [accessibleName] { return std::string(accessibleName); });
    view->setItemDelegateForColumn(0, new FixedCellDelegate(view));
    view->setMinimumWidth(pixelsOfTwips(kRankingTwips));
    auto fit = [view, &table] {
        if (view->model()->columnCount() < 3) return;
        QHeaderView* header = view->horizontalHeader();
        header->setSectionResizeMode(1, QHeaderView::Stretch);
        const QFontMetrics fm(view->font());
        const int rankWidth = fm.horizontalAdvance(QString::number(table.recordCount())) + 12;
        view->setColumnWidth(0, std::max(pixelsOfTwips(table.columns()[0].widthTwips), rankWidth));
        // Largest first: the widest amount is near the top, or a negative one at the end.
        int amountWidth = pixelsOfTwips(table.columns()[2].widthTwips);
        for (int r : {1, table.recordCount()}) {
            if (r < 1 || r > table.recordCount()) continue;
            amountWidth =
                std::max(amountWidth, fm.horizontalAdvance(qs(table.cell(r, 2).text)) + 12);
        }
        view->setColumnWidth(2, amountWidth);
    };
    QObject::connect(view->model(), &QAbstractItemModel::modelReset, view, fit);
    fit();
    return view;
}

QLabel* makeNote(Label& label) {
    return makeText(label, points::kCaption, false, scheme().note);
}

// A caption line over a ranking: the fixed caption, the name, the total.
// Every line has the same height, so that the rankings side by side line up.
QWidget* captionLine(Label& caption, Label* name, Label& total) {
    auto* widget = new QWidget;
    widget->setFixedHeight(34);
    auto* line = new QHBoxLayout(widget);
    line->setContentsMargins(0, 0, 0, 0);
    std::vector<QLabel*> pieces{makeNote(caption)};
    if (name) pieces.push_back(makeText(*name, points::kFigure, true, scheme().title));
    pieces.push_back(makeAmount(total, points::kFigure));
    readAsOneSentence(pieces, " ");
    for (QLabel* piece : pieces) {
        if (piece == pieces.back()) line->addStretch();
        line->addWidget(piece);
    }
    return widget;
}

// The band table: header cells shaded like the grids' headers, the counts
// right-aligned, the total row bold; hairlines between all cells.
QFrame* makeBandTable(AnalysisPage& page, const PageContext& context) {
    auto* table = new QFrame;
    table->setObjectName("bandTable");
    table->setAccessibleName("１回入金の割合");
    table->setStyleSheet(
        QStringLiteral("QFrame#bandTable { background: %1; border: 1px solid %2; }"
                       "QLabel { font-size: %3pt; padding: 0 6px; background: %4; }"
                       "QLabel[cell=\"header\"] { background: %5; }"
                       "QLabel[cell=\"total\"] { background: %6; font-weight: bold; }")
            .arg(scheme().gridLine.name(), scheme().gridBorder.name())
            .arg(points::kSmall)
            .arg(table->palette().color(QPalette::Base).name(), scheme().headerCell.name(),
                 scheme().totalCell.name()));
    auto* grid = new QGridLayout(table);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(1);
    const int rowHeight = pixelsOfTwips(kBandRowTwips);
    auto place = [&](Label& label, int row, int column, const char* kind, Qt::Alignment align) {
        auto* cell = new QLabel;
        bindLabel(label, cell);
        cell->setProperty("cell", kind);
        cell->setAlignment(align | Qt::AlignVCenter);
        cell->setFixedHeight(rowHeight);
        grid->addWidget(cell, row, column);
    };
    place(page.lblBunTema2[0], 0, 0, "header", Qt::AlignHCenter);
    for (int b = 1; b <= AnalysisPage::kBands; ++b) {
        place(page.lblBunTema2[static_cast<std::size_t>(6 + b)], 0, b, "header", Qt::AlignHCenter);
    }
    for (int row = 1; row <= AnalysisPage::kSources + 1; ++row) {
        const bool total = row == AnalysisPage::kSources + 1;
        place(page.lblBunTema2[static_cast<std::size_t>(row)], row, 0, "header", Qt::AlignLeft);
        for (int b = 1; b <= AnalysisPage::kBands; ++b) {
            place(page.bandRow(row - 1)[static_cast<std::size_t>(b)], row, b,
                  total ? "total" : "data", Qt::AlignRight);
        }
    }
    grid->setColumnStretch(0, 2);
    for (int b = 1; b <= AnalysisPage::kBands; ++b) grid->setColumnStretch(b, 1);
    table->setFixedHeight((AnalysisPage::kSources + 2) * (rowHeight + 1) + 1);
    readAsTable(table);
    // Reached by Tab or a click, it takes the keys: Ctrl+C, Shift+F10.
    showFocus(table);
    offerTable(
        table,
        [&page](const std::vector<int>&, std::string title) {
            return page.bandTable(std::move(title));
        },
        context.out);
    setOutTitle(table, [] { return std::string("１回入金の割合"); });
    return table;
}

PageOut analysisOut(AnalysisPage& page) {
    PageOut out{
        [] { return std::string("貯金の分析"); },
        {},
        nullptr,
        [&page] {
            std::vector<OutTable> tables;
            for (int t = 0; t < 3; ++t) {
                tables.push_back(outTable(
                    page.themeRanking(t), {},
                    page.lblBunTema[static_cast<std::size_t>(t + 1)].caption() + "の項目の順位"));
            }
            tables.push_back(outTable(page.msgJunTema, {}, page.Label4[3].caption()));
            tables.push_back(page.bandTable(page.Label4[4].caption()));
            return tables;
        }};
    out.figures.emplace_back("貯金総額", &page.lblTemaGoukei[0]);
    for (std::size_t t = 1; t <= 3; ++t) {
        out.figures.emplace_back(page.Label4[t - 1].caption(), &page.lblTemaGoukei[t]);
    }
    return out;
}

void fillAnalysisPage(QWidget* widget, AnalysisPage& page, const PageContext& context) {
    // Left: the three themes, each its caption line over its ranking.
    auto* left = new QVBoxLayout;
    const char* const names[] = {"テーマ１の項目の順位", "テーマ２の項目の順位",
                                 "テーマ３の項目の順位"};
    for (std::size_t t = 0; t < 3; ++t) {
        left->addWidget(
            captionLine(page.Label4[t], &page.lblBunTema[t + 1], page.lblTemaGoukei[t + 1]));
        left->addWidget(makeRanking(page.themeRanking(static_cast<int>(t)), context, names[t]), 1);
    }

    // Right: the overall ranking with the grand total, the band table below.
    auto* right = new QVBoxLayout;
    right->addWidget(captionLine(page.Label4[3], nullptr, page.lblTemaGoukei[0]));
    right->addWidget(makeRanking(page.msgJunTema, context, "貯金に貢献している順位"), 1);
    right->addSpacing(8);
    right->addWidget(makeNote(page.Label4[4]));
    right->addWidget(makeBandTable(page, context));

    auto* layout = new QHBoxLayout(widget);
    layout->addLayout(left, 1);
    layout->addSpacing(16);
    layout->addLayout(right, 1);
    offerPage(widget, analysisOut(page), context.out);
}

}  // namespace

QWidget* makeAnalysisPageView(AnalysisPage& page, Frame& frame, const PageContext& context) {
    return pageView(frame, page, context, fillAnalysisPage);
}

}  // namespace zm
