// The four commands end to end: input checks with their beeps, boxes and
// focus, the browse dialogs' presets and results, and conversions that write
// real files in a temporary folder. The user's answers come from
// ScriptedDialogs, so no box or dialog ever waits for a person.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScopedPointer>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <optional>
#include <stdexcept>

#include "ui/main_window.h"
#include "ui/user_dialogs.h"

Q_DECLARE_METATYPE(vernolak::MessageKind)

namespace vernolak {
namespace {

// Records what the commands show, in order, and answers file dialogs with
// whatever the test has set up.
class ScriptedDialogs final : public UserDialogs {
  public:
    struct DialogSeen {
        QFileDialog::AcceptMode acceptMode;
        QFileDialog::FileMode fileMode;
        QStringList nameFilters;
        QString defaultSuffix;
        bool confirmsOverwrite;
        QString folder;
        QString fileName;  // the text of the name box
    };

    void Beep() override { events << QStringLiteral("beep"); }

    void ShowMessageBox(QWidget*, const QString& text, MessageKind kind) override {
        events << (kind == MessageKind::Warning ? QStringLiteral("warning ")
                                                : QStringLiteral("information ")) +
                      text;
        // A real box takes the activation from the window while it is up.
        QWidget box;
        box.show();
        box.activateWindow();
        if (!QTest::qWaitForWindowActive(&box)) events << QStringLiteral("box not active");
    }

    void ShowErrorBox(QWidget*, const QString& text) override {
        events << QStringLiteral("error ") + text;
    }

    std::optional<QString> RunFileDialog(QFileDialog& dialog) override {
        const auto* nameBox = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        seen = DialogSeen{dialog.acceptMode(),
                          dialog.fileMode(),
                          dialog.nameFilters(),
                          dialog.defaultSuffix(),
                          !dialog.testOption(QFileDialog::DontConfirmOverwrite),
                          dialog.directory().absolutePath(),
                          nameBox ? nameBox->text() : QStringLiteral("<no name box>")};
        events << QStringLiteral("dialog");
        return answer(dialog);
    }

    QStringList events;
    std::optional<DialogSeen> seen;
    std::function<std::optional<QString>(QFileDialog&)> answer = [](QFileDialog&) {
        return std::nullopt;
    };
};

// A closed polyline of two vertices, with the line ends that drawings have.
const char kClosedPolyline[] =
    "0\r\nSECTION\r\n2\r\nENTITIES\r\n"
    "0\r\nPOLYLINE\r\n8\r\n0\r\n66\r\n1\r\n70\r\n1\r\n"
    "0\r\nVERTEX\r\n8\r\n0\r\n10\r\n1.5\r\n20\r\n2\r\n30\r\n0\r\n"
    "0\r\nVERTEX\r\n8\r\n0\r\n10\r\n3\r\n20\r\n-4.25\r\n30\r\n0\r\n"
    "0\r\nSEQEND\r\n0\r\nENDSEC\r\n0\r\nEOF\r\n";
const char kClosedPolylineCsv[] =
    "\"X\",\"Y\",\"Z\"\r\n1.5,2,0\r\n3,-4.25,0\r\n1.5,2,0\r\n\"\",\"\",\"\"\r\n";

const QString kNoInput = QStringLiteral("変換元DXFファイルを指定して下さい");
const QString kNoOutput = QStringLiteral("変換先CSVファイルを指定して下さい");
const QString kMissingInput = QStringLiteral("指定したDXFファイルが存在しません");
const QString kConverted = QStringLiteral("変換しました！");
const QString kNotConverted = QStringLiteral("変換出来ませんでした！");

void WriteFile(const QString& path, const QByteArray& bytes) {
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<absent>");
}

// Sets an environment variable for its lifetime.
class EnvironmentOverride {
  public:
    EnvironmentOverride(const char* name, const QByteArray& value)
        : name_(name), old_(qgetenv(name)), wasSet_(qEnvironmentVariableIsSet(name)) {
        qputenv(name, value);
    }
    ~EnvironmentOverride() {
        if (wasSet_) {
            qputenv(name_, old_);
        } else {
            qunsetenv(name_);
        }
    }
    EnvironmentOverride(const EnvironmentOverride&) = delete;
    EnvironmentOverride& operator=(const EnvironmentOverride&) = delete;

