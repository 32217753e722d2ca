// The window as the user meets it: every control in its place with its text,
// the frame, font and scaling, keyboard focus, and the ways to close it.
#include "ui/main_window.h"

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScopedPointer>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTimer>
#include <QWindow>
#include <optional>

#include "ui/program_start.h"
#include "ui/user_dialogs.h"

namespace vernolak {
namespace {

// Answers like a user who cancels everything; these tests run no command
// that asks.
class SilentDialogs final : public UserDialogs {
  public:
    void Beep() override {}
    void ShowMessageBox(QWidget*, const QString&, MessageKind) override {}
    void ShowErrorBox(QWidget*, const QString&) override {}
    std::optional<QString> RunFileDialog(QFileDialog&) override { return std::nullopt; }
};

QString TextOf(const QWidget* control) {
    if (const auto* label = qobject_cast<const QLabel*>(control)) return label->text();
    if (const auto* edit = qobject_cast<const QLineEdit*>(control)) return edit->text();
    if (const auto* button = qobject_cast<const QPushButton*>(control)) return button->text();
    if (const auto* memo = qobject_cast<const QPlainTextEdit*>(control)) {
        return memo->toPlainText();
    }
    return QStringLiteral("<no text>");
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        window.reset(new TForm1(dialogs));
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.data()));
    }
    void cleanup() { window.reset(); }

    void controlsAreInPlace_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<Qt::FocusPolicy>("focusPolicy");

        const auto row = [](const char* name, QRect geometry, const QString& text, bool bold,
                            Qt::FocusPolicy focus) {
            QTest::newRow(name) << QString::fromLatin1(name) << geometry << text << bold << focus;
        };
        row("Label1", {8, 8, 611, 17},
            QStringLiteral(
                "このツールは、ＤＸＦファイル内のポリライン頂点データの座標をＣＳＶファイル"
                "にします。"),
            false, Qt::NoFocus);
        row("Edit1", {40, 40, 401, 25}, QString(), false, Qt::StrongFocus);
        row("Label2", {448, 48, 38, 17}, QStringLiteral(".DXF"), true, Qt::NoFocus);
        row("Button1", {496, 40, 89, 25}, QStringLiteral("参照"), false, Qt::StrongFocus);
        row("Button2", {256, 72, 113, 41}, QStringLiteral("変換↓"), false, Qt::StrongFocus);
        row("Edit2", {40, 120, 401, 25}, QString(), false, Qt::StrongFocus);
        row("Label3", {448, 128, 40, 17}, QStringLiteral(".CSV"), true, Qt::NoFocus);
        row("Button3", {496, 120, 89, 25}, QStringLiteral("参照"), false, Qt::StrongFocus);
        row("Memo1", {40, 176, 545, 137},
            QStringLiteral(
                "ライトウェポンポリライン、スプライン、複合（ブロック）図形、等には対応して\n"
                "いません。\n"
                "必要な複合（ブロック）図形は分解して、R12又はR13形式ＤＸＦとして出力し\n"
                "たものを利用して下さい。ポリラインを分解してしまわないように注意して下さ\n"
                "い。閉じたポリラインの場合には、最後に第１点を入れるようにしています。\n"
                "ポリラインが複数ある場合には、間に１行の空行を入れるようにしています。"),
            false, Qt::ClickFocus);
        row("Button4", {256, 320, 113, 33}, QStringLiteral("終了(&X)"), false, Qt::StrongFocus);
    }

    void controlsAreInPlace() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, text);
        QFETCH(bool, bold);
        QFETCH(Qt::FocusPolicy, focusPolicy);

        const QWidget* control = window->findChild<QWidget*>(name);
        QVERIFY(control);
        QCOMPARE(control->geometry(), geometry);
        QCOMPARE(TextOf(control), text);
        QCOMPARE(control->font().bold(), bold);
        QCOMPARE(control->font().pixelSize(), 17);
        QCOMPARE(control->focusPolicy(), focusPolicy);
    }

    void windowHasItsFixedFrameAndFont() {
        QCOMPARE(window->windowTitle(), QStringLiteral("VERNOLAK"));
        QCOMPARE(window->size(), QSize(626, 358));
        QCOMPARE(window->minimumSize(), QSize(626, 358));
        QCOMPARE(window->maximumSize(), QSize(626, 358));
        QCOMPARE(window->pos(), QPoint(192, 118));
        const Qt::WindowFlags flags = window->windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
        QCOMPARE(window->backgroundRole(), QPalette::Button);
        QVERIFY(window->autoFillBackground());

        // QT_SCALE_FACTOR=2 is set for this test: pixels must stay pixels.
        QCOMPARE(window->devicePixelRatio(), 1.0);
        QCOMPARE(window->windowHandle()->devicePixelRatio(), 1.0);

        const QFontInfo face(window->font());
        QCOMPARE(face.pixelSize(), 17);
        QVERIFY2(face.family() == QStringLiteral("ＭＳ Ｐゴシック") ||
                     face.family() == QStringLiteral("MS PGothic") ||
                     face.family() == QStringLiteral("IPAPGothic"),
                 qPrintable(face.family() + QStringLiteral(" is no Japanese proportional face")));
        QVERIFY(!face.fixedPitch());
    }

    void notesAreReadOnlyAndFitTheirBox() {
        const auto* memo = window->findChild<QPlainTextEdit*>(QStringLiteral("Memo1"));
        QVERIFY(memo->isReadOnly());
        QCOMPARE(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(memo->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        // Each of the six lines fits the box's width: none wraps again.
        const QTextDocument* notes = memo->document();
        QCOMPARE(notes->blockCount(), 6);
        for (QTextBlock line = notes->begin(); line.isValid(); line = line.next()) {
            QVERIFY2(line.layout()->lineCount() == 1, qPrintable(line.text()));
        }
    }

    void tabCyclesThroughTheControlsAndSkipsTheNotes() {
        QCOMPARE(FocusName(), QStringLiteral("Edit1"));
        const QStringList forward = {"Button1", "Button2", "Edit2", "Button3", "Button4", "Edit1"};
        for (const QString& next : forward) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(FocusName(), next);
        }
        const QStringList backward = {"Button4", "Button3", "Edit2", "Button2", "Button1", "Edit1"};
        for (const QString& next : backward) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
            QCOMPARE(FocusName(), next);
        }
    }

    void keyboardFocusSelectsTheWholeField() {
        QPointer<QLineEdit> edit1 = window->findChild<QLineEdit*>(QStringLiteral("Edit1"));
        QPointer<QLineEdit> edit2 = window->findChild<QLineEdit*>(QStringLiteral("Edit2"));
        edit1->setText(QStringLiteral("C:/dwg/plan"));
        edit2->setText(QStringLiteral("C:/dwg/out"));
        edit1->deselect();
        edit2->deselect();

        for (int i = 0; i < 3; ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), edit2.data());
        QCOMPARE(edit2->selectedText(), QStringLiteral("C:/dwg/out"));

        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        }
        QCOMPARE(QApplication::focusWidget(), edit1.data());
        QCOMPARE(edit1->selectedText(), QStringLiteral("C:/dwg/plan"));
    }

    void closingEndsTheProgram_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("exit button") << QStringLiteral("click");
        QTest::newRow("Alt+X") << QStringLiteral("mnemonic");
        QTest::newRow("close box") << QStringLiteral("close");
    }

    void closingEndsTheProgram() {
        QFETCH(QString, how);
        auto* exitButton = window->findChild<QPushButton*>(QStringLiteral("Button4"));
        QTimer::singleShot(0, window.data(), [&] {
            if (how == QStringLiteral("click")) {
                QTest::mouseClick(exitButton, Qt::LeftButton);
            } else if (how == QStringLiteral("mnemonic")) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_X, Qt::AltModifier);
            } else {
                window->windowHandle()->close();
            }
        });
        // Ends a loop that the window failed to end, with another code.
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        guard.start(10000);

        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!window->isVisible());
    }

    void applicationTitleComesFromTheProgramFile_data() {
        QTest::addColumn<QString>("programPath");
        QTest::addColumn<QString>("title");
        QTest::newRow("plain") << "/usr/bin/vernolak"
                               << "Vernolak";
        QTest::newRow("cut at the first dot") << "/opt/dwg.tools/my.tool.exe"
                                              << "My";
        QTest::newRow("case") << "VERNOLAK.EXE"
                              << "Vernolak";
        QTest::newRow("non-ASCII") << "/opt/élan"
                                   << "Élan";
        QTest::newRow("dot first") << "/opt/.hidden"
                                   << "";
    }

    void applicationTitleComesFromTheProgramFile() {
        QFETCH(QString, programPath);
        QFETCH(QString, title);
        QCOMPARE(ApplicationTitle(programPath), title);
    }

    void iconIs32PixelsIn16Colours() {
        const QImage icon = MainIcon().pixmap(32, 32).toImage();
        QCOMPARE(icon.size(), QSize(32, 32));
        QSet<QRgb> colours;
        for (int y = 0; y < icon.height(); ++y) {
            for (int x = 0; x < icon.width(); ++x) colours.insert(icon.pixel(x, y));
        }
        QVERIFY(colours.size() > 2);
        QVERIFY(colours.size() <= 16);
    }

  private:
    QString FocusName() const {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName()
                                           : QStringLiteral("<none>");
    }

    SilentDialogs dialogs;
    QScopedPointer<TForm1> window;
};

}  // namespace vernolak

int main(int argc, char* argv[]) {
    vernolak::DisableScreenScaling();
    QApplication application(argc, argv);
    vernolak::MainWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "main_window_test.moc"
