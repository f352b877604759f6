// The daily and monthly history pages: a grid whose header row and first
// column stay in view, the chart, and on the daily page the month list.
#include <QAbstractTableModel>
#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>

#include "app/mainform.h"
#include "qt/chartview.h"
#include "qt/dataout.h"
#include "qt/pageviews.h"
#include "qt/style.h"

namespace zm {

namespace {

constexpr int kTwipsPerPixel = 15;  // at 96 DPI

// The cells of a HistoryTable, their texts made only when shown.
class HistoryModel : public QAbstractTableModel {
public:
    HistoryModel(const HistoryTable& table, QObject* parent)
        : QAbstractTableModel(parent), table_(table) {
        reload();
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : rows_;
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : columns_;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= table_.recordCount()) return {};
        const int column = index.column();
        switch (role) {
            case Qt::DisplayRole:
                return QString::fromStdString(table_.text(index.row() + 1, column));
            case Qt::TextAlignmentRole:
                return QVariant::fromValue(column < 2 ? Qt::Alignment(Qt::AlignCenter)
                                                      : Qt::AlignRight | Qt::AlignVCenter);
            case Qt::BackgroundRole:
                // The fixed column is drawn like the header.
                if (column == 0) return QApplication::palette().button();
                return {};
            default:
                return {};
        }
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || section >= columns_) return {};
        switch (role) {
            case Qt::DisplayRole:
                return QString::fromStdString(table_.text(0, section));
            case Qt::TextAlignmentRole:
                return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
            case Qt::BackgroundRole:
                if (const auto rgb = table_.headerColour(section)) {
                    return QBrush(QColor::fromRgb(static_cast<QRgb>(*rgb)));
                }
                return {};
            default:
                return {};
        }
    }

    // The table was reset or filled.
    void reload() {
        beginResetModel();
        rows_ = table_.recordCount();
        columns_ = static_cast<int>(table_.columns().size());
        endResetModel();
    }

private:
    const HistoryTable& table_;
    int rows_ = 0;
    int columns_ = 0;
};

// The first column of a HistoryGrid, laid over the grid's left edge. It never
// scrolls by itself: its range and top follow the grid's at once, also while
// its own layout is still to come, so that its row numbers stay beside their
// rows. A wheel turned over it scrolls the grid.
class FixedColumn : public QTableView {
public:
    explicit FixedColumn(QTableView* grid) : QTableView(grid), grid_(grid) {
        setAutoScroll(false);
        setVerticalScrollMode(grid->verticalScrollMode());
        const QScrollBar* theirs = grid->verticalScrollBar();
        connect(theirs, &QAbstractSlider::rangeChanged, this, &FixedColumn::follow);
        connect(theirs, &QAbstractSlider::valueChanged, this, &FixedColumn::follow);
    }

    void follow() {
        const QScrollBar* theirs = grid_->verticalScrollBar();
        verticalScrollBar()->setRange(theirs->minimum(), theirs->maximum());
        verticalScrollBar()->setValue(theirs->value());
    }

protected:
    void updateGeometries() override {
        QTableView::updateGeometries();
        follow();
    }
    void wheelEvent(QWheelEvent* event) override {
        QApplication::sendEvent(grid_->verticalScrollBar(), event);
    }

private:
    QTableView* grid_;
};

// The grid of a history table. Its first column is a second view laid over
// the left edge and scrolled with the grid, so that the row numbers stay in
// view when the grid scrolls sideways; the header row is the grid's own.
class HistoryGrid : public QTableView {
public:
    HistoryGrid(HistoryTable& table, const char* accessibleName, QWidget* parent = nullptr)
        : QTableView(parent),
          table_(table),
          model_(new HistoryModel(table, this)),
          fixed_(new FixedColumn(this)) {
        setObjectName(QString::fromStdString(table.name()));
        setAccessibleName(QString::fromUtf8(accessibleName));
        setSelectionBehavior(QAbstractItemView::SelectRows);
        setSelectionMode(QAbstractItemView::SingleSelection);
        setEditTriggers(QAbstractItemView::NoEditTriggers);
        setWordWrap(false);
        setHorizontalScrollMode(ScrollPerPixel);
        setMinimumWidth(360);
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
        verticalHeader()->hide();
        verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        horizontalHeader()->setHighlightSections(false);
        QFont f = font();
        f.setPointSize(table.fontPoints());
        setFont(f);
        verticalHeader()->setDefaultSectionSize(QFontMetrics(f).height() + 6);
        // The model comes after the rows' height: tens of thousands of rows
        // are then made at that height rather than resized one by one.
        setModel(model_);

        fixed_->setFocusPolicy(Qt::NoFocus);
        fixed_->setFont(f);
        fixed_->setWordWrap(false);
        fixed_->setEditTriggers(QAbstractItemView::NoEditTriggers);
        fixed_->setSelectionBehavior(QAbstractItemView::SelectRows);
        fixed_->verticalHeader()->hide();
        fixed_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        fixed_->verticalHeader()->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
        fixed_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        fixed_->horizontalHeader()->setHighlightSections(false);
        fixed_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        fixed_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        fixed_->setFrameShape(QFrame::NoFrame);
        fixed_->setModel(model_);
        fixed_->setSelectionModel(selectionModel());
        viewport()->stackUnder(fixed_);
        applyColumns();
        offerTable(this, [this](const std::vector<int>& rows, std::string title) {
            return table_.out(rows, std::move(title));
        });

        table.bind([this] {
            if (table_.lastChange() == HistoryTable::Change::Reset) {
                model_->reload();
                applyColumns();
                scrollToTop();  // a new table starts at its first row
            } else {
                showTopRow();
            }
            setVisible(table_.visible());
        });
        // A grid made after its table was filled opens where the table stands.
        showTopRow();
    }

