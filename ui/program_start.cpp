#include "ui/program_start.h"

#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QtGlobal>

#include "paths/path_names.h"

namespace vernolak {
namespace {

#include "ui/main_icon.xpm"

}  // namespace

void DisableScreenScaling() {
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    // These three scale the layout or the font even with the scaling above off.
    qunsetenv("QT_SCALE_FACTOR");
    qunsetenv("QT_SCREEN_SCALE_FACTORS");
    qunsetenv("QT_FONT_DPI");
}

bool DisplayIsAvailable() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN) && !defined(Q_OS_ANDROID)
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
           !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    return true;
#endif
}

QString NoDisplayMessage() {
    return QStringLiteral(
        "vernolak: no display available; run it under a desktop session or with "
        "xvfb-run vernolak");
}

QString ApplicationTitle(const QString& programPath) {
    const QByteArray path = QFile::encodeName(QDir::toNativeSeparators(programPath));
    QString title =
        QFile::decodeName(QByteArray::fromStdString(ExtractNamePart(path.toStdString())));
    const qsizetype dot = title.indexOf(QLatin1Char('.'));
    if (dot >= 0) title.truncate(dot);
    return title.left(1).toUpper() + title.mid(1).toLower();
}

QIcon MainIcon() { return QIcon(QPixmap(main_icon_xpm)); }

}  // namespace vernolak
