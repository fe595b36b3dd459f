#include "controls.h"
#include "dispatch.h"
#include "messagerecorder.h"
#include "windowhelpers.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

class TestControls : public QObject
{
    Q_OBJECT

    struct SpinWindow
    {
        QWidget window;
        QLineEdit *other;
        QLineEdit *stepped;
        TSpinButton *spin;
        SpinWindow()
        {
            auto *layout = new QHBoxLayout(&window);
            other = new QLineEdit(&window);
            other->setObjectName("ed_other");
            stepped = new QLineEdit(&window);
            stepped->setObjectName("ed_K11_verz");
            spin = new TSpinButton(&window);
            spin->setObjectName("sb_K11_verz");
            layout->addWidget(other);
            layout->addWidget(stepped);
            layout->addWidget(spin);
            window.show();
        }
    };

private slots:
    // A click first gives the focus to the focus control, found by name ignoring case, so the
    // field left runs its exit before the click; without a usable one the click still comes
    // through and the focus stays.
    void spinClickFocusesTheControlFirst()
    {
        MessageRecorder rec;
        SpinWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        QStringList order;
        connectExit(w.other, [&] { order << "exit other"; });
        QObject::connect(w.spin, &TSpinButton::upClicked, [&] {
            order << QString("up, focus on %1").arg(QApplication::focusWidget()->objectName());
        });
        QObject::connect(w.spin, &TSpinButton::downClicked, [&] { order << "down"; });
        w.other->setFocus();
        QTRY_VERIFY(w.other->hasFocus());
        QTest::mouseClick(w.spin->upButton(), Qt::LeftButton); // no focus control
        w.spin->setFocusControlName("ED_k11_VERZ");
        w.stepped->setEnabled(false);
        QTest::mouseClick(w.spin->upButton(), Qt::LeftButton);
        w.stepped->setEnabled(true);
        QTest::mouseClick(w.spin->upButton(), Qt::LeftButton);
        QTest::mouseClick(w.spin->downButton(), Qt::LeftButton);
        QCOMPARE(order, QStringList({"up, focus on ed_other", "up, focus on ed_other", "exit other",
                                     "up, focus on ed_K11_verz", "down"}));
        QVERIFY(w.stepped->hasFocus());
    }

    void spinRepeatsWhileHeld()
    {
        SpinWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        QSignalSpy up(w.spin, &TSpinButton::upClicked);
        QTest::mousePress(w.spin->upButton(), Qt::LeftButton);
        QTest::qWait(750);
        QTest::mouseRelease(w.spin->upButton(), Qt::LeftButton);
        QVERIFY2(up.count() >= 3, qPrintable(QString::number(up.count())));
    }

    void radioItemIndexFromCode()
    {
        TRadioGroup group(" Language KRT-6 ");
        group.setItems({"English", "German", "Customer specific"});
        QSignalSpy clicks(&group, &TRadioGroup::groupClicked);
        QCOMPARE(group.itemIndex(), -1);

        group.setItemIndex(1); // code choosing an item clicks
        QCOMPARE(group.itemIndex(), 1);
        QVERIFY(group.button(1)->isChecked());
        QCOMPARE(clicks.count(), 1);

        group.setItemIndex(1); // the same item: no click
        QCOMPARE(clicks.count(), 1);

        group.setItemIndex(-1); // none: every button clear, no click
        QCOMPARE(group.itemIndex(), -1);
        for (int i = 0; i < 3; ++i)
            QVERIFY(!group.button(i)->isChecked());
        QCOMPARE(clicks.count(), 1);

        group.setItemIndex(2);
        QCOMPARE(clicks.count(), 2);
        group.setItemIndex(9); // past the end: the last item, already chosen
        QCOMPARE(group.itemIndex(), 2);
        QCOMPARE(clicks.count(), 2);
        group.setItemIndex(-5);
        QCOMPARE(group.itemIndex(), -1);
        group.setItemIndex(0);
        QCOMPARE(clicks.count(), 3);
        QVERIFY(group.button(0)->isChecked());
        QVERIFY(!group.button(2)->isChecked());
        group.setItemIndex(3); // one past the end: the last item, chosen with a click
        QCOMPARE(group.itemIndex(), 2);
        QVERIFY(group.button(2)->isChecked());
        QCOMPARE(clicks.count(), 4);

        // New item texts keep the choice, silently.
        group.setItemIndex(2);
        QCOMPARE(clicks.count(), 4);
        group.setItemText(2, "Francais");
        QCOMPARE(group.button(2)->text(), QString("Francais"));
        QCOMPARE(group.items().at(2), QString("Francais"));
        group.setItems({"x", "y"}); // the chosen index shrinks to the last item
        QCOMPARE(group.itemIndex(), 1);
        QVERIFY(group.button(1)->isChecked());
        QCOMPARE(clicks.count(), 4);
        group.setItemText(7, "ignored");
        QCOMPARE(group.items(), QStringList({"x", "y"}));
    }

