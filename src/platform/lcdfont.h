#pragma once
// The LCD face "LCD Kyr": a 5 x 8 dot-matrix font compiled into the program (resource
// ":/fonts/lcd_kyr.ttf") and registered for this process only; no file is written.
// Its glyphs cover the Windows-1252 characters of the bytes 0x20..0xFF.

#include <QFont>
#include <QString>

class QWidget;

// Registers the font once per process; later calls return the same family.
// Returns the family name ("LCD Kyr"), or an empty string when the font could not be
// loaded or registered.
QString registerLcdFont();

// The LCD face at the given point size (registers the font when needed). When the font
// is not available the returned font names the family all the same and Qt falls back.
QFont lcdFont(int pointSize);

// Sets the LCD face on one widget, keeping its size and style. False (and no change)
// when the font is not available.
bool setLcdFace(QWidget *widget);

// Sets the LCD face on every plain edit under root (root included): every QLineEdit
// without an input mask. Masked edits (TMaskEdit, or any edit with an input mask) and
// the edit parts of spin boxes and combo boxes keep their font. False (and no change)
// when the font is not available.
bool applyLcdFont(QWidget *root);