    QSize sizeHint() const override {
        return {std::max(fullWidth_, minimumWidth()), QTableView::sizeHint().height()};
    }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QTableView::resizeEvent(event);
        placeFixedColumn();
    }
    void showEvent(QShowEvent* event) override {
        QTableView::showEvent(event);
        if (scrollPending_) showTopRow();
    }
    // A cell of the fixed column is always in view sideways: only the rows
    // move for it.
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override {
        const int sideways = horizontalScrollBar()->value();
        QTableView::scrollTo(index, hint);
        if (index.column() == 0) horizontalScrollBar()->setValue(sideways);
    }

private:
    // The widths in twips, or more where this font needs it for the texts.
    void applyColumns() {
        const auto& columns = table_.columns();
        const QFontMetrics metrics(font());
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const int column = static_cast<int>(c);
            const int needed =
                std::max(
                    metrics.horizontalAdvance(QString::fromStdString(columns[c].header)),
                    metrics.horizontalAdvance(QString::fromStdString(table_.widestText(column)))) +
                14;
            setColumnWidth(column, std::max(columns[c].widthTwips / kTwipsPerPixel, needed));
        }
        const int count = model_->columnCount();
        for (int c = 0; c < count; ++c) fixed_->setColumnHidden(c, c > 0);
        if (count > 0) fixed_->setColumnWidth(0, columnWidth(0));
        // As wide as every column beside the scroll bar, where the page has
        // the room; narrower, the grid scrolls sideways.
        int width = 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
        for (int c = 0; c < count; ++c) width += columnWidth(c);
        if (width != fullWidth_) {
            fullWidth_ = width;
            updateGeometry();
        }
        placeFixedColumn();
    }
    void placeFixedColumn() {
        fixed_->setVisible(model_->columnCount() > 0);
        fixed_->setGeometry(frameWidth(), frameWidth(), columnWidth(0),
                            viewport()->height() + horizontalHeader()->height());
    }
    // The table's top row to the top of the view; a hidden grid cannot
    // scroll, so it is applied again when shown.
    void showTopRow() {
        const int row = table_.topRow();
        if (row < 1) return;
        scrollPending_ = !isVisible();
        // The scroll range follows a reset only at the next layout: without
        // this, the rows of a longer table lie beyond it.
        updateGeometries();
        QTableView::scrollTo(model_->index(row - 1, 1), PositionAtTop);
    }

    HistoryTable& table_;
    HistoryModel* model_;
    FixedColumn* fixed_;
    int fullWidth_ = 0;
    bool scrollPending_ = false;
};

}  // namespace

static void fillDayHistory(QWidget* frame, MainForm& form, const Runner& run) {
    DayHistory& page = form.dayHistory;

    auto* grid = new HistoryGrid(page.msgDayList, "日別の貯金履歴");

    auto* months = new QListWidget;
    months->setAccessibleName("月毎表示");
    months->setFixedWidth(150);
    months->setStyleSheet("font-size: 11pt;");
    // Every entry is a month of the same width: laying out one instead of
    // each of a thousand keeps the first opening quick.
    months->setUniformItemSizes(true);
    bindListBox(page.lstDay, months, run, [&form] { form.lstDay_Click(); });
    auto* allDays = new QPushButton;
    bindButton(page.cmdAllDay, allDays, run, [&form] { form.cmdAllDay_Click(); });
    allDays->setMinimumSize(120, 36);
    auto* list = new QVBoxLayout;
    list->addWidget(new QLabel("月毎表示"));
    list->addWidget(months, 1);
    auto* listRow = new QHBoxLayout;
    listRow->setContentsMargins(0, 0, 0, 0);
    listRow->addLayout(list);
    listRow->addWidget(allDays, 0, Qt::AlignBottom);
    listRow->addStretch();
    auto* listBox = new QWidget;
    listBox->setLayout(listRow);
    listBox->setFixedHeight(150);

    auto* chart = new ChartView(page.mctDay);
    auto* side = new QVBoxLayout;
    side->addWidget(listBox);
    side->addWidget(chart, 1);

    auto* body = new QHBoxLayout;
    body->addWidget(grid);
    body->addLayout(side, 1);
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(makePageTitle("日別の貯金履歴"));
    layout->addLayout(body, 1);
    offerPage(frame, {[] { return std::string("日別の貯金履歴"); },
                      {},
                      chart,
                      [&page] { return std::vector<OutTable>{page.msgDayList.out({}, "")}; }});
}

QWidget* makeDayHistoryView(MainForm& form, const Runner& run) {
    return lazyPage(form.fraDay,
                    [&form, run](QWidget* frame) { fillDayHistory(frame, form, run); });
}

static void fillMonthHistory(QWidget* frame, MainForm& form) {
    MonthHistory& page = form.monthHistory;

    auto* grid = new HistoryGrid(page.msgMonthList, "月別の貯金履歴");
    auto* chart = new ChartView(page.mctMonth);
    auto* body = new QHBoxLayout;
    body->addWidget(grid);
    body->addWidget(chart, 1);
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(makePageTitle("月別の貯金履歴"));
    layout->addLayout(body, 1);
    offerPage(frame, {[] { return std::string("月別の貯金履歴"); },
                      {},
                      chart,
                      [&page] { return std::vector<OutTable>{page.msgMonthList.out({}, "")}; }});
}

QWidget* makeMonthHistoryView(MainForm& form) {
    return lazyPage(form.fraMonth, [&form](QWidget* frame) { fillMonthHistory(frame, form); });
}

}  // namespace zm
