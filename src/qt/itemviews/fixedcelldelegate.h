#pragma once

#include <QStyledItemDelegate>

namespace zm {

// Draws a cell as a section of the header: a rank column is fixed, not data.
class FixedCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

}  // namespace zm
