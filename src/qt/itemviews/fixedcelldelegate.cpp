#include "qt/itemviews/fixedcelldelegate.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOptionHeader>

namespace zm {

void FixedCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    QStyleOptionHeader header;
    header.rect = option.rect;
    header.text = index.data().toString();
    header.textAlignment = Qt::AlignCenter;
    header.orientation = Qt::Vertical;
    header.position = QStyleOptionHeader::Middle;
    header.state = QStyle::State_Enabled | QStyle::State_Raised;
    header.palette = option.palette;
    header.fontMetrics = option.fontMetrics;
    const QWidget* widget = option.widget;
    const QStyle* style = widget ? widget->style() : QApplication::style();
    painter->save();
    painter->setFont(option.font);
    style->drawControl(QStyle::CE_Header, &header, painter, widget);
    painter->restore();
}

}  // namespace zm
