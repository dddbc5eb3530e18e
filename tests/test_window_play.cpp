#include "window_fixture.h"

#include <QApplication>

namespace {

const QColor kDarkBlue(0x00, 0x00, 0xC0);
const QColor kRed(0xFF, 0x00, 0x00);
const QColor kGreen(0x00, 0x80, 0x00);

QString digitsOf(int answer) { return QString::number(answer); }

// A wrong entry of the right length: the last digit moved on by one.
QString wrongFor(int answer)
{
    QString text = digitsOf(answer);
    text.back() = QChar('0' + (text.back().digitValue() + 1) % 10);
    return text;
}

} // namespace

class WindowPlayTest : public QObject {
    Q_OBJECT

private slots:
    void playsAWholeExercise();
    void chalkBoxIgnoresClicksWhileDisabled();
    void heldDigitIsJudgedOnceAndKeypadTypesDigits();
    void halfTypedAnswerGoesOnAfterTabbingBack();
};

// Every box answered through the keyboard, Tab moving on, as a pupil plays.
void WindowPlayTest::playsAWholeExercise()
{
    Drill drill;
    QVERIFY(drill.open());
    drill.newExercise();
    QVERIFY(!drill.label(22)->isEnabled());
    QCOMPARE(drill.caption(27), QString("20"));
    QCOMPARE(drill.caption(31), QString("20"));

    // Text1: wrong, then right at the second attempt.
    drill.type(wrongFor(drill.expected(1)));
    QCOMPARE(drill.visibleFace(), faces::wrong);
    QCOMPARE(drill.textColour(1), kRed);
    drill.type(digitsOf(drill.expected(1)));
    QCOMPARE(drill.visibleFace(), faces::right);
    QCOMPARE(drill.textColour(1), kGreen);
    QCOMPARE(drill.caption(25), QString());

    // Text2: right at once, blue, one point; the Tab's release lands in Text3.
    drill.key(Qt::Key_Tab);
    QCOMPARE(drill.visibleFace(), faces::waiting);
    drill.type(digitsOf(drill.expected(2)));
    QCOMPARE(drill.visibleFace(), faces::right);
    QCOMPARE(drill.textColour(2), kDarkBlue);
    QCOMPARE(drill.caption(25), QString("1"));

    // Back with Shift+Tab: the releases of Tab and Shift judge Text2 again,
    // the second time as a later attempt, and no second point comes of it.
    drill.key(Qt::Key_Tab);
    drill.key(Qt::Key_Tab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), drill.box(2));
    QCOMPARE(drill.visibleFace(), faces::right);
    QCOMPARE(drill.textColour(2), kGreen);
    QCOMPARE(drill.caption(25), QString("1"));

    int additionPoints = 1, subtractionPoints = 0;
    for (int k = 3; k <= kCellCount; ++k) {
        drill.key(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), drill.box(k));
        QVERIFY2(!drill.label(22)->isEnabled(), qPrintable(QString::number(k)));
        const int answer = drill.expected(k);
        if (answer > 0 && answer < 10) {
            drill.type("0" + digitsOf(answer)); // a leading zero is wrong at once
            QCOMPARE(drill.textColour(k), kGreen);
        }
        else {
            drill.type(digitsOf(answer));
            QCOMPARE(drill.textColour(k), kDarkBlue);
            ++(k <= 20 ? additionPoints : subtractionPoints);
        }
        QCOMPARE(drill.box(k)->text(), digitsOf(answer));
        QCOMPARE(drill.visibleFace(), faces::right);
    }
    QVERIFY(drill.label(22)->isEnabled());
    QCOMPARE(drill.caption(25), QString::number(additionPoints));
    QCOMPARE(drill.caption(29), subtractionPoints ? QString::number(subtractionPoints) : QString());

    // The next exercise clears the boxes, keeps the scores and offers 20 more.
    drill.newExercise();
    QCOMPARE(drill.caption(27), QString("40"));
    QCOMPARE(drill.caption(25), QString::number(additionPoints));
    QCOMPARE(drill.box(1)->text(), QString());
    QCOMPARE(QApplication::focusWidget(), drill.box(kCellCount));
}

void WindowPlayTest::chalkBoxIgnoresClicksWhileDisabled()
{
    Drill drill;
    QVERIFY(drill.open());
    drill.newExercise();
    QStringList headers;
    for (int label = 2; label <= 20; ++label)
        headers << drill.caption(label);
    drill.type("7");
    drill.newExercise();
    QCOMPARE(drill.caption(27), QString("20"));
    QCOMPARE(drill.box(1)->text(), QString("7"));
    for (int label = 2; label <= 20; ++label)
        QCOMPARE(drill.caption(label), headers[label - 2]);
}

// Auto-repeat presses a digit again and again but releases it once.
void WindowPlayTest::heldDigitIsJudgedOnceAndKeypadTypesDigits()
{
    Drill drill;
    QVERIFY(drill.open());
    drill.newExercise();
    const int k = drill.focusBoxWithDigits(1);
    const QChar wrong = wrongFor(drill.expected(k)).front();
    const auto keyOf = [](QChar digit) { return Qt::Key(Qt::Key_0 + digit.digitValue()); };
    for (int repeat = 0; repeat < 3; ++repeat)
        QTest::sendKeyEvent(QTest::Press, drill.window(), keyOf(wrong), wrong, Qt::NoModifier);
    QKeyEvent repeatRelease(QEvent::KeyRelease, keyOf(wrong), Qt::NoModifier, wrong, true);
    QApplication::sendEvent(drill.box(k), &repeatRelease);
    QCOMPARE(drill.visibleFace(), faces::waiting);
    QTest::sendKeyEvent(QTest::Release, drill.window(), keyOf(wrong), wrong, Qt::NoModifier);
    QCOMPARE(drill.visibleFace(), faces::wrong);

    const QChar right = digitsOf(drill.expected(k)).front();
    QTest::keyClick(drill.window(), keyOf(right), Qt::KeypadModifier);
    QCOMPARE(drill.box(k)->text(), QString(right));
    QCOMPARE(drill.visibleFace(), faces::right);
    QCOMPARE(drill.textColour(k), kGreen);
}

void WindowPlayTest::halfTypedAnswerGoesOnAfterTabbingBack()
{
    Drill drill;
    QVERIFY(drill.open());
    drill.newExercise();
    const int k = drill.focusBoxWithDigits(2);
    const QString answer = digitsOf(drill.expected(k));
    drill.type(answer.left(1));
    drill.key(Qt::Key_Tab);
    drill.key(Qt::Key_Tab, Qt::ShiftModifier);
    drill.type(answer.mid(1));
    QCOMPARE(drill.box(k)->text(), answer);
    QCOMPARE(drill.visibleFace(), faces::right);
}

QTEST_MAIN(WindowPlayTest)
#include "test_window_play.moc"
