// The program's own pictures, drawn in code so they stay sharp at any size: the toolbar's
// fallback icons, the program icon and the start-up picture.
#pragma once

#include <QIcon>
#include <QPixmap>

/// The desktop theme's icon for a toolbar command, with our own drawing where the theme has none.
QIcon CommandIcon(unsigned id);
/// Our own drawing of a toolbar command's icon (an empty icon for other ids).
QIcon DrawnCommandIcon(unsigned id);
/// The program icon.
QIcon ApplicationIcon();
/// The program icon drawn at `size` pixels square (the installed icons are made from it).
QPixmap ApplicationPicture(int size);
/// The start-up picture: name, purpose and version of the program.
QPixmap StartupPicture();
