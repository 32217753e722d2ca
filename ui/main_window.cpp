#include "ui/main_window.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTextDocument>
#include <exception>
#include <string>

#include "engine/conversion_run.h"
#include "engine/platform_files.h"
#include "paths/path_names.h"
#include "ui/user_dialogs.h"

namespace vernolak {
namespace {

// The notes under the convert button, one line each, broken where the
// window's width made them break when the text was laid out.
const char16_t kNotes[] =
    u"ライトウェポンポリライン、スプライン、複合（ブロック）図形、等には対応して\n"
    u"いません。\n"
    u"必要な複合（ブロック）図形は分解して、R12又はR13形式ＤＸＦとして出力し\n"
    u"たものを利用して下さい。ポリラインを分解してしまわないように注意して下さ\n"
    u"い。閉じたポリラインの場合には、最後に第１点を入れるようにしています。\n"
    u"ポリラインが複数ある場合には、間に１行の空行を入れるようにしています。";

QFont WindowFont() {
    QFont font;
    // The face the layout was made with first, then a proportional Japanese
    // gothic of the same build; the style hint covers systems with neither.
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                      QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(17);  // the em height; the line height comes on top
    return font;
}

QString FromBytes(const std::string& bytes) {
    return QFile::decodeName(QByteArray::fromStdString(bytes));
}

std::string ToBytes(const QString& text) { return QFile::encodeName(text).toStdString(); }

template <typename Control>
Control* Place(Control* control, const char* name, int left, int top, int width, int height) {
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(left, top, width, height);
    return control;
}

QLabel* MakeLabel(QWidget* parent, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QFileDialog* MakeFileDialog(QWidget* parent, const char* name, QFileDialog::AcceptMode mode,
                            const QString& filter, const QString& suffix) {
    auto* dialog = new QFileDialog(parent);
    dialog->setObjectName(QString::fromLatin1(name));
    dialog->setAcceptMode(mode);
    // An open dialog takes only an existing file; a save dialog takes any
    // name and asks before an existing file is replaced.
    dialog->setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                        : QFileDialog::AnyFile);
    dialog->setNameFilter(filter);
    dialog->setDefaultSuffix(suffix);
    dialog->setSizeGripEnabled(true);
    return dialog;
}

QFileDialog* MakeOpenDialog(QWidget* parent) {
    return MakeFileDialog(parent, "OpenDialog1", QFileDialog::AcceptOpen,
                          QStringLiteral("DXF Files(*.dxf)"), QStringLiteral("dxf"));
}

QFileDialog* MakeSaveDialog(QWidget* parent) {
    return MakeFileDialog(parent, "SaveDialog1", QFileDialog::AcceptSave,
                          QStringLiteral("CSV Files(*.csv)"), QStringLiteral("csv"));
}

}  // namespace

TForm1* Form1 = nullptr;

TForm1::TForm1(UserDialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      dialogs_(dialogs),
      decimalSeparator_(DefaultDecimalSeparator()) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("VERNOLAK"));
    setFont(WindowFont());
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    setFixedSize(626, 358);
    move(192, 118);  // the outer corner, frame included

    Edit1 = Place(new QLineEdit(this), "Edit1", 40, 40, 401, 25);
    Label1 = Place(
        MakeLabel(this,
                  QStringLiteral("このツールは、ＤＸＦファイル内のポリライン頂点データの座標を"
                                 "ＣＳＶファイルにします。")),
        "Label1", 8, 8, 611, 17);
    Memo1 = Place(new QPlainTextEdit(QString::fromUtf16(kNotes), this), "Memo1", 40, 176, 545, 137);
    Button1 = Place(new QPushButton(QStringLiteral("参照"), this), "Button1", 496, 40, 89, 25);
    Button2 = Place(new QPushButton(QStringLiteral("変換↓"), this), "Button2", 256, 72, 113, 41);
    Edit2 = Place(new QLineEdit(this), "Edit2", 40, 120, 401, 25);
    Button3 = Place(new QPushButton(QStringLiteral("参照"), this), "Button3", 496, 120, 89, 25);
    Button4 =
        Place(new QPushButton(QStringLiteral("終了(&X)"), this), "Button4", 256, 320, 113, 33);
    OpenDialog1 = MakeOpenDialog(this);
    Label2 = Place(MakeLabel(this, QStringLiteral(".DXF")), "Label2", 448, 48, 38, 17);
    Label3 = Place(MakeLabel(this, QStringLiteral(".CSV")), "Label3", 448, 128, 40, 17);
    SaveDialog1 = MakeSaveDialog(this);

    QFont bold = font();
    bold.setBold(true);
    Label2->setFont(bold);
    Label3->setFont(bold);

    Memo1->setReadOnly(true);
    Memo1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    Memo1->setFocusPolicy(Qt::ClickFocus);  // a click selects and copies; Tab passes it by
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // A text box of the platform keeps about two pixels from its border; the
    // notes' lines were broken to fit that width.
    Memo1->document()->setDocumentMargin(2);

