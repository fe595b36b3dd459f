#include "textcodec.h"

#include "globals.h"

#include <algorithm>

namespace {

// Windows-1252 characters of the bytes 0x80..0x9F. The five bytes that Windows-1252
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control character of
// the same code, so that every byte survives a round trip through QString.
constexpr char16_t HighTable[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 0x98
};

constexpr int LastWord = ImageWordCount - 1;

bool inImage(int word)
{
    return word >= 0 && word <= LastWord;
}

quint16 packWord(quint8 high, quint8 low)
{
    return quint16((high << 8) | low);
}

// Writes bytes into consecutive words from firstWord on, two per word, high byte
// first; `bytes` holds exactly 2 * wordCount bytes. Words past 1023 are skipped.
void storeBytes(int firstWord, int wordCount, const QByteArray &bytes)
{
    for (int k = 0; k < wordCount; ++k) {
        const int word = firstWord + k;
        if (!inImage(word))
            break;
        G.ParamImage[word] = packWord(quint8(bytes[2 * k]), quint8(bytes[2 * k + 1]));
    }
}

} // namespace

char toWin1252Char(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return char(u);
    for (int i = 0; i < 32; ++i) {
        if (HighTable[i] == u)
            return char(0x80 + i);
    }
    return '?';
}

QChar fromWin1252Char(quint8 byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return QChar(HighTable[byte - 0x80]);
    return QChar(char16_t(byte));
}

QByteArray toWin1252(const QString &text)
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        // A character outside the Basic Multilingual Plane is one '?', not two.
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            out.append('?');
            ++i;
            continue;
        }
        out.append(toWin1252Char(c));
    }
    return out;
}

QString fromWin1252(const QByteArray &bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (char b : bytes)
        out.append(fromWin1252Char(quint8(b)));
    return out;
}

QString GetImageText8(quint16 firstWord, bool useDefault, const QString &defaultText)
{
    QByteArray bytes;
    for (int k = 0; k < 4; ++k) {
        const int word = firstWord + k;
        if (!inImage(word))
            break;
        const quint16 w = G.ParamImage[word];
        const quint8 high = quint8(w >> 8);
        const quint8 low = quint8(w & 0xFF);
        if (high == 0)
            break;
        bytes.append(char(high));
        if (low == 0)
            break;
        bytes.append(char(low));
    }
    if (bytes == QByteArray(8, char(0xFF)))
        bytes.clear();
    if (useDefault && bytes.isEmpty())
        return defaultText.left(16);
    return fromWin1252(bytes);
}

void StoreText8(quint16 firstWord, const QString &text)
{
    QByteArray bytes = toWin1252(text).left(8);
    bytes.append(QByteArray(8 - bytes.size(), '\0'));
    storeBytes(firstWord, 4, bytes); // the empty text gives four zero words
}

QString GetImageText16(quint16 firstWord)
{
    QByteArray bytes;
    for (int k = 0; k < 8; ++k) {
        const int word = firstWord + k;
        if (!inImage(word))
            break;
        bytes.append(char(G.ParamImage[word] >> 8));
        bytes.append(char(G.ParamImage[word] & 0xFF));
    }
    return fromWin1252(bytes);
}

QString GetImageName16(quint16 firstWord)
{
    QString name = GetImageText16(firstWord);
    while (!name.isEmpty() && name.back().unicode() <= 0x20)
        name.chop(1);
    return name;
}

void StoreText16(quint16 firstWord, const QString &text)
{
    QByteArray bytes = toWin1252(text).left(16);
    bytes.append(QByteArray(16 - bytes.size(), ' '));
    storeBytes(firstWord, 8, bytes);
}

QString ImageWordsToText(quint16 firstWord, quint16 lastWord)
{
    QByteArray bytes;
    const int last = std::min<int>(lastWord, LastWord);
    for (int word = firstWord; word <= last; ++word) {
        const quint16 w = G.ParamImage[word];
        if (w == 0)
            break;
        bytes.append(char(w >> 8));
        if ((w & 0xFF) == 0)
            break;
        bytes.append(char(w & 0xFF));
    }
    return fromWin1252(bytes);
}

void StoreEditText(quint16 firstWord, quint16 lastWord, const QString &text, int maxLength)
{
    QByteArray bytes = toWin1252(text);
    if (bytes.size() < maxLength)
        bytes.append(QByteArray(maxLength - bytes.size(), ' '));
    const int last = std::min<int>(lastWord, LastWord);
    int word = firstWord;
    for (qsizetype i = 0; i < bytes.size() && word <= last; ++i) {
        const quint8 code = quint8(bytes[i]);
        if (i % 2 == 0) {
            G.ParamImage[word] = quint16(code << 8);
        } else {
            G.ParamImage[word] = quint16(G.ParamImage[word] + code);
            ++word;
        }
    }
}

QString ImageWordsToString(quint16 firstWord, quint16 lastWord)
{
    QByteArray bytes;
    const int last = std::min<int>(lastWord, LastWord);
    for (int word = firstWord; word <= last; ++word) {
        bytes.append(char(G.ParamImage[word] >> 8));
        bytes.append(char(G.ParamImage[word] & 0xFF));
    }
    return fromWin1252(bytes);
}
