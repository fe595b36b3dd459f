// The File commands as a user runs them: New project, Open, Save, Save as and closing,
// with the file dialogs scripted and every question answered through the recorder.

#include "comsettings.h"
#include "connect.h"
#include "controls.h"
#include "defaults.h"
#include "fieldtext.h"
#include "filedialogs.h"
#include "globals.h"
#include "helprecorder.h"
#include "mainwindow.h"
#include "messagerecorder.h"
#include "page_text.h"
#include "pagekit.h"
#include "projectfile.h"
#include "textcodec.h"
#include "vermess.h"
#include "voltage.h"
#include "windowhelpers.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {
const QString SendQuestion = QStringLiteral("Send changes to KRT-6?");
const QString InvalidFile = QStringLiteral("Open a valid file please !");

// The write command of the link counts its calls; `clears` says whether it succeeds.
class TestMain : public TfrmMain
{
public:
    int writes = 0;
    bool clears = false;
    void datwriteClick() override
    {
        ++writes;
        if (clears)
            G.ImageModified = false;
    }
    bool closeQuery() { return FormCloseQuery(); }
};

// The default image a new project starts from on a program that loaded nothing before.
TParamImage defaultImage(int range)
{
    const Globals saved = G;
    G = Globals{};
    G.BrandText = saved.BrandText;
    G.VoltageRange = quint16(range);
    SetNewProjectDefaults();
    const TParamImage img = G.CommittedImage;
    G = saved;
    return img;
}

TParamImage imageOfFile(const QByteArray &bytes)
{
    TParamImage img{};
    for (int k = 0; k < ImageWordCount; ++k)
        img[k] = quint16(quint8(bytes[5000 + 2 * k]) << 8 | quint8(bytes[5001 + 2 * k]));
    return img;
}

// A memo of `stored` characters as the file keeps them: lines of 58 letters and CR LF.
QString memoOf(int stored)
{
    QString text;
    for (int n = 0; n < stored;) {
        if (n % 60 == 58 && stored - n >= 2) {
            text += "\r\n";
            n += 2;
        } else {
            text += QChar('a' + n % 26);
            ++n;
        }
    }
    return text;
}

QByteArray headLine(const QByteArray &bytes, int n)
{
    return bytes.mid(50 * n, 48);
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
} // namespace

class TestProjectCommands : public QObject
{
    Q_OBJECT

    TestMain *w = nullptr;
    MessageRecorder *rec = nullptr;
    QTemporaryDir *dir = nullptr;
    QTimer modalAnswerer;
    int voltageChoice = 0;      // item the user picks in the voltage range dialog
    QStringList attentionTexts; // texts of the attention messages shown

    template <typename T> T *child(const char *name) const { return ::child<T>(w, name); }
    QString text(const char *name) const { return child<QLineEdit>(name)->text(); }
    QString path(const QString &name) const { return dir->filePath(name); }

    // A project file with the given identification line and firmware text.
    QByteArray projectBytes(const QByteArray &id, const QString &firmware, quint16 marker,
                            const QString &memo = "memo")
    {
        TParamImage img{};
        for (int k = 0; k < ImageWordCount; ++k)
            img[k] = quint16(k * 7 + marker);
        img[LanguageIndex] = 1;
        img[CustomLanguage] = 2;
        img[VoltageVariant] = 1;
        img[BatteryCellCount] = 54;
        img[DinRailVersion] = 1;
        for (int line : {LogoLine1, LogoLine2}) { // "ABCD" and 12 blanks, as a save stores it
            img[line] = 0x4142;
            img[line + 1] = 0x4344;
            for (int k = 2; k < 8; ++k)
                img[line + k] = 0x2020;
        }
        QByteArray b = buildProjectFile({"W-42", "Plant", firmware, "X", "2.60", "date", memo}, false, img);
        b.replace(0, 48, id.leftJustified(48, ' '));
        return b;
    }
    // The user replaces the last character of a logo line.
    void editLogo(const char *name)
    {
        QLineEdit *edit = child<QLineEdit>(name);
        QTest::keyClick(edit, Qt::Key_End);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, "Z");
    }
    // Writes a project file into the folder and opens it.
    void load(const QString &name, const QString &firmware = "Version 2.60", const QByteArray &id = FileIdV25)
    {
        writeAll(path(name), projectBytes(id, firmware, 1));
        open(path(name));
    }
    void open(const QString &file)
    {
        FileDialogs::setScript({file});
        child<QToolButton>("BitBtn5")->click();
    }
    void newProject(int range, const QString &file)
    {
        voltageChoice = range;
        FileDialogs::setScript({file});
        child<QAction>("NeuesProjekt1")->trigger();
    }