    for (QWidget* control : {static_cast<QWidget*>(Edit1), static_cast<QWidget*>(Button1),
                             static_cast<QWidget*>(Button2), static_cast<QWidget*>(Edit2),
                             static_cast<QWidget*>(Button3), static_cast<QWidget*>(Button4)}) {
        control->setFocusPolicy(Qt::StrongFocus);
    }
    setTabOrder(Edit1, Button1);
    setTabOrder(Button1, Button2);
    setTabOrder(Button2, Edit2);
    setTabOrder(Edit2, Button3);
    setTabOrder(Button3, Button4);

    connect(Button1, &QPushButton::clicked, this,
            [this] { RunCommand(&TForm1::Button1Click, Button1); });
    connect(Button2, &QPushButton::clicked, this,
            [this] { RunCommand(&TForm1::Button2Click, Button2); });
    connect(Button3, &QPushButton::clicked, this,
            [this] { RunCommand(&TForm1::Button3Click, Button3); });
    connect(Button4, &QPushButton::clicked, this,
            [this] { RunCommand(&TForm1::Button4Click, Button4); });
}

void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) FormShow(this);
}

void TForm1::changeEvent(QEvent* event) {
    // The user changed the regional settings: later conversions write the
    // decimal symbol now in force.
    if (event->type() == QEvent::LocaleChange) decimalSeparator_ = DefaultDecimalSeparator();
    QWidget::changeEvent(event);
}

void TForm1::FormShow(QObject*) { Edit1->setFocus(); }

void TForm1::Button1Click(QObject*) {
    QString start = Edit1->text();
    // A field that names no drawing says nothing about where to look.
    if (!IsExistingFile(ToBytes(start + QStringLiteral(".dxf")))) start.clear();
    if (const std::optional<QString> chosen = BrowseFrom(OpenDialog1, MakeOpenDialog, start)) {
        Edit1->setText(*chosen);
    }
}

void TForm1::Button3Click(QObject*) {
    if (const std::optional<QString> chosen =
            BrowseFrom(SaveDialog1, MakeSaveDialog, Edit2->text())) {
        Edit2->setText(*chosen);
    }
}

void TForm1::Button2Click(QObject*) {
    const QString inputBase = Edit1->text();
    const QString outputBase = Edit2->text();
    if (inputBase.isEmpty()) {
        ShowInputWarning(QStringLiteral("変換元DXFファイルを指定して下さい"), Edit1);
        return;
    }
    if (outputBase.isEmpty()) {
        ShowInputWarning(QStringLiteral("変換先CSVファイルを指定して下さい"), Edit2);
        return;
    }
    const std::string dxfPath = ToBytes(inputBase + QStringLiteral(".dxf"));
    if (!IsExistingFile(dxfPath)) {
        ShowInputWarning(QStringLiteral("指定したDXFファイルが存在しません"), Edit1);
        return;
    }
    ConversionOptions options;
    options.decimalSeparator = decimalSeparator_;
    if (ConvertDxfToCsv(dxfPath, ToBytes(outputBase), options)) {
        dialogs_.ShowMessageBox(this, QStringLiteral("変換しました！"), MessageKind::Information);
    } else {
        dialogs_.ShowMessageBox(this, QStringLiteral("変換出来ませんでした！"),
                                MessageKind::Warning);
    }
}

void TForm1::Button4Click(QObject*) { close(); }

void TForm1::RunCommand(void (TForm1::*handler)(QObject*), QObject* sender) {
    try {
        (this->*handler)(sender);
    } catch (const std::exception& error) {
        dialogs_.ShowErrorBox(this, QString::fromLocal8Bit(error.what()));
    } catch (...) {
        // Nothing may cross the event loop: it would end the program.
        dialogs_.ShowErrorBox(this, QStringLiteral("Unknown error"));
    }
}

void TForm1::ShowInputWarning(const QString& text, QLineEdit* fieldAtFault) {
    dialogs_.Beep();
    dialogs_.ShowMessageBox(this, text, MessageKind::Warning);
    // Select the whole text, as keyboard focus does, so that typing replaces
    // it. Select it here rather than on the focus event: while the box was up
    // the window was inactive, and the focus may arrive only with its
    // activation, which keeps the selection as it was.
    fieldAtFault->setFocus(Qt::OtherFocusReason);
    fieldAtFault->selectAll();
}

std::optional<QString> TForm1::BrowseFrom(QFileDialog*& dialog,
                                          QFileDialog* (*makeDialog)(QWidget*),
                                          const QString& fieldText) {
    // Each use starts from a new dialog, preset from the field alone: a used
    // dialog keeps the name it was given, and an empty name cannot clear it.
    delete dialog;
    dialog = makeDialog(this);
    const std::string path = ToBytes(fieldText);
    const QString folder = FromBytes(InitialDialogFolder(ExtractFolderPart(path)));
    dialog->setDirectory(folder.isEmpty() ? QDir::currentPath()
                                          : QDir::current().absoluteFilePath(folder));
    dialog->selectFile(FromBytes(ExtractNamePart(path)));
    const std::optional<QString> chosen = dialogs_.RunFileDialog(*dialog);
    if (!chosen) return std::nullopt;
    return FromBytes(RemoveExtension(ToBytes(QDir::toNativeSeparators(*chosen))));
}

}  // namespace vernolak
