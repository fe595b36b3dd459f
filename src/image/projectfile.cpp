#include "projectfile.h"

#include "datetimetext.h"
#include "textcodec.h"

#include <QDir>
#include <QFile>
#include <QLocale>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

const QByteArray FileIdV25 = QByteArrayLiteral("Config file KRT-6 from V2.5");
const QByteArray FileIdV25Other = QByteArrayLiteral("Config file ZA7700F from V2.5");
const QByteArray FileIdOld = QByteArrayLiteral("Configuration file KRT-6");

namespace {

std::function<QDateTime()> &projectClock()
{
    static std::function<QDateTime()> clock;
    return clock;
}

// Label texts as written; "Prüfungsdatum" has its ü as the Windows-1252 byte 0xFC.
const QString LabelWorkNumber = QStringLiteral("Work.-No.   :  ");
const QString LabelProject = QStringLiteral("Project     :  ");
const QString LabelFirmware = QStringLiteral("Firmware    :  ");
const QString LabelPath = QStringLiteral("Pfad        :  ");
const QString LabelVersion = QStringLiteral("Version :  ");
const QString LabelTestDate = QStringLiteral("Pr\u00FCfungsdatum: ");
const QString LabelMemo = QStringLiteral("Memo :");

// One head line of 48 bytes: cut or padded with blanks.
QByteArray lineBytes(const QByteArray &text)
{
    QByteArray line = text.left(HeadLineLength);
    line.append(QByteArray(HeadLineLength - line.size(), ' '));
    return line;
}

void putLine(QByteArray &file, int n, const QByteArray &text)
{
    file.replace(n * HeadLineStride, HeadLineLength, lineBytes(text));
}

// Bytes of line n up to its last non-blank character among the first 48.
QByteArray trimmedLine(const QByteArray &file, int n, int from = 0)
{
    const QByteArray line = file.mid(n * HeadLineStride, HeadLineLength);
    int end = line.size();
    while (end > 0 && line.at(end - 1) == ' ')
        --end;
    if (end <= from)
        return QByteArray();
    return line.mid(from, end - from);
}

} // namespace

void setProjectClock(std::function<QDateTime()> clock)
{
    projectClock() = std::move(clock);
}