private slots:
    void init()
    {
        resetGlobals();
        rec = new MessageRecorder(MbNo);
        dir = new QTemporaryDir;
        fmVoltage = new TfmVoltage;
        w = new TestMain;
        attentionTexts.clear();
        // Answers the modal dialogs as a user would: the voltage range and the attention message.
        QObject::connect(&modalAnswerer, &QTimer::timeout, this, [this] {
            QWidget *m = QApplication::activeModalWidget();
            if (!m || !m->isVisible())
                return;
            if (m->objectName() == "fmVoltage") {
                m->findChildren<QRadioButton *>().at(voltageChoice)->click();
                m->findChild<QAbstractButton *>("Button2")->click();
            } else if (m->objectName() == "frm_version") {
                attentionTexts << w->VerMess()->Msg; // the text as written, shown with its line breaks
                m->findChild<QAbstractButton *>("cmd_OK")->click();
            }
        });
        modalAnswerer.start(5);
        QVERIFY(showActive(w));
    }
    void cleanup()
    {
        modalAnswerer.stop();
        modalAnswerer.disconnect();
        FileDialogs::endScript();
        FileDialogs::clearRequests();
        delete w;
        delete fmVoltage;
        fmVoltage = nullptr;
        delete dir;
        delete rec;
    }

    void newProjectWritesTheDefaultImage_data()
    {
        QTest::addColumn<int>("range");
        QTest::addColumn<QString>("label");
        QTest::newRow("H") << 1 << "KRT-6 - H   (80V-300V)";
        QTest::newRow("L") << 0 << "KRT-6 - L   (20V-80V)";
    }
    void newProjectWritesTheDefaultImage()
    {
        QFETCH(int, range);
        QFETCH(QString, label);
        newProject(range, path("station.one"));
        const QByteArray bytes = readAll(path("station.one"));
        QCOMPARE(bytes.size(), ProjectFileSize);
        QVERIFY(imageOfFile(bytes) == defaultImage(range));
        QCOMPARE(headLine(bytes, 1), QByteArray("Work.-No.   :  JJ000000-000.000").leftJustified(48, ' '));
        QCOMPARE(headLine(bytes, 5), QByteArray("Project     :  STATION").leftJustified(48, ' '));
        // An empty firmware field is saved as 9.99 by Save as.
        QCOMPARE(headLine(bytes, 6), QByteArray("Firmware    :  Version 9.99").leftJustified(48, ' '));
        // the program's own version, set when the window was made
        QCOMPARE(headLine(bytes, 8), QByteArray("Version :  2.60").leftJustified(48, ' '));
        QCOMPARE(text("ed_mprjname"), QString("STATION"));
        QCOMPARE(child<QLabel>("lb_NomVRang")->text(), label);
        QVERIFY(child<QAction>("speichern")->isEnabled() && child<QAction>("datwrite")->isEnabled());
        QVERIFY(G.ProjectOpen && !G.ProjectTextModified && !G.ImageModified);
        QVERIFY(G.ReferenceImage == G.ParamImage && G.CommittedImage == G.ParamImage);
        QCOMPARE(G.CurrentPage, 1);
        QVERIFY(rec->texts().isEmpty());
    }

    void openChecksTheIdentificationLine_data()
    {
        QTest::addColumn<QByteArray>("id");
        QTest::addColumn<QString>("firmware");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<bool>("writeAccepted");
        QTest::addColumn<bool>("notice");
        QTest::newRow("V2.5") << QByteArray("Config file KRT-6 from V2.5 tail") << "Version 2.60" << true
                              << true << false;
        QTest::newRow("ZA7700F") << QByteArray("Config file ZA7700F from V2.5") << "Version 2.60" << true
                                 << true << false;
        QTest::newRow("old id, old version")
            << QByteArray("Configuration file KRT-6") << "Version 2.30" << true << false << true;
        QTest::newRow("old id, current version")
            << QByteArray("Configuration file KRT-6") << "Version 2.60" << true << false << false;
        QTest::newRow("unknown") << QByteArray("Config file KRT-5 from V2.5") << "Version 2.60" << false
                                 << true << false;
    }
    void openChecksTheIdentificationLine()
    {
        QFETCH(QByteArray, id);
        QFETCH(QString, firmware);
        QFETCH(bool, accepted);
        QFETCH(bool, writeAccepted);
        QFETCH(bool, notice);
        // A project is loaded first; a rejected file must leave it as it was.
        load("first.zf1");
        const TParamImage before = G.ParamImage;
        QVERIFY(rec->texts().isEmpty());

        writeAll(path("second.zaf"), projectBytes(id, firmware, 2));
        open(path("second.zaf"));
        QCOMPARE(G.WriteAccepted, writeAccepted);
        QCOMPARE(child<QWidget>("Panel71")->isVisible(), notice);
        QCOMPARE(child<QWidget>("Label330")->isVisible(), notice);
        if (!accepted) {
            QCOMPARE(rec->texts(), QStringList{InvalidFile});
            QVERIFY(G.ParamImage == before && G.ReferenceImage == before);
            QCOMPARE(text("ed_mpfad"), path("first.zf1").toUpper());
            return;
        }
        QVERIFY(rec->texts().isEmpty());
        QCOMPARE(G.ParamImage[5], quint16(5 * 7 + 2));
        QVERIFY(G.ReferenceImage == G.CommittedImage && !G.ImageModified && !G.ProjectTextModified);
        QCOMPARE(text("ed_mprjname"), QString("PLANT"));
        QCOMPARE(text("ed_mFabrNr"), QString("W-42"));
        QCOMPARE(text("ed_versnr"), firmware);
        QCOMPARE(text("ed_mpfad"), path("second.zaf").toUpper());
        QCOMPARE(child<QPlainTextEdit>("Memo1")->toPlainText(), QString("memo"));
        QVERIFY(child<QCheckBox>("cb_din")->isChecked());
        QCOMPARE(G.VoltageRange, quint16(1));
        QCOMPARE(G.CellCount, quint16(54));
        QCOMPARE(G.CurrentPage, 1);
        if (notice)
            QCOMPARE(attentionTexts,
                     QStringList{"This is a configfile from a KRT-6 version 2.30.\n\rSome additional "
                                 "data is marked or will be converted !\n\rFor help you can contact "
                                 "us under info."});
        else
            QVERIFY(attentionTexts.isEmpty());
    }

    void badFilesChangeNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("cancelled") << "" << QStringList{};
        QTest::newRow("missing") << "nothere.zf1" << QStringList{InvalidFile};
        QTest::newRow("wrong extension") << "text.txt" << QStringList{};
        QTest::newRow("short") << "short.zf1" << QStringList{InvalidFile};
        QTest::newRow("a head line without its CR") << "nocr.zf1" << QStringList{InvalidFile};
        QTest::newRow("unknown id") << "unknown.zf1" << QStringList{InvalidFile};
        QTest::newRow("folder") << "folder.zf1" << QStringList{InvalidFile};
    }
    void badFilesChangeNothing()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, messages);
        // Old data are loaded: WriteAccepted 0 and the notice shown must survive.
        writeAll(path("good.zf1"), projectBytes(FileIdOld, "Version 2.30", 1));
        writeAll(path("text.txt"), projectBytes(FileIdV25, "Version 2.60", 3));
        writeAll(path("short.zf1"), projectBytes(FileIdV25, "Version 2.60", 3).left(ProjectFileSize - 1));
        writeAll(path("nocr.zf1"), projectBytes(FileIdV25, "Version 2.60", 3).replace(8 * 50 + 48, 1, " "));
        writeAll(path("unknown.zf1"), projectBytes("Config file KRT-5 from V2.5", "Version 2.60", 3));
        QVERIFY(QDir(dir->path()).mkdir("folder.zf1"));
        open(path("good.zf1"));
        QVERIFY(!G.WriteAccepted && child<QWidget>("Panel71")->isVisible());
        rec->clear();
        const Globals before = G;
        const QStringList fields{text("ed_mprjname"), text("ed_mpfad"), text("ed_versnr"), text("ed_logo1"),
                                 child<QLabel>("lb_NomVRang")->text()};

        open(name.isEmpty() ? QString() : path(name));
        QCOMPARE(rec->texts(), messages);
        QCOMPARE(G.VoltageRange, before.VoltageRange);
        QVERIFY(G.ParamImage == before.ParamImage && G.CommittedImage == before.CommittedImage &&
                G.ReferenceImage == before.ReferenceImage);
        QCOMPARE(G.DataLoaded, before.DataLoaded);
        QCOMPARE(G.ProjectOpen, before.ProjectOpen);
        QVERIFY(!G.WriteAccepted);
        QVERIFY(child<QWidget>("Panel71")->isVisible());
        QCOMPARE(G.ProjectTextModified, before.ProjectTextModified);
        QCOMPARE((QStringList{text("ed_mprjname"), text("ed_mpfad"), text("ed_versnr"), text("ed_logo1"),
                              child<QLabel>("lb_NomVRang")->text()}),
                 fields);
        QVERIFY(child<QWidget>("TabSheet1")->isEnabled());
    }

    void fileDialogsAskWithTheirFiltersAndNames()
    {
        newProject(1, path("one.zf1"));
        writeAll(path("a.zf1"), projectBytes(FileIdV25, "Version 2.60", 1));
        FileDialogs::setScript({path("a.zf1"), path("copy")});
        child<QAction>("oeffnen")->trigger();
        child<QAction>("speich_unt")->trigger();
        const QList<FileDialogs::Request> asked = FileDialogs::requests();
        QCOMPARE(asked.size(), 3);
        const QString saveFilter = "KRT-6-files since V2.40 |*.zf1|all files|*.*";
        QCOMPARE(asked[0].kind, FileDialogs::Save);
        QCOMPARE(asked[0].filter, saveFilter);
        QCOMPARE(asked[0].initialName, QString("*.zf1"));
        QCOMPARE(asked[0].defaultSuffix, QString("zf1"));
        QCOMPARE(asked[1].kind, FileDialogs::Open);
        QCOMPARE(asked[1].filter, QString("KRT-6-files since V2.40 (*.zf1)|*.zf1|ZA7700F-files to V2.11 "
                                          "(*.zf1)|*.zaf|all files(*.*)|*.*"));
        // Save as offers the name of the file opened last, without its folder.
        QCOMPARE(asked[2].filter, saveFilter);
        QCOMPARE(asked[2].initialName, QString("a.zf1"));
        QCOMPARE(readAll(path("copy.zf1")).size(), ProjectFileSize);
        QCOMPARE(text("ed_mpfad"), path("copy.zf1").toUpper());
        QCOMPARE(text("ed_mprjname"), QString("PLANT")); // a plain Save as keeps the name
    }

    void newProjectNotBuiltKeepsTheLoadedData()
    {
        writeAll(path("taken.zf1"), "keep me");
        load("old.zf1", "Version 2.30", FileIdOld);
        const Globals before = G;
        const QStringList kept{text("ed_versnr"), text("ed_logo1"), child<QLabel>("lb_NomVRang")->text()};
        const auto keptNow = [&] {
            return QStringList{text("ed_versnr"), text("ed_logo1"), child<QLabel>("lb_NomVRang")->text()};
        };
        newProject(0, QString()); // the save dialog cancelled
        QCOMPARE(G.VoltageRange, quint16(1));
        QVERIFY(!G.WriteAccepted);
        QVERIFY(G.ParamImage == before.ParamImage && G.ReferenceImage == before.ReferenceImage);
        QCOMPARE(child<QLabel>("lb_NomVRang")->text(), QString("KRT-6 - H   (80V-300V)"));
        QCOMPARE(text("ed_mprjname"), QString("PLANT"));
        QCOMPARE(G.ProjectTextModified, before.ProjectTextModified);
        QVERIFY(child<QWidget>("TabSheet1")->isEnabled());

        newProject(0, path("taken.zf1")); // not overwritten
        QCOMPARE(rec->texts(), QStringList{"The file already exists,\r\ntaken.zf1 overwrite it?"});
        QCOMPARE(G.VoltageRange, quint16(1));
        QVERIFY(!G.WriteAccepted);
        QVERIFY(G.ParamImage == before.ParamImage);
        QCOMPARE(readAll(path("taken.zf1")), QByteArray("keep me"));
        // A file not overwritten empties the name and the path, as Save as does.
        QVERIFY(text("ed_mprjname").isEmpty() && text("ed_mpfad").isEmpty());
        QCOMPARE(keptNow(), kept);
        QVERIFY(G.ProjectTextModified);
        QVERIFY(!child<QWidget>("TabSheet1")->isEnabled());
    }

    // What a user meets around page 1: a cancelled first New project leaves the page as
    // it was; the toolbar write refuses before asking anything; Tab leaves the memo; a
    // memo edit is a change that closing asks about; F1 on a menu item asks its help.
    void pageOneAndMenusAsAUserMeetsThem()
    {
        newProject(0, QString());
        QVERIFY(!hasAquaBackground(child<QLineEdit>("ed_logo1")));
        child<QToolButton>("BitBtn_wr_LCtoPC")->click();
        QCOMPARE(w->writes, 1);
        QVERIFY(rec->texts().isEmpty());

        load("a.zf1");
        auto *memo = child<QPlainTextEdit>("Memo1");
        memo->setFocus();
        QTest::keyClicks(memo, "x");
        QTest::keyClick(memo, Qt::Key_Tab);
        QVERIFY(!memo->hasFocus());
        QCOMPARE(memo->toPlainText(), QString("xmemo"));
        QVERIFY(w->closeQuery()); // asked, answered No: closes
        QCOMPARE(rec->texts(), QStringList{"Save changes to project \" PLANT \" ?"});

        HelpRecorder help;
        QMenu *file = child<QMenu>("File1");
        file->popup(w->mapToGlobal(QPoint(0, 0)));
        QVERIFY(QTest::qWaitForWindowExposed(file));
        file->setActiveAction(child<QAction>("druck_inst"));
        QTest::keyClick(file, Qt::Key_F1);
        file->hide();
        QCOMPARE(help.contexts, QList<int>{4});
    }

    void newProjectAsksWhenAPageWasEdited()
    {
        load("a.zf1");
        clickBox(child<TRadioGroup>("rg_language")->button(0));
        QVERIFY(!G.ProjectTextModified);
        rec->script({MbYes});
        newProject(1, path("b.zf1"));
        QCOMPARE(rec->texts(), QStringList{"Save changes to project \" PLANT \" ?"});
        QCOMPARE(imageOfFile(readAll(path("a.zf1")))[LanguageIndex], quint16(0));
        QCOMPARE(text("ed_mprjname"), QString("B"));
    }

    void saveOfReadDataAsksForTheFile()
    {
        // Data read from the unit, no file yet, a project name typed in.
        G.DataLoaded = G.DeviceDataRead = true;
        G.WriteAccepted = true;
        child<QLineEdit>("ed_mprjname")->setText("UNIT");
        child<QAction>("speichern")->setEnabled(true);
        FileDialogs::setScript({path("unit.zf1")});
        child<QAction>("speichern")->trigger();
        QCOMPARE(FileDialogs::requests().size(), 1);
        QCOMPARE(FileDialogs::requests().first().initialName, QString("*.zf1"));
        const QByteArray bytes = readAll(path("unit.zf1"));
        QCOMPARE(headLine(bytes, 5), QByteArray("Project     :  UNIT").leftJustified(48, ' '));
        QCOMPARE(headLine(bytes, 8), QByteArray("Version :  2.60").leftJustified(48, ' '));
        QCOMPARE(text("ed_mpfad"), path("unit.zf1").toUpper());
    }

    void saveFillsFirmwareNamesTheProjectAndCutsTheMemo()
    {
        load("plant.v1.zf1", "");
        QCOMPARE(attentionTexts.size(), 1); // no "Version " prefix
        child<QLineEdit>("ed_mprjname")->setText("SOMETHING ELSE");
        QString memo;
        for (int i = 0; i < 5000; ++i)
            memo += QChar('a' + i % 26);
        child<QPlainTextEdit>("Memo1")->setPlainText(memo); // stored up to 4272 characters
        child<QToolButton>("BitBtnDatSave")->click();
        const QByteArray bytes = readAll(path("plant.v1.zf1"));
        QCOMPARE(headLine(bytes, 6), QByteArray("Firmware    :  Version 2.30").leftJustified(48, ' '));
        QCOMPARE(headLine(bytes, 5), QByteArray("Project     :  PLANT").leftJustified(48, ' '));
        QCOMPARE(text("ed_mprjname"), QString("PLANT"));
        QCOMPARE(child<QLineEdit>("ed_versnr")->palette().color(QPalette::Base), QColor(0, 255, 255));
        QVERIFY(G.CommittedImage == G.ParamImage && !G.ProjectTextModified);
        QVERIFY(rec->texts().isEmpty());
        open(path("plant.v1.zf1"));
        QCOMPARE(child<QPlainTextEdit>("Memo1")->toPlainText(), memo.left(4272));
    }

    void overwriteNoEmptiesNameAndPath()
    {
        writeAll(path("b.zf1"), projectBytes(FileIdV25, "Version 2.60", 2));
        load("a.zf1");
        const QByteArray old = readAll(path("b.zf1"));
        FileDialogs::setScript({path("b.zf1")});
        child<QAction>("speich_unt")->trigger();
        QCOMPARE(rec->texts(), QStringList{"The file already exists,\r\nb.zf1 overwrite it?"});
        QVERIFY(text("ed_mprjname").isEmpty() && text("ed_mpfad").isEmpty());
        QVERIFY(!child<QWidget>("TabSheet1")->isEnabled());
        QCOMPARE(readAll(path("b.zf1")), old);
    }

    // A save that is cancelled or fails changes nothing, and a command that offered it
    // first ends there: nothing more is asked, read, opened or built; the edit stays.
    void saveNotDoneChangesNothing_data()
    {
        QTest::addColumn<QString>("command"); // a menu item
        QTest::addColumn<QString>("question");
        QTest::addColumn<bool>("fails");
        const QString save = "Save changes to project \" PLANT \" ?";
        for (bool fails : {false, true}) {
            const char *how = fails ? "failed" : "cancelled";
            QTest::addRow("save, %s", how) << "speichern"
                                           << "" << fails;
            QTest::addRow("save as, %s", how) << "speich_unt"
                                              << "" << fails;
            QTest::addRow("read, %s", how) << "datread"
                                           << "Save changes \r\nto project\" PLANT \" before read?" << fails;
            QTest::addRow("open, %s", how) << "oeffnen"
                                           << "Save the changes to project \" PLANT \" ?" << fails;
            QTest::addRow("new, %s", how) << "NeuesProjekt1" << save << fails;
            QTest::addRow("closing, %s", how) << "Beenden1" << save << fails;
        }
    }
    void saveNotDoneChangesNothing()
    {
        QFETCH(QString, command);
        QFETCH(QString, question);
        QFETCH(bool, fails);
        QVERIFY(QDir(dir->path()).mkdir("sub"));
        writeAll(path("blocker"), "not a folder");
        load("sub/a.zf1", "");
        child<QPlainTextEdit>("Memo1")->setFocus();
        QTest::keyClicks(child<QPlainTextEdit>("Memo1"), "x");
        QVERIFY(QFile::remove(path("sub/a.zf1"))); // Save falls back to Save as
        FileDialogs::clearRequests();
        const Globals before = G;
        ComSettings.Port = "/dev/krt6-none"; // a read that ran would report this port
        fmConnect = new TfmConnect;
        rec->script({MbYes});
        FileDialogs::setScript({fails ? path("blocker/new.zf1") : QString()});
        child<QAction>(qPrintable(command))->trigger();
        delete fmConnect;
        fmConnect = nullptr;
        const QStringList asked = question.isEmpty() ? QStringList() : QStringList{question};
        QCOMPARE(rec->texts().mid(0, asked.size()), asked);
        QCOMPARE(rec->texts().size(), asked.size() + fails);
        QCOMPARE(!rec->requests().isEmpty() && rec->requests().last().kind == MsgKind::Error, fails);
        QCOMPARE(FileDialogs::requests().size(), 1); // the save's own
        QVERIFY(w->isVisible());
        QCOMPARE(child<QPlainTextEdit>("Memo1")->toPlainText(), QString("xmemo"));
        QVERIFY(G.ProjectTextModified && G.DataLoaded && G.ParamImage == before.ParamImage);
        QVERIFY(G.ReferenceImage == before.ReferenceImage && G.CommittedImage == before.CommittedImage);
        if (fails) // what the failed save filled in is put back
            QCOMPARE((QStringList{text("ed_versnr"), text("ed_mpfad"), text("ed_mprjname")}),
                     (QStringList{"", path("sub/a.zf1").toUpper(), "PLANT"}));
    }

    // Every Windows-1252 character of the memo keeps its byte: all bytes from 0x20 of a
    // loaded memo, and every printable character typed, through save and open.
    void memoKeepsEveryByte()
    {
        QByteArray bytes;
        for (int b = 0x20; b <= 0xFF; ++b)
            bytes += char(b);
        writeAll(path("m.zf1"), projectBytes(FileIdV25, "Version 2.60", 1, fromWin1252(bytes)));
        open(path("m.zf1"));
        auto *memo = child<QPlainTextEdit>("Memo1");
        memo->moveCursor(QTextCursor::End);
        for (int b = 0x20; b <= 0xFF; ++b) {
            const QChar c = fromWin1252Char(quint8(b));
            if (c.category() != QChar::Other_Control) {
                QTest::sendKeyEvent(QTest::Click, memo, Qt::Key_unknown, QString(c), {});
                bytes += char(b);
            }
        }
        child<QToolButton>("BitBtnDatSave")->click();
        QByteArray stored;
        for (int n = 11; n < 21; ++n)
            stored += headLine(readAll(path("m.zf1")), n);
        QCOMPARE(stored.trimmed(), bytes.mid(1));
        open(path("m.zf1"));
        QCOMPARE(toWin1252(w->textPage()->memoText()), bytes);
    }

    // A paste or drop into a field of page 1, with a clipboard that holds text or holds
    // data without any format (nothing copied since login). Data without a format changes
    // nothing and the program goes on; text goes in as typed text does, up to the memo's
    // limit.
    void pasteIntoPageOne_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("formats"); // false: data without any format
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("modified");
        const QString none;
        for (const char *how : {"Ctrl+V", "Shift+Insert", "menu", "drop"})
            QTest::newRow(qPrintable(QString("memo, nothing, %1").arg(how)))
                << "Memo1" << how << false << none << "memo" << false;
        for (const QString how : {"Ctrl+V", "Shift+Insert", "menu", "drop"}) // a drop goes in at the top
            QTest::newRow(qPrintable("memo, text, " + how))
                << "Memo1" << how << true << "abc" << (how == "drop" ? "abcmemo" : "memoabc") << true;
        for (const char *how : {"Ctrl+V", "menu"}) // the file keeps 4272 characters
            QTest::newRow(qPrintable(QString("memo, text past the limit, %1").arg(how)))
                << "Memo1" << how << true << QString(4500, 'x') << ("memo" + QString(4268, 'x')) << true;
        for (const char *how : {"Ctrl+V", "Shift+Insert", "menu"})
            QTest::newRow(qPrintable(QString("logo line, nothing, %1").arg(how)))
                << "ed_logo1" << how << false << none << none << false;
    }
    void pasteIntoPageOne()
    {
        QFETCH(QString, field);
        QFETCH(QString, how);
        QFETCH(bool, formats);
        QFETCH(QString, pasted);
        QFETCH(QString, shown);
        QFETCH(bool, modified);
        load("a.zf1");
        QVERIFY(!G.ProjectTextModified);
        QWidget *edit = child<QWidget>(qPrintable(field));
        auto *memo = qobject_cast<QPlainTextEdit *>(edit);
        auto *line = qobject_cast<QLineEdit *>(edit);
        QVERIFY(memo || line);
        const auto shownText = [&] { return memo ? memo->toPlainText() : line->text(); };
        const QString before = shownText();
        if (line)
            shown = before; // nothing reaches a one-line field
        edit->setFocus();
        if (memo)
            memo->moveCursor(QTextCursor::End);
        else
            line->end(false);

        auto *data = new QMimeData;
        if (formats)
            data->setText(pasted);
        QCOMPARE(data->formats().isEmpty(), !formats);
        QGuiApplication::clipboard()->setMimeData(data);

        if (how == "Ctrl+V") {
            QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        } else if (how == "Shift+Insert") {
            QTest::keyClick(edit, Qt::Key_Insert, Qt::ShiftModifier);
        } else if (how == "menu") {
            // The edit's own context menu: Paste is offered only when there is text.
            bool offered = false;
            bool answered = false;
            QTimer picker;
            connect(&picker, &QTimer::timeout, this, [&] {
                auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
                if (!menu || !menu->isVisible())
                    return;
                QAction *paste = menu->findChild<QAction *>("edit-paste");
                offered = paste && paste->isEnabled();
                if (offered)
                    menu->setActiveAction(paste);
                QTest::keyClick(menu, offered ? Qt::Key_Return : Qt::Key_Escape);
                answered = true;
            });
            picker.start(5);
            QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(5, 5),
                                      edit->mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(edit, &menuKey);
            QTRY_VERIFY(answered);
            picker.stop();
            QCOMPARE(offered, formats);
        } else {
            QWidget *target = memo->viewport();
            QDragEnterEvent enter(QPoint(1, 1), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(target, &enter);
            QDropEvent drop(QPointF(1, 1), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(target, &drop);
        }

        QCOMPARE(shownText(), shown);
        QCOMPARE(G.ProjectTextModified, modified);
        QVERIFY(w->isVisible());
        // The program goes on: typing still reaches the field.
        QTest::keyClick(edit, Qt::Key_End, memo ? Qt::ControlModifier : Qt::NoModifier);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, "Q");
        QCOMPARE(shownText(), shown.chopped(1) + "Q");
    }

    // The memo holds what the project file keeps, 4272 characters as stored (a line break
    // counts 2), against whatever the user brings in: what does not fit is cut from what
    // comes in, never from the memo's own text; a drag is answered as its drop goes, so
    // that its source keeps what the memo does not take. A change is one undo step; Save
    // stores exactly what the memo shows, and Open reads it back so.
    void memoHoldsWhatTheFileKeeps_data()
    {
        QTest::addColumn<QString>("before"); // set by code, lines joined by CR LF
        QTest::addColumn<QString>("cursor"); // "home", "end" or "all" selected
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("incoming");
        QTest::addColumn<QString>("after");
        const QString full = memoOf(4272), long4000 = memoOf(4000), pasted4000(4000, 'p');
        const auto row = [](const char *name, const QString &before, const char *cursor, const char *how,
                            const QString &incoming, const QString &after) {
            QTest::newRow(name) << before << QString(cursor) << QString(how) << incoming << after;
        };
        row("paste at the start of a long memo", long4000, "home", "Ctrl+V", pasted4000,
            pasted4000.left(272) + long4000);
        row("paste at the end fills it", "memo", "end", "Shift+Insert", QString(5000, 'x'),
            "memo" + QString(4268, 'x'));
        row("paste of lines, a break counts 2", memoOf(4268), "end", "Ctrl+V", "ab\ncd",
            memoOf(4268) + "ab\r\n");
        row("paste with 1 left, no half line break", memoOf(4271), "end", "Ctrl+V", "\r\nx", memoOf(4271));
        row("paste over the whole memo", full, "all", "Ctrl+V", "new", "new");
        row("key into the full memo", full, "home", "key", "k", full);
        row("Enter into the full memo", full, "home", "Enter", "", full);
        row("Enter with 1 left", memoOf(4271), "home", "Enter", "", memoOf(4271));
        row("key with 1 left", memoOf(4271), "end", "key", "k", memoOf(4271) + "k");
        row("key over a selection of the full memo", full, "all", "key", "k", "k");
        row("a typed blank ending a piece", QString(47, 'x'), "end", "key", " wieder",
            QString(47, 'x') + " wieder");
        row("input method with 2 left", memoOf(4270), "end", "input method", "xyz", memoOf(4270) + "xy");
        // Keys typed with Ctrl+Alt (AltGr on some systems) or Ctrl+Shift count as any other.
        row("Ctrl+Alt key at the start of a memo just filled", memoOf(4271), "end",
            "key, then Ctrl+Alt key at the start", "k1", memoOf(4271) + "k");
        row("Ctrl+Alt key with 1 left", memoOf(4271), "home", "Ctrl+Alt key", "1", "1" + memoOf(4271));
        row("Ctrl+Alt Tab into the full memo", full, "home", "Ctrl+Alt key", "\t", full);
        row("Ctrl+Shift zero-width joiner into the full memo", full, "home", "Ctrl+Shift key",
            QString(QChar(0x200D)), full);
        row("emoji key into the full memo", full, "home", "one key", QString::fromUtf8("\U0001F600"), full);
        row("screen reader's text with 2 left", memoOf(4270), "home", "screen reader", "xyz",
            "xy" + memoOf(4270));
        row("drop that fits, a move", "memo", "home", "drop", "abc", "abcmemo");
        row("drop cut, a copy", memoOf(4270), "home", "drop", "abcdef", "ab" + memoOf(4270));
        row("drop onto the full memo, refused", full, "home", "drop", "abc", full);
        row("drop cut, move-only source, refused", memoOf(4270), "home", "drop, move only", "abc",
            memoOf(4270));
        row("drop that fits, move-only source", "memo", "home", "drop, move only", "abc", "abcmemo");
    }
    void memoHoldsWhatTheFileKeeps()
    {
        QFETCH(QString, before);
        QFETCH(QString, cursor);
        QFETCH(QString, how);
        QFETCH(QString, incoming);
        QFETCH(QString, after);
        load("a.zf1");
        auto *memo = child<QPlainTextEdit>("Memo1");
        w->textPage()->setMemoText(before);
        QCOMPARE(w->textPage()->memoText(), before);
        memo->setFocus();
        if (cursor == "all")
            memo->selectAll();
        else
            memo->moveCursor(cursor == "home" ? QTextCursor::Start : QTextCursor::End);
        QGuiApplication::clipboard()->setText(incoming);

        if (how == "Ctrl+V") {
            QTest::keyClick(memo, Qt::Key_V, Qt::ControlModifier);
        } else if (how == "Shift+Insert") {
            QTest::keyClick(memo, Qt::Key_Insert, Qt::ShiftModifier);
        } else if (how == "key") {
            QTest::keyClicks(memo, incoming);
        } else if (how == "Enter") {
            QTest::keyClick(memo, Qt::Key_Return);
        } else if (how == "input method") {
            QInputMethodEvent input;
            input.setCommitString(incoming);
            QApplication::sendEvent(memo, &input);
        } else if (how.startsWith("key, then")) {
            QTest::keyClicks(memo, incoming.left(1));
            QTest::keyClick(memo, Qt::Key_Home, Qt::ControlModifier);
            typeKey(memo, incoming.mid(1), how);
        } else if (how.endsWith("key")) {
            typeKey(memo, incoming, how);
        } else if (how == "screen reader") { // inserts at the cursor through the accessibility interface
            QAccessibleInterface *access = QAccessible::queryAccessibleInterface(memo);
            QVERIFY(access && access->editableTextInterface());
            access->editableTextInterface()->insertText(memo->textCursor().position(), incoming);
        } else {
            // Over the top of the memo (scrolled there) and dropped there, Shift held: the user asks for a
            // move. Only a text taken whole may be moved away from where it came from.
            QMimeData data;
            data.setText(incoming);
            const Qt::DropActions actions =
                how == "drop" ? Qt::CopyAction | Qt::MoveAction : Qt::DropActions(Qt::MoveAction);
            const bool taken = after != before;
            const Qt::DropAction answer =
                after.size() - before.size() < incoming.size() ? Qt::CopyAction : Qt::MoveAction;
            QWidget *target = memo->viewport();
            QDragEnterEvent enter(QPoint(1, 1), actions, &data, Qt::LeftButton, Qt::ShiftModifier);
            QDragMoveEvent move(QPoint(2, 2), actions, &data, Qt::LeftButton, Qt::ShiftModifier);
            QDropEvent drop(QPointF(1, 1), actions, &data, Qt::LeftButton, Qt::ShiftModifier);
            for (QDropEvent *event :
                 {static_cast<QDropEvent *>(&enter), static_cast<QDropEvent *>(&move), &drop}) {
                QApplication::sendEvent(target, event);
                QCOMPARE(event->isAccepted(), taken);
                if (taken)
                    QCOMPARE(event->dropAction(), answer);
            }
        }

        const QString shown = w->textPage()->memoText();
        QCOMPARE(shown, after);
        QCOMPARE(G.ProjectTextModified, after != before); // nothing refused ever went in
        QVERIFY(MemoStoredLength(shown) <= MemoMaxLength);
        if (after != before) { // one undo step, and back
            QTest::keyClick(memo, Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(w->textPage()->memoText(), before);
            QTest::keyClick(memo, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
            QCOMPARE(w->textPage()->memoText(), after);
        }
        child<QToolButton>("BitBtnDatSave")->click();
        QVERIFY(rec->texts().isEmpty());
        const QByteArray bytes = readAll(path("a.zf1"));
        QByteArray stored;
        for (int n = 11; n < 100; ++n)
            stored += headLine(bytes, n);
        QCOMPARE(stored, toWin1252(after).leftJustified(MemoMaxLength, ' '));
        open(path("a.zf1")); // and reads back as it was
        QCOMPARE(w->textPage()->memoText(), after);
    }

    void closing_data()
    {
        QTest::addColumn<bool>("edit");
        QTest::addColumn<bool>("sendYes");
        QTest::addColumn<bool>("writeSucceeds");
        QTest::addColumn<bool>("closes");
        QTest::newRow("unchanged") << false << false << false << true;
        QTest::newRow("edited, no") << true << false << false << true;
        QTest::newRow("edited, send, written") << true << true << true << true;
        QTest::newRow("edited, send, failed") << true << true << false << false;
    }
    void closing()
    {
        QFETCH(bool, edit);
        QFETCH(bool, sendYes);
        QFETCH(bool, writeSucceeds);
        QFETCH(bool, closes);
        load("a.zf1");
        if (edit)
            editLogo("ed_logo2");
        rec->script({MbNo, sendYes ? MbYes : MbNo});
        w->clears = writeSucceeds;
        QCOMPARE(w->closeQuery(), closes);
        if (!edit) {
            QVERIFY(rec->texts().isEmpty());
            return;
        }
        QCOMPARE(rec->texts(), (QStringList{"Save changes to project \" PLANT \" ?", SendQuestion}));
        QCOMPARE(rec->requests().at(1).kind, MsgKind::Confirmation);
        QCOMPARE(w->writes, sendYes ? 1 : 0);
    }
};

QTEST_MAIN(TestProjectCommands)
#include "tst_projectcommands.moc"
