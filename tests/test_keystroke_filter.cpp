#include "desk.h"

#include <QtTest>

class KeystrokeFilterTest : public QObject {
    Q_OBJECT

private slots:
    void filtersEveryKey_data();
    void filtersEveryKey();
    void focusShowsWaitingFaceAndRestartsItsTable();
};

void KeystrokeFilterTest::filtersEveryKey_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("answer"); // -1: no exercise drawn yet
    QTest::addColumn<int>("keyChar");
    QTest::addColumn<int>("inserted");
    QTest::addColumn<QString>("after");

    QTest::newRow("first digit") << "" << 12 << int('1') << int('1') << "1";
    QTest::newRow("second digit completes") << "1" << 12 << int('2') << int('2') << "12";
    QTest::newRow("digit on full two-digit box") << "12" << 12 << int('7') << int('7') << "7";
    QTest::newRow("digit on full one-digit box") << "3" << 7 << int('5') << int('5') << "5";
    QTest::newRow("zero and nine pass") << "" << 12 << int('0') << int('0') << "0";
    QTest::newRow("nine") << "" << 12 << int('9') << int('9') << "9";
    QTest::newRow("slash below zero") << "" << 12 << int('/') << 0 << "";
    QTest::newRow("colon above nine") << "1" << 12 << int(':') << 0 << "1";
    QTest::newRow("letter") << "1" << 12 << int('a') << 0 << "1";
    QTest::newRow("letter on full box") << "12" << 12 << int('a') << 0 << "";
    QTest::newRow("minus") << "" << 12 << int('-') << 0 << "";
    QTest::newRow("space") << "" << 12 << 32 << 0 << "";
    QTest::newRow("enter") << "1" << 12 << 13 << 0 << "1";
    QTest::newRow("escape") << "1" << 12 << 27 << 0 << "1";
    QTest::newRow("ctrl+v") << "1" << 12 << 22 << 0 << "1";
    QTest::newRow("delete code") << "1" << 12 << 127 << 0 << "1";
    QTest::newRow("accented letter") << "1" << 12 << 0xE8 << 0 << "1";
    QTest::newRow("code above 255") << "1" << 12 << 0x0661 << 0 << "1";
    QTest::newRow("largest code") << "1" << 12 << 32767 << 0 << "1";
    QTest::newRow("negative code") << "1" << 12 << -1 << 0 << "1";
    QTest::newRow("most negative code") << "1" << 12 << -32768 << 0 << "1";
    QTest::newRow("negative code ending like a digit") << "1" << 12 << (int('5') - 0x8000) << 0 << "1";
    QTest::newRow("backspace on partial box") << "1" << 12 << 8 << 8 << "";
    QTest::newRow("backspace on full box") << "12" << 12 << 8 << 8 << "";
    QTest::newRow("no exercise: empty box takes a digit") << "" << -1 << int('4') << int('4') << "4";
    QTest::newRow("no exercise: second digit replaces") << "4" << -1 << int('2') << int('2') << "2";
    QTest::newRow("no exercise: letter empties") << "4" << -1 << int('x') << 0 << "";
    QTest::newRow("stray text is emptied") << "1x" << 12 << int('3') << int('3') << "3";
}

void KeystrokeFilterTest::filtersEveryKey()
{
    QFETCH(QString, before);
    QFETCH(int, answer);
    QFETCH(int, keyChar);
    QFETCH(int, inserted);
    QFETCH(QString, after);

    Desk desk;
    desk.focus(7);
    if (answer >= 0)
        desk.state.s[7] = static_cast<float>(answer);
    desk.controls.texts[7] = before.toStdString();
    desk.controls.textColours[7] = colours::red;

    QCOMPARE(int(desk.press(static_cast<std::int16_t>(keyChar))), inserted);
    QCOMPARE(desk.controls.textColours[7], colours::darkBlue);
    QCOMPARE(QString::fromStdString(desk.controls.texts[7]), after);
}

void KeystrokeFilterTest::focusShowsWaitingFaceAndRestartsItsTable()
{
    Desk desk;
    for (const int face : {faces::right, faces::wrong}) {
        showFace(desk.controls, face);
        desk.state.primoadd = 3;
        desk.state.primosott = 4;
        desk.focus(3);
        QCOMPARE(desk.controls.visibleFace(), faces::waiting);
        QCOMPARE(desk.state.primoadd, 0.0f);
        QCOMPARE(desk.state.primosott, 4.0f);
        desk.focus(25);
        QCOMPARE(desk.controls.visibleFace(), faces::waiting);
        QCOMPARE(desk.state.primosott, 0.0f);
    }
}

QTEST_APPLESS_MAIN(KeystrokeFilterTest)
#include "test_keystroke_filter.moc"
