// libFuzzer target: the project file reader and the text codecs of the image.
//
// The whole input is offered to the reader as a file. A file it accepts must have the
// layout of a project file and must come back the same when written again from what
// was read. The input also goes through the Windows-1252 codec (every byte one
// character and back) and, as image words, through the text fields of the image with
// word ranges taken from its first bytes.

#include "globals.h"
#include "imagetexts.h"
#include "projectfile.h"
#include "textcodec.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

void projectFile(const QByteArray &bytes)
{
    const ProjectFileContents read = parseProjectFile(bytes);
    if (read.id == FileIdKind::Rejected)
        return;
    check(hasProjectFileLayout(bytes));
    ProjectHead head;
    head.workNumber = read.workNumber;
    head.projectName = read.projectName;
    head.firmwareText = read.firmwareText;
    head.testDateLine = read.testDateLine;
    head.memo = read.memo;
    const QByteArray written = buildProjectFile(head, false, read.image);
    check(written.size() == ProjectFileSize && hasProjectFileLayout(written));
    const ProjectFileContents again = parseProjectFile(written);
    check(again.id == FileIdKind::FileIdV25);
    check(again.image == read.image);
    check(again.workNumber == read.workNumber.left(33));
    check(again.projectName == read.projectName.left(33));
    check(again.firmwareText == read.firmwareText.left(33));
    check(again.testDateLine == read.testDateLine);
}

void textCodecs(const QByteArray &bytes)
{
    const QString text = fromWin1252(bytes);
    check(text.size() == bytes.size());
    check(toWin1252(text) == bytes);
    if (bytes.size() < 4)
        return;

    const auto byte = [&](int i) { return quint8(bytes[i]); };
    const quint16 first = quint16(byte(0) << 8 | byte(1));
    const quint16 last = quint16(byte(2) << 8 | byte(3));
    const QByteArray rest = bytes.mid(4);
    for (int k = 0; k < ImageWordCount; ++k) {
        const int i = rest.isEmpty() ? 0 : (2 * k) % rest.size();
        G.ParamImage[k] =
            rest.isEmpty() ? 0 : quint16(quint8(rest[i]) << 8 | quint8(rest[(i + 1) % rest.size()]));
    }

    (void)ImageWordsToText(first, last);
    (void)ImageWordsToString(first, last);
    (void)GetImageText8(first, byte(3) & 1, QStringLiteral("default"));
    (void)UnpackSerialNumber();
    (void)FirmwareVersionText(G.ParamImage[962]);

    const QString part = fromWin1252(rest.left(40));
    StoreEditText(first, last, part, byte(3) % 41);
    StoreText8(first, part);
    StoreText16(first, part);
    if (first <= ImageWordCount - 8) {
        const QString stored = GetImageText16(first);
        check(stored == (part.left(16) + QString(16, QLatin1Char(' '))).left(16));
    }
    PackSerialNumber(part);
    (void)UnpackSerialNumber();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    projectFile(bytes);
    textCodecs(bytes);
    return 0;
}
