// Saves a picture of an area of the X screen once something has been drawn
// there, for the README's screenshot:
//   vernolak_screen_grab OUT.png LEFT TOP WIDTH HEIGHT
#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QThread>
#include <cstdio>

namespace {

// True when the area holds more than one colour, i.e. a window was painted
// over the empty screen.
bool IsPainted(const QImage& picture) {
    const QRgb first = picture.pixel(0, 0);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (picture.pixel(x, y) != first) return true;
        }
    }
    return false;
}

}  // namespace

int main(int argc, char* argv[]) {
    QGuiApplication application(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 6) {
        std::fprintf(stderr, "usage: vernolak_screen_grab OUT.png LEFT TOP WIDTH HEIGHT\n");
        return 2;
    }
    const auto grab = [&] {
        return QGuiApplication::primaryScreen()->grabWindow(0, args[2].toInt(), args[3].toInt(),
                                                            args[4].toInt(), args[5].toInt());
    };
    // Wait up to 30 s for the program to start and paint; then give it a
    // moment more so that the picture is not caught half drawn.
    QPixmap picture = grab();
    for (int tries = 0; tries < 300 && !IsPainted(picture.toImage()); ++tries) {
        QThread::msleep(100);
        picture = grab();
    }
    QThread::msleep(500);
    picture = grab();
    if (!IsPainted(picture.toImage()) || !picture.save(args[1], "PNG")) {
        std::fprintf(stderr, "vernolak_screen_grab: nothing drawn, or cannot save %s\n",
                     qPrintable(args[1]));
        return 1;
    }
    return 0;
}
