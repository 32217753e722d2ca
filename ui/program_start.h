// What the program settles before and around its one window: the screen
// settings it insists on, the display check, the application title and icon.
#pragma once

#include <QIcon>
#include <QString>

namespace vernolak {

// Turns off every kind of high-DPI scaling, the user's own scale factors
// included, so that the window's positions, sizes and font height stay screen
// pixels whatever the screen's resolution setting. Takes effect only when
// called before the application object exists.
void DisableScreenScaling();

// False on a Unix desktop system where no toolkit platform was chosen and
// neither an X11 nor a Wayland display is named, where the toolkit could only
// abort. True everywhere else.
bool DisplayIsAvailable();

// The one line that tells a user without a display how to get one.
QString NoDisplayMessage();

// The title under which the program appears in the taskbar and in its error
// boxes: the program file's name without its folder, cut before its first
// dot, its first character upper case and the rest lower case
// (/opt/my.tool gives "My", vernolak gives "Vernolak").
QString ApplicationTitle(const QString& programPath);

// The program's icon: one 32 x 32 picture in 16 colours.
QIcon MainIcon();

}  // namespace vernolak
