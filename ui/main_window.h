// The program's one window: two path fields with their browse buttons, the
// convert and exit buttons and the notes. The window holds no logic of its
// own: its commands check the user's input, call the conversion engine and
// report through UserDialogs.
#pragma once

#include <QString>
#include <QWidget>
#include <optional>

class QEvent;
class QFileDialog;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QShowEvent;

namespace vernolak {

class UserDialogs;

class TForm1 final : public QWidget {
    Q_OBJECT

  public:
    // Builds the window with both fields empty, hidden, at its fixed place
    // and size. The commands talk to the user through dialogs, which must
    // outlive the window.
    explicit TForm1(UserDialogs& dialogs, QWidget* parent = nullptr);

  protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void FormShow(QObject* Sender);
    void Button1Click(QObject* Sender);
    void Button2Click(QObject* Sender);
    void Button3Click(QObject* Sender);
    void Button4Click(QObject* Sender);

    // Runs a click handler; an error that escapes it is shown in a box and
    // the window carries on.
    void RunCommand(void (TForm1::*handler)(QObject*), QObject* sender);
    void ShowInputWarning(const QString& text, QLineEdit* fieldAtFault);
    // Replaces the dialog with a new one from makeDialog, presets its folder
    // and file name from a field's text, shows it and returns the confirmed
    // path without its extension, or nothing on cancel.
    std::optional<QString> BrowseFrom(QFileDialog*& dialog, QFileDialog* (*makeDialog)(QWidget*),
                                      const QString& fieldText);

    QLineEdit* Edit1;
    QLabel* Label1;
    QPlainTextEdit* Memo1;
    QPushButton* Button1;
    QPushButton* Button2;
    QLineEdit* Edit2;
    QPushButton* Button3;
    QPushButton* Button4;
    QFileDialog* OpenDialog1;
    QLabel* Label2;
    QLabel* Label3;
    QFileDialog* SaveDialog1;

    UserDialogs& dialogs_;
    char decimalSeparator_;  // the user's decimal symbol, for the CSV numbers
};

// The one main window of the running program; set by the program's entry.
extern TForm1* Form1;

}  // namespace vernolak
