#include "desk.h"
#include "exercise/new_exercise.h"

#include <QtTest>

class AnswerCheckingTest : public QObject {
    Q_OBJECT

private slots:
    void judgesCompleteEntries_data();
    void judgesCompleteEntries();
    void tablesKeepSeparateCountersAndScores();
    void nothingIsJudgedBeforeTheFirstExercise();
    void chalkBoxEnablesOnceEveryBoxHoldsSomething();
    void boxKeepingTheFocusStartsAfreshInANewExercise();
};

void AnswerCheckingTest::judgesCompleteEntries_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("face");
    QTest::addColumn<Rgb>("colour");
    QTest::addColumn<int>("points");

    QTest::newRow("half an answer is not judged") << 12 << "1" << faces::waiting << colours::darkBlue << 0;
    QTest::newRow("right at the first attempt") << 12 << "12" << faces::right << colours::darkBlue << 1;
    QTest::newRow("wrong") << 12 << "13" << faces::wrong << colours::red << 0;
    QTest::newRow("wrong then right") << 12 << "1312" << faces::right << colours::green << 0;
    QTest::newRow("wrong then half typed") << 12 << "131" << faces::wrong << colours::darkBlue << 0;
    QTest::newRow("leading zero is wrong at once") << 7 << "0" << faces::wrong << colours::red << 0;
    QTest::newRow("leading zero, then the digit") << 7 << "07" << faces::right << colours::green << 0;
    QTest::newRow("answer zero") << 0 << "0" << faces::right << colours::darkBlue << 1;
    QTest::newRow("answer twenty") << 20 << "20" << faces::right << colours::darkBlue << 1;
    QTest::newRow("ten typed as one-zero") << 10 << "10" << faces::right << colours::darkBlue << 1;
    QTest::newRow("shift after right is a later attempt") << 12 << "12S" << faces::right << colours::green << 1;
    QTest::newRow("shift after wrong paints red again") << 12 << "13S" << faces::wrong << colours::red << 0;
    QTest::newRow("backspace on full box is not judged") << 12 << "12<" << faces::right << colours::darkBlue << 1;
    QTest::newRow("letter after wrong empties unjudged") << 12 << "13a" << faces::wrong << colours::darkBlue << 0;
    QTest::newRow("refocus earns no second point") << 12 << "12FS" << faces::right << colours::darkBlue << 1;
    QTest::newRow("refocus then later attempt") << 12 << "12FSS" << faces::right << colours::green << 1;
    QTest::newRow("right after refocus, wrong before") << 12 << "13F12" << faces::right << colours::darkBlue << 1;
}

void AnswerCheckingTest::judgesCompleteEntries()
{
    QFETCH(int, answer);
    QFETCH(QString, keys);
    QFETCH(int, face);
    QFETCH(Rgb, colour);
    QFETCH(int, points);

    Desk desk;
    desk.state.s[6] = static_cast<float>(answer);
    desk.focus(6);
    desk.play(keys.toStdString());

    QCOMPARE(desk.controls.visibleFace(), face);
    QCOMPARE(desk.controls.textColours[6], colour);
    QCOMPARE(scoreOf(desk.state, Table::Addition), double(points));
    QCOMPARE(desk.controls.captions.count(25) ? desk.controls.captions.at(25) : std::string(),
             points ? std::to_string(points) : std::string());
}

void AnswerCheckingTest::tablesKeepSeparateCountersAndScores()
{
    Desk desk;
    desk.state.s[3] = 9;
    desk.state.r[5] = 4;

    desk.focus(25);
    desk.play("4");
    QCOMPARE(desk.state.esattosott, 1.0f);
    QCOMPARE(desk.controls.captions.at(29), std::string("1"));
    QVERIFY(!desk.state.esattoadd.has_value());
    QVERIFY(!desk.controls.captions.contains(25));
    QCOMPARE(desk.state.primoadd, 0.0f);

    desk.focus(3);
    desk.play("9");
    QCOMPARE(desk.state.esattoadd, OptionalCount(1));
    QCOMPARE(desk.controls.captions.at(25), std::string("1"));
    QCOMPARE(desk.state.esattosott, 1.0f);
    QCOMPARE(desk.state.primosott, 1.0f);
}

// With no exercise drawn, a release in an empty box is no answer at all.
void AnswerCheckingTest::nothingIsJudgedBeforeTheFirstExercise()
{
    Desk desk;
    desk.focus(1);
    desk.controls.log.clear();
    desk.play("S<a4S2");
    QCOMPARE(desk.state.primoadd, 0.0f);
    QVERIFY(!desk.state.esattoadd.has_value());
    QVERIFY(!desk.controls.captions.contains(25));
    QCOMPARE(desk.controls.visibleFace(), faces::waiting);
    QCOMPARE(desk.controls.texts[1], std::string("2"));
    for (const std::string& line : desk.controls.log)
        QVERIFY2(line.starts_with("colour") || line.starts_with("text"), line.c_str());

    // The completion test still runs.
    desk.controls.texts.fill("1");
    desk.controls.label22Enabled = false;
    desk.play("S");
    QVERIFY(desk.controls.label22Enabled);
}

void AnswerCheckingTest::chalkBoxEnablesOnceEveryBoxHoldsSomething()
{
    Desk desk;
    for (int k = 1; k <= kCellCount; ++k)
        expectedAnswer(desk.state, k) = 15;
    desk.controls.label22Enabled = false;
    for (int box = 1; box < kCellCount; ++box)
        desk.controls.texts[static_cast<std::size_t>(box)] = box % 2 ? "15" : "3";
    desk.focus(40);
    desk.play("S");
    QVERIFY(!desk.controls.label22Enabled);
    desk.play("1");
    QVERIFY(desk.controls.label22Enabled);
    desk.play("<");
    QVERIFY(desk.controls.label22Enabled);
}

void AnswerCheckingTest::boxKeepingTheFocusStartsAfreshInANewExercise()
{
    Desk desk;
    ScriptedRandom random;
    FixedClock clock;
    const auto queueExercise = [&random] {
        random.queue({1, 2, 3, 4, 5, 1, 2, 3, 4}, 15);
        random.queue({6, 7, 8, 9, 10}, 20, 5);
        random.queue({1, 2, 3, 4}, 20);
    };
    queueExercise();
    Label22_Click(desk.state, desk.controls, random, clock);
    desk.focus(1); // expects 1 + 1
    desk.play("2");
    QCOMPARE(desk.state.esattoadd, OptionalCount(1));

    queueExercise();
    Label22_Click(desk.state, desk.controls, random, clock);
    desk.play("2");
    QCOMPARE(desk.state.esattoadd, OptionalCount(2));
    QCOMPARE(desk.controls.textColours[1], colours::darkBlue);
    QVERIFY(scoreOf(desk.state, Table::Addition) <= totalOf(desk.state, Table::Addition));
}

QTEST_APPLESS_MAIN(AnswerCheckingTest)
#include "test_answer_checking.moc"
