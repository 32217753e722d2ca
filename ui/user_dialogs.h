// Everything through which the window's commands talk to the user outside the
// window itself: the alert sound, the message boxes and the file dialogs. The
// commands reach them through UserDialogs only, so that tests can answer in
// place of the user without any box or dialog appearing.
#pragma once

#include <QString>
#include <optional>

class QFileDialog;
class QMessageBox;
class QWidget;

namespace vernolak {

enum class MessageKind { Warning, Information };

class UserDialogs {
  public:
    virtual ~UserDialogs() = default;

    // Sounds the platform's alert sound.
    virtual void Beep() = 0;

    // Shows the modal message box of MakeMessageBox and returns once the user
    // has dismissed it.
    virtual void ShowMessageBox(QWidget* owner, const QString& text, MessageKind kind) = 0;

    // Shows a modal box with the stop icon, the application's name as title
    // and text, for an error that escaped a command.
    virtual void ShowErrorBox(QWidget* owner, const QString& text) = 0;

    // Shows the prepared dialog modally. Returns the full path of the file the
    // user confirmed, or nothing when the dialog was cancelled or closed.
    virtual std::optional<QString> RunFileDialog(QFileDialog& dialog) = 0;
};

// The real boxes and dialogs of the platform.
class PlatformDialogs final : public UserDialogs {
  public:
    void Beep() override;
    void ShowMessageBox(QWidget* owner, const QString& text, MessageKind kind) override;
    void ShowErrorBox(QWidget* owner, const QString& text) override;
    std::optional<QString> RunFileDialog(QFileDialog& dialog) override;
};

// Builds the message box of ShowMessageBox without showing it: title "警告"
// with the warning icon or "情報" with the information icon, the text, and one
// "OK" button that both Enter and Esc press. When shown, the box centres
// itself on its screen; it makes no sound of its own.
QMessageBox* MakeMessageBox(QWidget* owner, const QString& text, MessageKind kind);

}  // namespace vernolak
