#include "childprocess.h"
#include "globals.h"
#include "projectfile.h"
#include "textcodec.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray line(const QByteArray &file, int n)
{
    return file.mid(n * HeadLineStride, HeadLineStride);
}

QByteArray padded(const QByteArray &text)
{
    return text + QByteArray(48 - text.size(), ' ') + "\r\n";
}

TParamImage patternImage()
{
    TParamImage image{};
    for (int k = 0; k < ImageWordCount; ++k)
        image[k] = quint16(k * 0x9E37 + 0x55);
    return image;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const QDateTime FixedTime(QDate(2024, 3, 7), QTime(14, 5, 9));

} // namespace

class TestProjectFile : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        resetGlobals();
        setProjectClock([] { return FixedTime; });
    }
    void cleanup() { setProjectClock({}); }

    void layoutOfAWrittenFile()
    {
        ProjectHead head;
        head.workNumber = "ABC";
        head.projectName = "PLANT";
        head.firmwareText = "Version 2.60";
        head.path = "/HOME/X/PLANT.ZF1";
        head.programVersion = "2.60";
        head.memo = "hello";
        TParamImage image{};
        image[5] = 0x1234;
        const QByteArray f = buildProjectFile(head, true, image);
        QCOMPARE(f.size(), 7048);
        QCOMPARE(line(f, 0), padded("Config file KRT-6 from V2.5"));
        QCOMPARE(line(f, 1), QByteArray("Work.-No.   :  ABC") + QByteArray(30, ' ') + "\r\n");
        for (int n : {2, 3, 4})
            QCOMPARE(line(f, n), padded(""));
        QCOMPARE(line(f, 5), padded("Project     :  PLANT"));
        QCOMPARE(line(f, 6), padded("Firmware    :  Version 2.60"));
        QCOMPARE(line(f, 7), padded("Pfad        :  /HOME/X/PLANT.ZF1"));
        QCOMPARE(line(f, 8), padded("Version :  2.60"));
        // date in the system's short format, then the time with seconds and no time zone
        const QByteArray date =
            "Pr\xFC"
            "fungsdatum: " +
            QLocale::system().toString(FixedTime.date(), QLocale::ShortFormat).toLatin1() + " ";
        QVERIFY(line(f, 9).startsWith(date));
        const QByteArray time = line(f, 9).mid(date.size()).trimmed();
        QVERIFY2(time == "14:05:09" || time == "2:05:09 PM" || time == "02:05:09 PM", time.constData());
        QCOMPARE(line(f, 10), padded("Memo :"));
        QCOMPARE(line(f, 11), padded("hello"));
        QCOMPARE(line(f, 12), padded(""));
        QCOMPARE(line(f, 99), padded(""));
        QCOMPARE(quint8(f[5010]), quint8(0x12));
        QCOMPARE(quint8(f[5011]), quint8(0x34));
        QCOMPARE(quint8(f[5000]), quint8(0));
    }

    void valuesAreCutAndPadded_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("readBack");
        const auto row = [](const char *name, const QString &value, const QString &readBack) {
            QTest::newRow(name) << value << readBack;
        };
        row("empty", "", "");
        row("40 chars cut to 33", QString(40, 'P'), QString(33, 'P'));
        row("33 chars", QString(33, 'Q'), QString(33, 'Q'));
        row("trailing blanks lost", "AB  ", "AB");
        row("inner blanks kept", " A B", " A B");
        row("umlaut and euro", QString::fromUtf8("MÜLLER €"), QString::fromUtf8("MÜLLER €"));
        row("cyrillic becomes ?", QString::fromUtf8("Ж1"), "?1");
    }
    void valuesAreCutAndPadded()
    {
        QFETCH(QString, value);
        QFETCH(QString, readBack);
        ProjectHead head;
        head.workNumber = value;
        head.projectName = value;
        head.firmwareText = value;
        const QByteArray f = buildProjectFile(head, false, TParamImage{});
        QCOMPARE(f.size(), 7048);
        for (int n = 0; n < 100; ++n)
            QCOMPARE(f.mid(n * 50 + 48, 2), QByteArray("\r\n"));
        const ProjectFileContents c = parseProjectFile(f);
        QCOMPARE(c.id, FileIdKind::FileIdV25);
        QCOMPARE(c.workNumber, readBack);
        QCOMPARE(c.projectName, readBack);
        QCOMPARE(c.firmwareText, readBack);
    }

    void memoPieces()
    {
        ProjectHead head;
        head.memo = QString(100, 'm');
        QByteArray f = buildProjectFile(head, false, TParamImage{});
        QCOMPARE(line(f, 11), QByteArray(48, 'm') + "\r\n");
        QCOMPARE(line(f, 12), QByteArray(48, 'm') + "\r\n");
        QCOMPARE(line(f, 13), padded("mmmm"));
        QCOMPARE(line(f, 14), padded(""));
        QCOMPARE(parseProjectFile(f).memo, head.memo);

        // 4272 characters fit, the rest is not stored
        head.memo.clear();
        for (int i = 0; i < 4300; ++i)
            head.memo.append(QChar('a' + i % 26));
        f = buildProjectFile(head, false, TParamImage{});
        QCOMPARE(f.size(), 7048);
        QCOMPARE(parseProjectFile(f).memo, head.memo.left(4272));
        QCOMPARE(f.mid(99 * 50, 48), toWin1252(head.memo.mid(4224, 48)));

        // a blank as the 48th character of a piece is kept; CR LF survive
        head.memo = QString(47, 'x') + " " + "y\r\nz";
        f = buildProjectFile(head, false, TParamImage{});
        QCOMPARE(parseProjectFile(f).memo, QString(47, 'x') + " y\r\nz");
    }

    // A memo reads back as it was written, blanks at the end of a piece included; only the
    // blanks at the end of the whole text go.
    void memoReadsBack_data()
    {
        QTest::addColumn<QString>("memo");
        QTest::addColumn<QString>("readBack");
        const QString x47(47, 'x');
        const auto same = [](const char *name, const QString &memo) { QTest::newRow(name) << memo << memo; };
        same("blank 48th", x47 + " words go on");
        same("blank 96th", x47 + "y" + x47 + " z");
        same("blanks 48th and 49th", x47 + "  z");
        same("blank before CR LF at a piece end", x47 + " \r\nnext line");
        same("CR LF split by a piece end", x47 + "\r\nz");
        same("a piece of blanks inside", "a" + QString(100, ' ') + "b");
        same("blank ending the last piece but one", QString(87 * 48 + 47, 'q') + " end");
        same("every character a blank but one", QString(4271, ' ') + "e");
        QTest::newRow("ends in blanks") << "text   "
                                        << "text";
        QTest::newRow("ends in a blank line") << "text\r\n  "
                                              << "text\r\n";
        QTest::newRow("blanks only") << QString(200, ' ') << "";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("longer than the file keeps") << QString(4300, 'l') << QString(4272, 'l');
    }
    void memoReadsBack()
    {
        QFETCH(QString, memo);
        QFETCH(QString, readBack);
        ProjectHead head;
        head.memo = memo;
        const QByteArray f = buildProjectFile(head, false, TParamImage{});
        QCOMPARE(parseProjectFile(f).memo, readBack);
    }

    void identificationLines_data()
    {
        QTest::addColumn<QByteArray>("line0");
        QTest::addColumn<int>("kind");
        QTest::newRow("current") << QByteArray("Config file KRT-6 from V2.5") << int(FileIdKind::FileIdV25);
        QTest::newRow("current + tail")
            << QByteArray("Config file KRT-6 from V2.57 whatever xyz") << int(FileIdKind::FileIdV25);
        QTest::newRow("ZA7700F") << QByteArray("Config file ZA7700F from V2.5")
                                 << int(FileIdKind::FileIdV25Other);
        QTest::newRow("old") << QByteArray("Configuration file KRT-6") << int(FileIdKind::FileIdOld);
        QTest::newRow("old + tail") << QByteArray("Configuration file KRT-6 V1")
                                    << int(FileIdKind::FileIdOld);
        QTest::newRow("lower case") << QByteArray("config file KRT-6 from V2.5") << int(FileIdKind::Rejected);
        QTest::newRow("V2.4") << QByteArray("Config file KRT-6 from V2.4") << int(FileIdKind::Rejected);
        QTest::newRow("leading blank")
            << QByteArray(" Configuration file KRT-6") << int(FileIdKind::Rejected);
        QTest::newRow("blank") << QByteArray() << int(FileIdKind::Rejected);
    }
    void identificationLines()
    {
        QFETCH(QByteArray, line0);
        QFETCH(int, kind);
        ProjectHead head;
        head.projectName = "P";
        QByteArray f = buildProjectFile(head, false, patternImage());
        f.replace(0, 48, line0 + QByteArray(48 - line0.size(), ' '));
        const ProjectFileContents c = parseProjectFile(f);
        QCOMPARE(int(c.id), kind);
        if (c.id == FileIdKind::Rejected) {
            QCOMPARE(c.projectName, QString());
            QCOMPARE(c.image, TParamImage{});
        } else {
            QCOMPARE(c.projectName, QString("P"));
            QCOMPARE(c.image, patternImage());
        }
    }

    void writeReadBackByteForByte()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("PLANT.zf1");
        G.ParamImage = patternImage();
        G.CommittedImage.fill(0);
        G.ReferenceImage.fill(7);
        G.ProjectTextModified = true;
        ProjectHead head;
        head.workNumber = "JJ000000-000.000";
        head.projectName = "PLANT";
        head.firmwareText = "Version 2.60";
        head.path = path.toUpper();
        head.programVersion = "2.60";
        head.memo = QString::fromUtf8("Line one\r\nZeile zwei: Grüße");
        const FileResult w = WriteProjectFile(path, head, true);
        QVERIFY2(w.ok, qPrintable(w.errorText));
        QCOMPARE(G.CommittedImage, G.ParamImage);
        QCOMPARE(G.ReferenceImage[3], quint16(7)); // a save never touches the reference
        QVERIFY(!G.ProjectTextModified);
        QVERIFY(G.TestDateLine.startsWith(QString::fromUtf8("Prüfungsdatum: ")));

        const QByteArray first = readAll(path);
        QCOMPARE(first.size(), 7048);
        QCOMPARE(first.mid(5000), buildProjectFile(head, false, patternImage()).mid(5000));

        const ProjectReadResult r = readProjectFile(path);
        QVERIFY(r.accepted());
        QCOMPARE(r.contents.workNumber, head.workNumber);
        QCOMPARE(r.contents.projectName, head.projectName);
        QCOMPARE(r.contents.firmwareText, head.firmwareText);
        QCOMPARE(r.contents.memo, head.memo);
        QCOMPARE(r.contents.testDateLine, G.TestDateLine);
        QCOMPARE(r.contents.image, patternImage());

        // Save (no new date) of what was read gives the very same bytes, even when the
        // clock has moved on
        setProjectClock([] { return FixedTime.addDays(400); });
        head.testDateLine = r.contents.testDateLine;
        const QString path2 = dir.filePath("COPY.zf1");
        QVERIFY(WriteProjectFile(path2, head, false).ok);
        QCOMPARE(readAll(path2), first);
        // the date kept from the Save as is written again by a later Save
        ProjectHead fromGlobals = head;
        fromGlobals.testDateLine = G.TestDateLine;
        QVERIFY(WriteProjectFile(path2, fromGlobals, false).ok);
        QCOMPARE(readAll(path2), first);
    }

    void openStepsOnTheSharedState()
    {
        QTemporaryDir dir;
        TParamImage image = patternImage();
        ProjectHead head;
        head.testDateLine = "Pr\u00FCfungsdatum: x";
        QByteArray bytes = buildProjectFile(head, false, image);
        const QString current = dir.filePath("a.zf1");
        QVERIFY(writeFile(current, bytes));

        G.WriteAccepted = true;
        G.SignalMatrixConverted = true;
        QVERIFY(applyOpenedProject(readProjectFile(current)));
        QVERIFY(G.WriteAccepted);
        QVERIFY(!G.SignalMatrixConverted);
        QCOMPARE(G.ParamImage, image);
        QCOMPARE(G.CommittedImage, image);
        QCOMPARE(G.ReferenceImage, image);
        QCOMPARE(G.TestDateLine, head.testDateLine);

        // rejected: WriteAccepted cleared, images and test date untouched
        bytes.replace(0, 48, QByteArray(48, 'Z'));
        const QString bad = dir.filePath("c.zf1");
        QVERIFY(writeFile(bad, bytes));
        resetGlobals();
        G.WriteAccepted = true;
        G.TestDateLine = "kept";
        G.ParamImage[9] = 99;
        QVERIFY(!applyOpenedProject(readProjectFile(bad)));
        QVERIFY(!G.WriteAccepted);
        QCOMPARE(G.ParamImage[9], quint16(99));
        QCOMPARE(G.CommittedImage[9], quint16(0));
        QCOMPARE(G.TestDateLine, QString("kept"));
    }

    void refusedFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        // Nine image bytes are LF: a line-end conversion turns each into CR LF.
        TParamImage image;
        image.fill(0x1234);
        for (int k = 1; k <= 9; ++k)
            image[k * 100] = 0x0A0B;
        const QByteArray good = buildProjectFile(ProjectHead{}, false, image);
        QVERIFY(parseProjectFile(good).id != FileIdKind::Rejected);
        QByteArray converted = good;
        converted.replace("\r\n", "\n").replace("\n", "\r\n");
        QCOMPARE(converted.size(), 7057);
        QByteArray lfOnly = good.left(5000).replace("\r\n", "\n") + good.mid(5000);
        lfOnly.append(QByteArray(7048 - lfOnly.size(), ' '));
        QByteArray noEndInLine99 = good;
        noEndInLine99.replace(99 * 50 + 48, 2, "  ");

        QTest::newRow("line ends converted, 7057 bytes") << converted;
        QTest::newRow("one byte more") << good + ' ';
        QTest::newRow("LF-only head padded to 7048") << lfOnly;
        QTest::newRow("no CR LF in line 99") << noEndInLine99;
        QTest::newRow("one byte short") << good.left(7047);
        QTest::newRow("empty") << QByteArray();
        // Each head line with only its CR or only its LF missing (a blank in its place).
        for (int n = 0; n < 100; ++n) {
            for (int end : {48, 49}) {
                QByteArray broken = good;
                broken[n * 50 + end] = ' ';
                QTest::addRow("line %d without %s", n, end == 48 ? "CR" : "LF") << broken;
            }
        }
    }
    void refusedFiles()
    {
        // Refused, and the loaded data stay as they were.
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString path = dir.filePath("f.zf1");
        QVERIFY(writeFile(path, bytes));
        const ProjectReadResult r = readProjectFile(path);
        QVERIFY(r.file.ok && !r.accepted());
        G.WriteAccepted = true;
        G.ParamImage[1] = 5;
        G.TestDateLine = "kept";
        QVERIFY(!applyOpenedProject(r));
        QVERIFY(G.WriteAccepted && G.ParamImage[1] == 5 && G.CommittedImage[1] == 0);
        QCOMPARE(G.TestDateLine, QString("kept"));
    }

    void unreadableFiles()
    {
        // A directory, a missing file: the system's text.
        QTemporaryDir dir;
        for (const QString &path : {dir.path(), dir.filePath("none.zf1")}) {
            const ProjectReadResult r = readProjectFile(path);
            QVERIFY(!r.file.ok && !r.file.errorText.isEmpty() && !applyOpenedProject(r));
        }
    }

    // A save writes a regular file or a new name; a link to one replaces the file it names
    // and stays a link. Anything else is refused by name; a save that fails (also part way,
    // over the file size limit) leaves the old file whole, no temporary file and G as it was.
    void savesAndFailedSaves_data()
    {
        QTest::addColumn<QString>("make"); // how the test's folder is set up
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("sizeLimit");
        QTest::addColumn<QString>("error"); // empty: written
        const QString notRegular = "%1 is not a regular file.";
        QTest::newRow("missing folder") << "true"
                                        << "missing/t" << 0 << "No such file or directory";
        QTest::newRow("file as a folder") << "echo x >p"
                                          << "p/t" << 0 << "Not a directory";
        QTest::newRow("over the size limit") << "echo old >t"
                                             << "t" << 1000 << "File too large";
        QTest::newRow("FIFO") << "mkfifo t"
                              << "t" << 0 << notRegular;
        QTest::newRow("link to a FIFO") << "mkfifo f; ln -s f t"
                                        << "t" << 0 << notRegular;
        QTest::newRow("link to a character device") << "mknod c c 1 5; ln -s c t"
                                                    << "t" << 0 << notRegular;
        QTest::newRow("folder") << "mkdir t"
                                << "t" << 0 << notRegular;
        QTest::newRow("link to a link to a file") << "echo x >f; ln -s f l; ln -s l t"
                                                  << "t" << 0 << "";
        QTest::newRow("dangling link") << "ln -s f t"
                                       << "t" << 0 << "";
        // "../shared" is taken from the real folder of the link, not beside "via".
        const QString relative = "mkdir -p real/sub real/shared shared; ln -s real/sub via; "
                                 "ln -s ../shared/p real/sub/t";
        QTest::newRow("relative link in a linked folder") << relative + "; echo x >real/shared/p"
                                                          << "via/t" << 0 << "";
        QTest::newRow("dangling relative link in a linked folder") << relative << "via/t" << 0 << "";
    }
    void savesAndFailedSaves()
    {
        QFETCH(QString, make);
        QFETCH(QString, name);
        QFETCH(int, sizeLimit);
        QFETCH(QString, error);
        QTemporaryDir dir;
        if (QProcess::execute("sh", {"-c", "cd '" + dir.path() + "' && " + make}) != 0)
            QSKIP("cannot make the node here");
        const QString t = dir.filePath(name);
        const QFileInfo before(t);
        const QByteArray old = before.isFile() ? readAll(t) : QByteArray(); // a FIFO is never opened
        error.replace("%1", t);
        QCOMPARE(exitCodeInChild([&] { // the limit stays in the child
                     limitFileSize(sizeLimit ? rlim_t(sizeLimit) : RLIM_INFINITY);
                     G.ParamImage.fill(3);
                     const FileResult r = WriteProjectFile(t, ProjectHead{}, true);
                     const bool kept = G.CommittedImage[1] == 0 && G.TestDateLine.isEmpty();
                     return r.errorText == error && r.ok == error.isEmpty() && (r.ok || kept) ? 0 : 1;
                 }),
                 0);
        QCOMPARE(QFileInfo(t).isSymLink(), before.isSymLink());
        QCOMPARE(QFileInfo(t).isFile(), error.isEmpty() || before.isFile()); // no node replaced
        QVERIFY(error.isEmpty() ? readProjectFile(t).accepted() : !before.isFile() || readAll(t) == old);
        QCOMPARE(QDir(dir.path()).entryList({".krt6-*"}, QDir::Files | QDir::Hidden), QStringList());
    }

    void randomAndMutatedFilesNeverCrash()
    {
        QRandomGenerator rng(20240307);
        const QByteArray good = buildProjectFile(
            ProjectHead{"W", "P", "Version 2.60", "X", "2.60", "", "memo"}, false, patternImage());
        int accepted = 0;
        for (int i = 0; i < 4000; ++i) {
            QByteArray bytes;
            if (i % 4 == 0) {
                bytes.resize(int(rng.bounded(7048 * 2)));
                for (char &c : bytes)
                    c = char(rng.bounded(256));
            } else {
                bytes = good;
                const int flips = int(rng.bounded(1, 64));
                for (int k = 0; k < flips; ++k)
                    bytes[int(rng.bounded(7048))] = char(rng.bounded(256));
                if (i % 7 == 0)
                    bytes.truncate(int(rng.bounded(7049)));
            }
            const ProjectFileContents c = parseProjectFile(bytes);
            if (c.id == FileIdKind::Rejected)
                continue;
            ++accepted;
            QCOMPARE(bytes.size(), 7048);
            QVERIFY(c.workNumber.size() <= 33);
            QVERIFY(c.testDateLine.size() <= 48);
            QVERIFY(c.memo.size() <= 4272);
            for (int k = 0; k < ImageWordCount; k += 97)
                QCOMPARE(int(c.image[k]), quint8(bytes[5000 + 2 * k]) * 256 + quint8(bytes[5001 + 2 * k]));
        }
        QVERIFY(accepted > 1000);
    }
};

QTEST_GUILESS_MAIN(TestProjectFile)
#include "tst_projectfile.moc"
