#pragma once
// The picture of the unit shown by the splash and the about box: a front panel with its
// LCD and three LEDs, drawn here so that it looks the same on every platform and style.

#include <QPixmap>

// The picture at the given width (the height follows at 3:4).
QPixmap unitPicture(int width);
