// The program's entry: settles the screen, builds the one window, runs the
// event loop until the window is closed. Command-line arguments are ignored.
#include <QApplication>
#include <cstdio>

#include "ui/main_window.h"
#include "ui/program_start.h"
#include "ui/user_dialogs.h"

int main(int /*argc*/, char* argv[]) {
    if (!vernolak::DisplayIsAvailable()) {
        std::fprintf(stderr, "%s\n", vernolak::NoDisplayMessage().toLocal8Bit().constData());
        return 1;
    }
    vernolak::DisableScreenScaling();

    // The toolkit sees the program's name alone: the program takes no
    // options, the toolkit's own (-platform, -style, ...) included.
    int toolkitArgc = 1;
    QApplication application(toolkitArgc, argv);
    QApplication::setApplicationName(
        vernolak::ApplicationTitle(QCoreApplication::applicationFilePath()));
    QApplication::setWindowIcon(vernolak::MainIcon());

    vernolak::PlatformDialogs dialogs;
    vernolak::TForm1 window(dialogs);
    vernolak::Form1 = &window;
    window.show();
    QApplication::exec();
    return 0;
}
