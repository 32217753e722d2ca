// A single-line text field that selects its whole text when it receives the
// focus from the keyboard or from the program, so that typing replaces it; a
// mouse click places the caret instead.
#pragma once

#include <QLineEdit>

namespace vernolak {

class AutoSelectEdit final : public QLineEdit {
    Q_OBJECT

  public:
    explicit AutoSelectEdit(QWidget* parent = nullptr);

    // Gives the field the focus as the program does and selects its whole
    // text, also when the window becomes active only later (after a modal box).
    void FocusAndSelectAll();

  protected:
    void focusInEvent(QFocusEvent* event) override;
};

}  // namespace vernolak
