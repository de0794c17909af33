#include "controls/FocusDotsDelegate.h"

#include "controls/FocusDots.h"

#include <QPainter>

namespace tallix {

namespace {

// The colour the entry's text is drawn in, selected or not.
QColor TextColor(const QStyleOptionViewItem& option) {
    const QPalette::ColorGroup group =
        !option.state.testFlag(QStyle::State_Enabled) ? QPalette::Disabled
        : option.state.testFlag(QStyle::State_Active) ? QPalette::Active
                                                      : QPalette::Inactive;
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    return option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text);
}

} // namespace

void FocusDotsDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    QStyleOptionViewItem withoutFocus(option);
    withoutFocus.state.setFlag(QStyle::State_HasFocus, false);
    QStyledItemDelegate::paint(painter, withoutFocus, index);
    if (option.state.testFlag(QStyle::State_HasFocus)) {
        DrawFocusDots(*painter, option.rect.adjusted(0, 0, -1, -1), TextColor(option));
    }
}

} // namespace tallix
