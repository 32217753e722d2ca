#include "ui/user_dialogs.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QScopedPointer>
#include <QScreen>

namespace vernolak {
namespace {

// A message box that places itself in the middle of its screen rather than
// over its owner, once its size is known.
class CentredMessageBox final : public QMessageBox {
  public:
    using QMessageBox::QMessageBox;

  protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);
        if (const QScreen* target = screen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(target->geometry().center());
            move(frame.topLeft());
        }
    }
};

}  // namespace

QMessageBox* MakeMessageBox(QWidget* owner, const QString& text, MessageKind kind) {
    const bool warning = kind == MessageKind::Warning;
    auto* box = new CentredMessageBox(owner);
    box->setWindowTitle(warning ? QStringLiteral("警告") : QStringLiteral("情報"));
    box->setIcon(warning ? QMessageBox::Warning : QMessageBox::Information);
    box->setTextFormat(Qt::PlainText);
    box->setText(text);
    QPushButton* ok = box->addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box->setDefaultButton(ok);
    box->setEscapeButton(ok);
    return box;
}

void PlatformDialogs::Beep() { QApplication::beep(); }

void PlatformDialogs::ShowMessageBox(QWidget* owner, const QString& text, MessageKind kind) {
    QScopedPointer<QMessageBox> box(MakeMessageBox(owner, text, kind));
    box->exec();
}

void PlatformDialogs::ShowErrorBox(QWidget* owner, const QString& text) {
    QMessageBox box(QMessageBox::Critical, QCoreApplication::applicationName(), text,
                    QMessageBox::Ok, owner);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

std::optional<QString> PlatformDialogs::RunFileDialog(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}

}  // namespace vernolak
