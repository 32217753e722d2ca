#include "ui/auto_select_edit.h"

#include <QFocusEvent>

namespace vernolak {

AutoSelectEdit::AutoSelectEdit(QWidget* parent) : QLineEdit(parent) {}

void AutoSelectEdit::FocusAndSelectAll() {
    setFocus(Qt::OtherFocusReason);
    selectAll();
}

void AutoSelectEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // Activation of the window and the return from a context menu give back
    // the focus the field already had: its selection stays as it was.
    switch (event->reason()) {
        case Qt::TabFocusReason:
        case Qt::BacktabFocusReason:
        case Qt::ShortcutFocusReason:
        case Qt::OtherFocusReason:
            selectAll();
            break;
        default:
            break;
    }
}

}  // namespace vernolak
