#pragma once

#include <QStyledItemDelegate>

namespace tallix {

// Draws the entries of a list as the style does, but shows the current
// entry of a list that has the keyboard focus with focus dots (FocusDots.h)
// in the entry's text colour, where the style's own outline can all but
// vanish against the selection.
class FocusDotsDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

} // namespace tallix
