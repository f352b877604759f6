#include "qt/itemviews/gridsetup.h"

#include <QHeaderView>
#include <QTableView>

#include "qt/itemviews/tabout.h"

namespace zm {

void setUpGrid(QTableView* view, int fontPoints) {
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setWordWrap(false);
    leaveByTab(view);
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->horizontalHeader()->setHighlightSections(false);
    QFont f = view->font();
    f.setPointSize(fontPoints);
    view->setFont(f);
    view->verticalHeader()->setDefaultSectionSize(QFontMetrics(f).height() + 6);
}

}  // namespace zm
