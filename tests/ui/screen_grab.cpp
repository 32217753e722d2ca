// Saves a picture of an area of the X screen, for the README's screenshot:
//   vernolak_screen_grab OUT.png LEFT TOP WIDTH HEIGHT
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>

int main(int argc, char* argv[]) {
    QGuiApplication application(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 6) {
        std::fprintf(stderr, "usage: vernolak_screen_grab OUT.png LEFT TOP WIDTH HEIGHT\n");
        return 2;
    }
    const QPixmap picture = QGuiApplication::primaryScreen()->grabWindow(
        0, args[2].toInt(), args[3].toInt(), args[4].toInt(), args[5].toInt());
    if (picture.isNull() || !picture.save(args[1], "PNG")) {
        std::fprintf(stderr, "vernolak_screen_grab: cannot save %s\n", qPrintable(args[1]));
        return 1;
    }
    return 0;
}
