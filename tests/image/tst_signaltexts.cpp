#include "globals.h"
#include "signaltexts.h"
#include "textcodec.h"

#include <QTest>

namespace {

QByteArray entry(int index)
{
    return G.SignalTextTable[size_t(index)];
}

QByteArray signal(int s)
{
    return entry(4 + s);
}

void setWords(int first, std::initializer_list<quint16> words)
{
    for (quint16 w : words)
        G.ParamImage[size_t(first++)] = w;
}

// Writes 16 raw bytes as 8 words, first byte in the high byte.
void setNameBytes(int firstWord, const QByteArray &bytes16)
{
    for (int k = 0; k < 8; ++k)
        G.ParamImage[size_t(firstWord + k)] =
            quint16((quint8(bytes16.at(2 * k)) << 8) | quint8(bytes16.at(2 * k + 1)));
}

const int labelWords[6] = {281, 286, 291, 301, 306, 311};

} // namespace

class TestSignalTexts : public QObject
{
    Q_OBJECT
private slots:
    void init() { resetGlobals(); }

    void fixedTexts_data()
    {
        QTest::addColumn<int>("signal");
        QTest::addColumn<QByteArray>("english");
        QTest::addColumn<QByteArray>("german");
        // The ends of each block and the texts with odd characters: a shifted or cut table shows here.
        const struct
        {
            int s;
            const char *en;
            const char *de;
        } rows[] = {
            {10, "not used", "frei"},
            {12, "Tsensor fault", "T-Sensor Fehler"},
            {18, "Batt unsymmetry", "Batt Unsymmet."},
            {23, "Inv.fault", "WR St\xF6rung"},
            {29, "not used", "frei"},
            {46, "Battery fault", "Batteriefehler"},
            {50, "Fan operating",
             "L\xFC"
             "fter"},
            {52, "Countercell 2", "Gegenzelle 2"},
            {53, "not used", "frei"},
            {61, "not used", "frei"},
            {62, "System OFF", "System AUS"},
            {63, "(res.) POWER ON", "(res.) NEUSTART"},
        };
        for (const auto &r : rows)
            QTest::addRow("signal %d", r.s) << r.s << QByteArray(r.en) << QByteArray(r.de);
    }

    void fixedTexts()
    {
        QFETCH(int, signal);
        QFETCH(QByteArray, english);
        QFETCH(QByteArray, german);

        for (quint16 language : {quint16(0), quint16(2), quint16(3), quint16(0xFFFF)}) {
            G.ParamImage[LanguageIndex] = language;
            BuildSignalTexts();
            QCOMPARE(::signal(signal), english);
        }
        G.ParamImage[LanguageIndex] = 1;
        BuildSignalTexts();
        QCOMPARE(::signal(signal), german);
        // Back to English on the next rebuild: nothing of the German table stays.
        G.ParamImage[LanguageIndex] = 0;
        BuildSignalTexts();
        QCOMPARE(::signal(signal), english);
    }

    void emptyLabelsGiveDefaults_data()
    {
        QTest::addColumn<quint16>("fill");
        QTest::newRow("zero words") << quint16(0);
        QTest::newRow("erased 0xFF") << quint16(0xFFFF);
    }

    void emptyLabelsGiveDefaults()
    {
        QFETCH(quint16, fill);
        G.ParamImage.fill(fill);
        for (quint16 language : {quint16(0), quint16(1)}) {
            G.ParamImage[LanguageIndex] = language;
            BuildSignalTexts();
            const QList<QByteArray> expected = {"Vdc1 <Vmin1", "Vdc1 >Vmax1", "Vdc1 <Vwarn1", "Vdc2 <Vmin2",
                                                "Vdc2 >Vmax2", "Vdc3 <Vmin3", "Vdc3 >Vmax3",  "Idc1 >Imax1",
                                                "Idc2 >Imax2", "Idc3 >Imax3"};
            for (int s = 0; s < 10; ++s)
                QCOMPARE(::signal(s), expected.at(s));
        }
    }

