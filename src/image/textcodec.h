#pragma once
// Texts inside the parameter image: 8-bit characters (Windows-1252), two per word,
// the first character in the high byte. All routines work on G.ParamImage and go
// through Windows-1252 in both directions. Words past 1023 are never read or
// written: a field that runs past the end of the image is cut there.

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// Windows-1252 <-> QString. Every byte maps to one character and back; a character
// that Windows-1252 cannot represent becomes '?'.
QByteArray toWin1252(const QString &text);
QString fromWin1252(const QByteArray &bytes);
char toWin1252Char(QChar c);
QChar fromWin1252Char(quint8 byte);

// 8-character label in 4 words, NUL padded; eight 0xFF bytes read as empty.
QString GetImageText8(quint16 firstWord, bool useDefault = false, const QString &defaultText = QString());
void StoreText8(quint16 firstWord, const QString &text);

// 16-character name in 8 words, blank padded; the reader returns all 16 characters.
QString GetImageText16(quint16 firstWord);
void StoreText16(quint16 firstWord, const QString &text);
// The name as a page shows it: GetImageText16 without its trailing blanks and control
// characters (codes 0 to 32); blanks inside the name stay.
QString GetImageName16(quint16 firstWord);

// Text of words first..last, ended by a zero word or a zero low byte.
QString ImageWordsToText(quint16 firstWord, quint16 lastWord);

// Writes text into words first..last, padded with blanks to maxLength (0 = no padding);
// words that no character reaches keep their value.
void StoreEditText(quint16 firstWord, quint16 lastWord, const QString &text, int maxLength);

// High then low character of every word; empty when last < first.
QString ImageWordsToString(quint16 firstWord, quint16 lastWord);