QString currentTestDateLine()
{
    const QDateTime now = projectClock() ? projectClock()() : QDateTime::currentDateTime();
    const QLocale locale = QLocale::system();
    return LabelTestDate + locale.toString(now.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
           LongTimeText(now.time(), locale);
}

QByteArray buildProjectFile(const ProjectHead &head, bool NewTestDate, const TParamImage &image)
{
    QByteArray file;
    file.reserve(ProjectFileSize);
    for (int n = 0; n < HeadLineCount; ++n)
        file.append(QByteArray(HeadLineLength, ' ')).append("\r\n");

    putLine(file, 0, FileIdV25);
    putLine(file, 1, toWin1252(LabelWorkNumber + head.workNumber));
    putLine(file, 5, toWin1252(LabelProject + head.projectName));
    putLine(file, 6, toWin1252(LabelFirmware + head.firmwareText));
    putLine(file, 7, toWin1252(LabelPath + head.path));
    putLine(file, 8, toWin1252(LabelVersion + head.programVersion));
    putLine(file, 9, toWin1252(NewTestDate ? currentTestDateLine() : head.testDateLine));
    putLine(file, 10, toWin1252(LabelMemo));

    const QByteArray memo = toWin1252(head.memo);
    for (int piece = 0; MemoFirstLine + piece < HeadLineCount; ++piece) {
        const qsizetype start = qsizetype(piece) * HeadLineLength;
        if (start >= memo.size())
            break;
        putLine(file, MemoFirstLine + piece, memo.mid(start, HeadLineLength));
    }

    for (int k = 0; k < ImageWordCount; ++k) {
        file.append(char(image[k] >> 8));
        file.append(char(image[k] & 0xFF));
    }
    return file;
}

bool hasProjectFileLayout(const QByteArray &bytes)
{
    if (bytes.size() != ProjectFileSize)
        return false;
    for (int n = 0; n < HeadLineCount; ++n) {
        const int end = n * HeadLineStride + HeadLineLength;
        if (bytes[end] != '\r' || bytes[end + 1] != '\n')
            return false;
    }
    return true;
}

ProjectFileContents parseProjectFile(const QByteArray &bytes)
{
    ProjectFileContents result;
    if (!hasProjectFileLayout(bytes))
        return result;

    const QByteArray line0 = bytes.left(HeadLineLength);
    if (line0.startsWith(FileIdV25))
        result.id = FileIdKind::FileIdV25;
    else if (line0.startsWith(FileIdV25Other))
        result.id = FileIdKind::FileIdV25Other;
    else if (line0.startsWith(FileIdOld))
        result.id = FileIdKind::FileIdOld;
    else
        return result;

    result.testDateLine = fromWin1252(trimmedLine(bytes, 9));
    for (int k = 0; k < ImageWordCount; ++k) {
        const quint8 high = quint8(bytes[ImageBlockOffset + 2 * k]);
        const quint8 low = quint8(bytes[ImageBlockOffset + 2 * k + 1]);
        result.image[k] = quint16((high << 8) | low);
    }
    result.workNumber = fromWin1252(trimmedLine(bytes, 1, HeadValueOffset));
    result.projectName = fromWin1252(trimmedLine(bytes, 5, HeadValueOffset));
    result.firmwareText = fromWin1252(trimmedLine(bytes, 6, HeadValueOffset));

    // The pieces joined as they stand, so that a blank at the end of a piece stays; only
    // the blanks after the text (the last piece's padding, the blank lines) go.
    QByteArray memo;
    for (int n = MemoFirstLine; n < HeadLineCount; ++n)
        memo.append(bytes.mid(n * HeadLineStride, HeadLineLength));
    qsizetype end = memo.size();
    while (end > 0 && memo.at(end - 1) == ' ')
        --end;
    memo.truncate(end);
    result.memo = fromWin1252(memo);
    return result;
}

namespace {
QString systemText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// The real name of an existing file or folder (every link followed), empty when there
// is none.
QByteArray realPath(const QByteArray &name)
{
    char *real = ::realpath(name.constData(), nullptr);
    const QByteArray result(real);
    std::free(real);
    return result;
}

// The name a save writes to: links are followed on the disk to their end, so that the
// file a link names is replaced and the link stays. An existing target is its real name.
// A dangling link is followed one readlink() at a time, each relative target taken from
// the real folder of its link, as the system follows it ("../x" in a folder reached
// through a link is not "x" beside that link). A loop ends on a link, which is no
// regular file.
QByteArray writeTarget(const QString &path)
{
    QByteArray name =
        QFile::encodeName(QDir::isRelativePath(path) ? QDir::currentPath() + u'/' + path : path);
    for (int depth = 0; depth < 40; ++depth) {
        if (const QByteArray real = realPath(name); !real.isEmpty())
            return real;
        const qsizetype slash = name.lastIndexOf('/');
        QByteArray folder = realPath(slash > 0 ? name.left(slash) : QByteArray("/"));
        if (folder.isEmpty())
            return name; // no such folder: the save fails there with the system's text
        if (!folder.endsWith('/'))
            folder += '/';
        name = folder + name.mid(slash + 1);
        char target[PATH_MAX];
        const ssize_t n = ::readlink(name.constData(), target, sizeof target);
        if (n <= 0)
            return name; // a new name
        name = target[0] == '/' ? QByteArray(target, n) : folder + QByteArray(target, n);
    }
    return name;
}

// Puts the written temporary file in the target's place: 0 or the error. On Linux the
// two names are swapped in one step and what came out is looked at: a node put at the
// target after the caller's check is swapped back (notRegular) instead of replaced.
// A file system without these renames gets a plain rename after the caller's check.
int moveIntoPlace(const QByteArray &temp, const QByteArray &target, bool exists, bool &notRegular)
{
#ifdef RENAME_EXCHANGE
    const auto swap = [&] {
        return ::renameat2(AT_FDCWD, temp.constData(), AT_FDCWD, target.constData(), RENAME_EXCHANGE);
    };
    int done = exists
                   ? swap()
                   : ::renameat2(AT_FDCWD, temp.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE);
    if (!exists && done != 0 && errno == EEXIST) { // made since the check
        exists = true;
        done = swap();
    }
    if (done == 0 && !exists)
        return 0;
    if (done == 0) {
        // The old target is now under the temporary name.
        struct stat old = {};
        if (::lstat(temp.constData(), &old) == 0 && S_ISREG(old.st_mode)) {
            ::unlink(temp.constData());
            return 0;
        }
        notRegular = true;
        return swap() == 0 ? 0 : errno;
    }
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
        return errno;
#endif
    return ::rename(temp.constData(), target.constData()) == 0 ? 0 : errno;
}
} // namespace

void ignoreFileSizeSignal()
{
    ::signal(SIGXFSZ, SIG_IGN);
}

FileResult saveFileBytes(const QString &path, const QByteArray &bytes)
{
    FileResult result;
    const QByteArray targetName = writeTarget(path);
    const auto refuseNotRegular = [&] {
        result.errorText = QStringLiteral("%1 is not a regular file.").arg(QDir::toNativeSeparators(path));
        result.notRegularFile = true;
        return result;
    };
    // Only a regular file is replaced: never a device, a FIFO, a socket or a folder.
    struct stat existing = {};
    const bool exists = ::lstat(targetName.constData(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode))
        return refuseNotRegular();
    if (exists && ::access(targetName.constData(), W_OK) != 0) {
        result.errorText = systemText(errno);
        return result;
    }

    // The temporary file has a short name of its own in the same folder, so that every
    // name the file system takes can be saved, and a random part, so that one left by a
    // killed save never stands in the way.
    QByteArray temp = targetName.left(targetName.lastIndexOf('/')) + "/.krt6-XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        result.errorText = systemText(errno);
        return result;
    }
    const auto failAndRemove = [&](int error) {
        ::close(fd);
        ::unlink(temp.constData());
        result.errorText = systemText(error);
        return result;
    };
    // The new file gets the old one's permissions, or those of a newly created file.
    mode_t mode = 0;
    if (exists) {
        mode = existing.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(fd, mode) != 0)
        return failAndRemove(errno);

    // Every failure (disk full, file size limit) shows at write() or fsync(); the old
    // file is replaced only after the whole new one is on the disk.
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return failAndRemove(n < 0 ? errno : ENOSPC);
        done += n;
    }
    if (::fsync(fd) != 0)
        return failAndRemove(errno);
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temp.constData());
        result.errorText = systemText(error);
        return result;
    }
    bool notRegular = false;
    if (const int error = moveIntoPlace(temp, targetName, exists, notRegular); error != 0 || notRegular) {
        ::unlink(temp.constData());
        if (notRegular)
            return refuseNotRegular();
        result.errorText = systemText(error);
        return result;
    }
    result.ok = true;
    return result;
}