    void channelLabelsFlowIntoLimitTexts()
    {
        StoreText8(281, "ZA Vdc1:"); // 8 characters, no blank added
        StoreText8(286, "Bat");
        StoreText8(291, QString::fromUtf8("Ü3"));
        StoreText8(301, "Last");
        // Idc2 erased, Idc3 set only partly to 0xFF: seven 0xFF and 'A' is a real label.
        setWords(306, {0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF});
        setWords(311, {0xFFFF, 0xFFFF, 0xFFFF, 0xFF41});
        G.ParamImage[LanguageIndex] = 1;
        BuildSignalTexts();

        QCOMPARE(signal(0), QByteArray("ZA Vdc1:<Vmin1"));
        QCOMPARE(signal(1), QByteArray("ZA Vdc1:>Vmax1"));
        QCOMPARE(signal(2), QByteArray("ZA Vdc1:<Vwarn1")); // 15 characters, the longest limit text
        QCOMPARE(signal(3), QByteArray("Bat<Vmin2"));
        QCOMPARE(signal(4), QByteArray("Bat>Vmax2"));
        QCOMPARE(signal(5), QByteArray("\xDC"
                                       "3<Vmin3"));
        QCOMPARE(signal(6), QByteArray("\xDC"
                                       "3>Vmax3"));
        QCOMPARE(signal(7), QByteArray("Last>Imax1"));
        QCOMPARE(signal(8), QByteArray("Idc2 >Imax2"));
        QCOMPARE(signal(9), QByteArray(7, char(0xFF)) + "A>Imax3");
    }

    void labelStopsAtFirstNul()
    {
        setWords(281, {0x4142, 0x0043, 0x4445, 0x4647}); // "AB", then a NUL high byte
        setWords(286, {0x5859, 0x5A00, 0x4142, 0x4344}); // "XYZ", then a NUL low byte
        BuildSignalTexts();
        QCOMPARE(signal(0), QByteArray("AB<Vmin1"));
        QCOMPARE(signal(3), QByteArray("XYZ<Vmin2"));
    }

    void inputNameTrimming()
    {
        setNameBytes(321, QByteArray(16, ' '));                               // all blanks: empty
        setNameBytes(329, "Door  open      ");                                // inner blanks kept
        setNameBytes(337, QByteArray("Fan\t\r\n ", 7) + QByteArray(9, '\0')); // trailing controls and NULs
        setNameBytes(345, "ABCDEFGHIJKLMNOP");                                // full 16 characters
        setNameBytes(353, QByteArray("A\0B", 3) + QByteArray(13, ' '));       // inner NUL kept
        setNameBytes(385, "T\xFCr zu          ");      // Windows-1252 byte passes unchanged
        setNameBytes(441, QByteArray(16, char(0xFF))); // names have no erased marker
        BuildSignalTexts();
        QCOMPARE(signal(30), QByteArray());
        QCOMPARE(signal(31), QByteArray("Door  open"));
        QCOMPARE(signal(32), QByteArray("Fan"));
        QCOMPARE(signal(33), QByteArray("ABCDEFGHIJKLMNOP"));
        QCOMPARE(signal(34), QByteArray("A\0B", 3));
        QCOMPARE(signal(38), QByteArray("T\xFCr zu"));
        QCOMPARE(signal(45), QByteArray(16, char(0xFF)));
    }

    void entriesOutsideTheSignalsStayEmptyAndAllFit()
    {
        for (quint16 fill : {quint16(0), quint16(0x4141), quint16(0xFFFF)}) {
            G.ParamImage.fill(fill);
            for (auto &e : G.SignalTextTable)
                e = "stale text";
            BuildSignalTexts();
            for (int i : {0, 1, 2, 3, 68, 69, 70, 71})
                QVERIFY2(entry(i).isEmpty(), qPrintable(QString("entry %1 fill %2").arg(i).arg(fill)));
            for (int i = 4; i < 68; ++i) {
                QVERIFY(entry(i).size() <= 16);
                QVERIFY(entry(i) != "stale text");
            }
        }
        // Words 0x4141 everywhere: labels "AAAAAAAA", names 16 x 'A'.
        G.ParamImage.fill(0x4141);
        BuildSignalTexts();
        QCOMPARE(signal(2), QByteArray("AAAAAAAA<Vwarn1"));
        QCOMPARE(signal(30), QByteArray(16, 'A'));
        QCOMPARE(signal(62), QByteArray("System OFF")); // 0x4141 is not German
    }

    void signalTextAccessor()
    {
        BuildSignalTexts();
        QCOMPARE(SignalText(4), QByteArray("Vdc1 <Vmin1"));
        QCOMPARE(SignalText(-1), QByteArray());
        QCOMPARE(SignalText(72), QByteArray());
        QCOMPARE(SignalText(71), QByteArray());
    }
};

QTEST_GUILESS_MAIN(TestSignalTexts)
#include "tst_signaltexts.moc"