    void radioUserClicks()
    {
        TRadioGroup group(" Voltage reference ");
        group.setItems({"Vdc1", "Vdc2", "Vdc3"});
        group.resize(300, 200);
        group.show();
        QVERIFY(QTest::qWaitForWindowExposed(&group));
        QSignalSpy clicks(&group, &TRadioGroup::groupClicked);

        clickBox(group.button(1));
        QCOMPARE(group.itemIndex(), 1);
        QCOMPARE(clicks.count(), 1);
        clickBox(group.button(1)); // already chosen
        QCOMPARE(group.itemIndex(), 1);
        QCOMPARE(clicks.count(), 1);
        QTest::mouseClick(&group, Qt::LeftButton, {}, QPoint(295, 195)); // free area of the group
        QCOMPARE(clicks.count(), 2);
        QCOMPARE(group.itemIndex(), 1);
        group.setEnabled(false);
        clickBox(group.button(0));
        QCOMPARE(group.itemIndex(), 1);
        QCOMPARE(clicks.count(), 2);
    }

    void radioGroupExitWhenTheFocusLeavesIt()
    {
        QWidget window;
        auto *layout = new QHBoxLayout(&window);
        auto *group = new TRadioGroup(&window);
        group->setItems({"English", "German"});
        auto *edit = new QLineEdit(&window);
        layout->addWidget(group);
        layout->addWidget(edit);
        int exits = 0;
        connectExit(group, [&] { ++exits; });
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        group->button(0)->setFocus(Qt::MouseFocusReason);
        group->button(1)->setFocus(Qt::TabFocusReason); // inside the group
        QCOMPARE(exits, 0);
        QTest::mouseClick(edit, Qt::LeftButton);
        QVERIFY(edit->hasFocus());
        QCOMPARE(exits, 1);
    }

    void radioColumnsFillTopToBottom()
    {
        TRadioGroup group;
        group.setColumns(2);
        group.setItems({"a", "b", "c"});
        group.resize(300, 200);
        group.show();
        QVERIFY(QTest::qWaitForWindowExposed(&group));
        // Two per column: a and b in the first column, c in the second.
        QCOMPARE(group.button(0)->x(), group.button(1)->x());
        QVERIFY(group.button(1)->y() > group.button(0)->y());
        QVERIFY(group.button(2)->x() > group.button(0)->x());
        QCOMPARE(group.button(2)->y(), group.button(0)->y());
    }

    void maskTranslation_data()
    {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("qt");
        const char *rows[][3] = {{"time", "!00:00;1;_", "99:99;_"},
                                 {"none", "", ""},
                                 {"optional digits, blank", "990;0; ", "009; "},
                                 {"letters and case", ">LL<ll<>aA", ">AA<aa!nN;_"},
                                 {"any char", "Cc#", "Xx#;_"},
                                 {"literal that is special to Qt", "D-00", "\\D-99;_"},
                                 {"escaped", "\\A0", "\\A9;_"}};
        for (auto &r : rows)
            QTest::newRow(r[0]) << QString(r[1]) << QString(r[2]);
    }

    void maskTranslation()
    {
        QFETCH(QString, mask);
        QFETCH(QString, qt);
        QCOMPARE(TMaskEdit::toInputMask(mask), qt);
    }

    void maskedEditKeepsItsFont()
    {
        QWidget page;
        auto *layout = new QHBoxLayout(&page);
        auto *plain = new QLineEdit(&page);
        auto *masked = new TMaskEdit(&page);
        layout->addWidget(plain);
        layout->addWidget(masked);
        const QFont before = masked->font();
        QFont lcd("Courier");
        lcd.setPointSize(before.pointSize() + 9);
        page.setFont(lcd);
        QCOMPARE(plain->font().pointSize(), before.pointSize() + 9);
        QCOMPARE(masked->font(), before);

        QFont own("Monospace");
        own.setPointSize(5);
        masked->setFont(own); // a font set on the edit itself applies
        QCOMPARE(masked->font().pointSize(), 5);
    }
};

QTEST_MAIN(TestControls)
#include "tst_controls.moc"
