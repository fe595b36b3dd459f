#include "globals.h"
#include "messagerecorder.h"

#include <QTest>

class TestGlobals : public QObject
{
    Q_OBJECT
private slots:
    void init() { resetGlobals(); }

    void imagesDifferIgnoresWordZero()
    {
        G.CommittedImage[0] = 0x1234;
        QVERIFY(!ImagesDiffer());
        G.CommittedImage[1023] = 1;
        QVERIFY(ImagesDiffer());
        G.ReferenceImage[1023] = 1;
        QVERIFY(!ImagesDiffer());
        G.ReferenceImage[1] = 7;
        QVERIFY(ImagesDiffer());
    }

    void messagesReachTheInstalledAnswerer()
    {
        MessageRecorder rec(MbNo);
        rec.script({MbYes});
        QCOMPARE(showMessage("first", MsgKind::Confirmation, MbYes | MbNo), int(MbYes));
        QCOMPARE(showMessage("second", MsgKind::Confirmation, MbYes | MbNo), int(MbNo));
        QCOMPARE(rec.texts(), QStringList({"first", "second"}));
        QCOMPARE(rec.requests().at(0).kind, MsgKind::Confirmation);
    }

    void conversionErrorTexts()
    {
        QCOMPARE(invalidIntegerError("12a").message(), QString("'12a' is not a valid integer value."));
        QCOMPARE(invalidFloatError("").message(), QString("'' is not a valid floating point value."));
    }
};

QTEST_GUILESS_MAIN(TestGlobals)
#include "tst_globals.moc"