ProjectReadResult readProjectFile(const QString &path)
{
    ProjectReadResult result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.file.errorText = file.errorString();
        return result;
    }
    // One byte more than a project file has tells a longer file from a good one.
    QByteArray bytes;
    while (bytes.size() <= ProjectFileSize) {
        const QByteArray chunk = file.read(ProjectFileSize + 1 - bytes.size());
        if (chunk.isEmpty())
            break;
        bytes.append(chunk);
    }
    if (file.error() != QFileDevice::NoError) {
        result.file.errorText = file.errorString();
        return result;
    }
    result.file.ok = true;
    if (!hasProjectFileLayout(bytes)) {
        result.wrongLayout = true;
        return result;
    }
    result.contents = parseProjectFile(bytes);
    return result;
}

void commitWrittenImage()
{
    G.CommittedImage = G.ParamImage;
    G.ProjectTextModified = false;
}

FileResult WriteProjectFile(const QString &path, const ProjectHead &head, bool NewTestDate)
{
    // The date is taken once, so that the file and G.TestDateLine get the same line.
    ProjectHead written = head;
    if (NewTestDate)
        written.testDateLine = currentTestDateLine();
    const QByteArray bytes = buildProjectFile(written, false, G.ParamImage);
    const FileResult result = saveFileBytes(path, bytes);
    if (!result.ok)
        return result;
    commitWrittenImage();
    if (NewTestDate)
        G.TestDateLine = fromWin1252(trimmedLine(bytes, 9));
    return result;
}

void loadImageIntoAllCopies(const TParamImage &image)
{
    G.CommittedImage = image;
    G.ParamImage = image;
    G.ReferenceImage = image;
    G.SignalMatrixConverted = false;
}

bool applyOpenedProject(const ProjectReadResult &result)
{
    if (!result.file.ok || result.wrongLayout)
        return false;
    const ProjectFileContents &contents = result.contents;
    if (contents.id != FileIdKind::FileIdV25 && contents.id != FileIdKind::FileIdV25Other)
        G.WriteAccepted = false;
    if (contents.id == FileIdKind::Rejected)
        return false;
    G.TestDateLine = contents.testDateLine;
    loadImageIntoAllCopies(contents.image);
    return true;
}

void finishOpenedProject()
{
    G.ImageModified = false;
    G.ProjectTextModified = false;
    G.VoltageRange = G.CommittedImage[VoltageVariant];
    G.CellCount = G.CommittedImage[BatteryCellCount];
}