  private:
    const char* name_;
    QByteArray old_;
    bool wasSet_;
};

}  // namespace

class WindowCommandsTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        // Keeps the file dialogs' remembered settings out of the user's own.
        QStandardPaths::setTestModeEnabled(true);
        startFolder = QDir::currentPath();
    }

    void init() {
        folder.reset(new QTemporaryDir);
        QVERIFY(folder->isValid());
        QVERIFY(QDir::setCurrent(folder->path()));
        dialogs.reset(new ScriptedDialogs);
        window.reset(new TForm1(*dialogs));
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.data()));
        edit1 = window->findChild<QLineEdit*>(QStringLiteral("Edit1"));
        edit2 = window->findChild<QLineEdit*>(QStringLiteral("Edit2"));
    }

    void cleanup() {
        window.reset();
        QVERIFY(QDir::setCurrent(startFolder));
        folder.reset();
    }

    void convertChecksInputFirst_data() {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("existingFile");
        QTest::addColumn<QString>("warning");
        QTest::addColumn<QString>("focus");

        QTest::newRow("both empty") << ""
                                    << ""
                                    << "" << kNoInput << "Edit1";
        QTest::newRow("input empty") << ""
                                     << "out"
                                     << "" << kNoInput << "Edit1";
        QTest::newRow("output empty before the input is looked for") << "missing"
                                                                     << ""
                                                                     << "" << kNoOutput << "Edit2";
        QTest::newRow("output empty, input there") << "plan"
                                                   << ""
                                                   << "plan.dxf" << kNoOutput << "Edit2";
        QTest::newRow("input missing") << "missing"
                                       << "out"
                                       << "" << kMissingInput << "Edit1";
        QTest::newRow("blanks are a name") << "  "
                                           << "out"
                                           << "" << kMissingInput << "Edit1";
        QTest::newRow("typed extension gets another") << "plan.dxf"
                                                      << "out"
                                                      << "plan.dxf" << kMissingInput << "Edit1";
        QTest::newRow("folder named like the input") << "plan"
                                                     << "out"
                                                     << "plan.dxf/" << kMissingInput << "Edit1";
    }

    void convertChecksInputFirst() {
        QFETCH(QString, input);
        QFETCH(QString, output);
        QFETCH(QString, existingFile);
        QFETCH(QString, warning);
        QFETCH(QString, focus);

        if (existingFile.endsWith(QLatin1Char('/'))) {
            QVERIFY(QDir().mkpath(existingFile));
        } else if (!existingFile.isEmpty()) {
            WriteFile(existingFile, kClosedPolyline);
        }
        edit1->setText(input);
        edit2->setText(output);

        ClickButton("Button2");

        QCOMPARE(dialogs->events, QStringList({QStringLiteral("beep"), "warning " + warning}));
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        const auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QCOMPARE(field->selectedText(), field->text());
        QCOMPARE(edit1->text(), input);
        QCOMPARE(edit2->text(), output);
        QCOMPARE(QDir().entryList({QStringLiteral("*.csv")}, QDir::Files), QStringList());
    }

    void convertWritesTheCsvFile_data() {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QByteArray>("staleContent");

        QTest::newRow("relative paths") << "plan"
                                        << "plan"
                                        << "plan.csv" << QByteArray();
        QTest::newRow("typed extension gets another") << "plan"
                                                      << "out.csv"
                                                      << "out.csv.csv" << QByteArray();
        QTest::newRow("existing file replaced") << "plan"
                                                << "out"
                                                << "out.csv" << QByteArray(500, 'x');
        QTest::newRow("Japanese folder") << "図面/平面図"
                                         << "出力/一覧"
                                         << "出力/一覧.csv" << QByteArray();
    }

    void convertWritesTheCsvFile() {
        QFETCH(QString, input);
        QFETCH(QString, output);
        QFETCH(QString, written);
        QFETCH(QByteArray, staleContent);

        WriteFile(input + ".dxf", kClosedPolyline);
        QVERIFY(QDir().mkpath(QFileInfo(written).path()));
        if (!staleContent.isEmpty()) WriteFile(written, staleContent);
        edit1->setText(input);
        edit2->setText(output);

        ClickButton("Button2");

        QCOMPARE(dialogs->events, QStringList("information " + kConverted));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Button2"));
        QCOMPARE(ReadFile(written), QByteArray(kClosedPolylineCsv));
    }

    void convertWritesTheDecimalSymbolInForce() {
        const QByteArray locales = qgetenv("VERNOLAK_TEST_LOCPATH");
        if (locales.isEmpty()) QSKIP("needs the comma locale that CTest compiles first");
        WriteFile("plan.dxf", kClosedPolyline);
        edit1->setText(QStringLiteral("plan"));
        edit2->setText(QStringLiteral("plan"));

        // The user switches to German number settings while the window is up.
        const EnvironmentOverride path("LOCPATH", locales);
        const EnvironmentOverride language("LC_ALL", "de_DE.UTF-8");
        ClickButton("Button2");
        QCOMPARE(ReadFile("plan.csv"), QByteArray(kClosedPolylineCsv));

        QEvent announcement(QEvent::LocaleChange);
        QCoreApplication::sendEvent(qApp, &announcement);
        ClickButton("Button2");
        QCOMPARE(ReadFile("plan.csv"),
                 QByteArray("\"X\",\"Y\",\"Z\"\r\n1,5,2,0\r\n3,-4,25,0\r\n1,5,2,0\r\n"
                            "\"\",\"\",\"\"\r\n"));
        QCOMPARE(dialogs->events,
                 QStringList({"information " + kConverted, "information " + kConverted}));
    }

    void convertReportsAFailedRun_data() {
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("outputFolder");
        QTest::newRow("output folder missing") << "nowhere/out"
                                               << "";
        QTest::newRow("output is a folder") << "taken"
                                            << "taken.csv";
    }

    void convertReportsAFailedRun() {
        QFETCH(QString, output);
        QFETCH(QString, outputFolder);

        WriteFile("plan.dxf", kClosedPolyline);
        if (!outputFolder.isEmpty()) QVERIFY(QDir().mkpath(outputFolder));
        edit1->setText(QStringLiteral("plan"));
        edit2->setText(output);

        ClickButton("Button2");

        QCOMPARE(dialogs->events, QStringList("warning " + kNotConverted));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Button2"));
        QVERIFY(!QFileInfo(output + ".csv").isFile());
    }

    void browseInputPresetsTheOpenDialog_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("existingFile");
        QTest::addColumn<QString>("folder");  // relative to the temporary folder
        QTest::addColumn<QString>("fileName");

        QTest::newRow("empty field") << ""
                                     << ""
                                     << ""
                                     << "";
        QTest::newRow("no such file") << "dwg/plan"
                                      << ""
                                      << ""
                                      << "";
        QTest::newRow("existing file") << "dwg/plan"
                                       << "dwg/plan.dxf"
                                       << "dwg"
                                       << "plan";
        QTest::newRow("existing file, no folder") << "plan"
                                                  << "plan.dxf"
                                                  << ""
                                                  << "plan";
        QTest::newRow("dotted folder") << "dwg.old/plan"
                                       << "dwg.old/plan.dxf"
                                       << "dwg.old"
                                       << "plan";
    }

    void browseInputPresetsTheOpenDialog() {
        QFETCH(QString, field);
        QFETCH(QString, existingFile);
        QFETCH(QString, folder);
        QFETCH(QString, fileName);

        if (!existingFile.isEmpty()) WriteFile(existingFile, kClosedPolyline);
        // An earlier use with another file must leave nothing behind.
        WriteFile("elsewhere/old.dxf", kClosedPolyline);
        edit1->setText(QStringLiteral("elsewhere/old"));
        ClickButton("Button1");
        edit1->setText(field);

        ClickButton("Button1");

        QCOMPARE(dialogs->events, QStringList({"dialog", "dialog"}));
        const ScriptedDialogs::DialogSeen& seen = *dialogs->seen;
        QCOMPARE(seen.acceptMode, QFileDialog::AcceptOpen);
        QCOMPARE(seen.fileMode, QFileDialog::ExistingFile);
        QCOMPARE(seen.nameFilters, QStringList(QStringLiteral("DXF Files(*.dxf)")));
        QCOMPARE(seen.defaultSuffix, QStringLiteral("dxf"));
        QCOMPARE(seen.folder, QDir::current().absoluteFilePath(folder));
        QCOMPARE(seen.fileName, fileName);
        QCOMPARE(edit1->text(), field);  // cancelled
    }

    void browseOutputPresetsTheSaveDialog_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("fileName");

        QTest::newRow("empty field") << ""
                                     << ""
                                     << "";
        QTest::newRow("no existence test") << "out/list"
                                           << "out"
                                           << "list";
        QTest::newRow("folder only") << "out/"
                                     << "out"
                                     << "";
        QTest::newRow("root folder") << "/list"
                                     << "/"
                                     << "list";
    }

    void browseOutputPresetsTheSaveDialog() {
        QFETCH(QString, field);
        QFETCH(QString, folder);
        QFETCH(QString, fileName);

        QVERIFY(QDir().mkpath(QStringLiteral("out")));
        edit2->setText(QStringLiteral("earlier"));
        ClickButton("Button3");
        edit2->setText(field);

        ClickButton("Button3");

        const ScriptedDialogs::DialogSeen& seen = *dialogs->seen;
        QCOMPARE(seen.acceptMode, QFileDialog::AcceptSave);
        QCOMPARE(seen.fileMode, QFileDialog::AnyFile);
        QVERIFY(seen.confirmsOverwrite);
        QCOMPARE(seen.nameFilters, QStringList(QStringLiteral("CSV Files(*.csv)")));
        QCOMPARE(seen.defaultSuffix, QStringLiteral("csv"));
        QCOMPARE(seen.folder, QDir::current().absoluteFilePath(folder));
        QCOMPARE(seen.fileName, fileName);
        QCOMPARE(edit2->text(), field);  // cancelled
    }

    void browseFillsTheFieldWithoutExtension_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("confirmed");
        QTest::addColumn<QString>("field");

        QTest::newRow("input") << "Button1"
                               << "/dwg/plan.dxf"
                               << "/dwg/plan";
        QTest::newRow("input, dotted folder") << "Button1"
                                              << "/dwg.old/plan"
                                              << "/dwg.old/plan";
        QTest::newRow("input, name only an extension") << "Button1"
                                                       << "/dwg/.dxf"
                                                       << "/dwg/";
        QTest::newRow("output, other extension") << "Button3"
                                                 << "/out/list.txt"
                                                 << "/out/list";
        QTest::newRow("output, two extensions") << "Button3"
                                                << "/out/a.b.csv"
                                                << "/out/a.b";
    }

    void browseFillsTheFieldWithoutExtension() {
        QFETCH(QString, button);
        QFETCH(QString, confirmed);
        QFETCH(QString, field);

        dialogs->answer = [confirmed](QFileDialog&) { return std::optional(confirmed); };
        ClickButton(button.toLatin1().constData());

        QLineEdit* target = button == QStringLiteral("Button1") ? edit1 : edit2;
        QLineEdit* other = target == edit1 ? edit2 : edit1;
        QCOMPARE(target->text(), field);
        QCOMPARE(other->text(), QString());
        QCOMPARE(dialogs->events, QStringList("dialog"));
    }

    void errorInACommandIsShownAndTheWindowCarriesOn() {
        dialogs->answer = [](QFileDialog&) -> std::optional<QString> {
            throw std::runtime_error("the file system went away");
        };
        ClickButton("Button1");
        QCOMPARE(dialogs->events, QStringList({"dialog", "error the file system went away"}));
        QVERIFY(window->isVisible());

        ClickButton("Button2");
        QCOMPARE(dialogs->events.mid(2), QStringList({"beep", "warning " + kNoInput}));

        dialogs->answer = [](QFileDialog&) -> std::optional<QString> { throw 42; };
        ClickButton("Button3");
        QCOMPARE(dialogs->events.mid(4), QStringList({"dialog", "error Unknown error"}));
        QVERIFY(window->isVisible());
    }

    void messageBoxHasOneOkButton_data() {
        QTest::addColumn<MessageKind>("kind");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QMessageBox::Icon>("icon");
        QTest::newRow("warning") << MessageKind::Warning << "警告" << QMessageBox::Warning;
        QTest::newRow("information")
            << MessageKind::Information << "情報" << QMessageBox::Information;
    }

    void messageBoxHasOneOkButton() {
        QFETCH(MessageKind, kind);
        QFETCH(QString, title);
        QFETCH(QMessageBox::Icon, icon);

        QScopedPointer<QMessageBox> box(MakeMessageBox(window.data(), kConverted, kind));
        QCOMPARE(box->windowTitle(), title);
        QCOMPARE(box->icon(), icon);
        QCOMPARE(box->text(), kConverted);
        QCOMPARE(box->buttons().size(), 1);
        QAbstractButton* ok = box->buttons().constFirst();
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QCOMPARE(box->defaultButton(), ok);
        QCOMPARE(box->escapeButton(), ok);
    }

  private:
    void ClickButton(const char* name) {
        auto* button = window->findChild<QPushButton*>(QString::fromLatin1(name));
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.data()));
    }

    QString startFolder;
    QScopedPointer<QTemporaryDir> folder;
    QScopedPointer<ScriptedDialogs> dialogs;
    QScopedPointer<TForm1> window;
    QLineEdit* edit1 = nullptr;
    QLineEdit* edit2 = nullptr;
};

}  // namespace vernolak

QTEST_MAIN(vernolak::WindowCommandsTest)
#include "window_commands_test.moc"
