// The drill's logic without a window: a fake one records every control operation.
#include "answer_checking.h"
#include "cells.h"
#include "handlers.h"
#include "keystroke_filter.h"
#include "new_exercise.h"
#include "retyping.h"
#include "scripted.h"
#include "typed_keys.h"

#include <QtTest>

#include <map>

using namespace vendaro;

namespace {

struct FakeControls final : Controls {
    std::vector<std::string> log;
    std::array<std::string, 41> texts{};
    std::array<Rgb, 41> colours{};
    std::map<int, std::string> captions;
    std::array<bool, 6> visible{};
    bool label22 = true;

    template <typename T>
    void set(T& field, T value, const std::string& entry)
    {
        field = value;
        log.push_back(entry);
    }
    std::string text(int box) const override { return texts.at(std::size_t(box)); }
    void setText(int box, const std::string& text) override
    {
        set(texts.at(std::size_t(box)), text, "text " + std::to_string(box));
    }
    void setTextColour(int box, Rgb colour) override { colours.at(std::size_t(box)) = colour; }
    void setCaption(int label, const std::string& caption) override
    {
        set(captions[label], caption, std::to_string(label) + "=" + caption);
    }
    void setLabel22Enabled(bool enabled) override { set(label22, enabled, enabled ? "enable" : "disable"); }
    void setImageVisible(int image, bool shown) override
    {
        set(visible.at(std::size_t(image)), shown, (shown ? "show " : "hide ") + std::to_string(image));
    }
    void endProgram() override {}

    std::string caption(int label) const { return captions.contains(label) ? captions.at(label) : ""; }
    // The one face showing, -1 when more than one does.
    int face() const
    {
        return visible[3] + visible[4] + visible[5] > 1 ? -1 : visible[4] ? 4 : visible[5] ? 5 : 3 * visible[3];
    }
};

// A pupil at the fake window: focus, key press, the box's insertion at the end
// of its text, key release. In play(), 'S' is a Shift press and release, '<' a
// backspace and 'F' the focus leaving for another box and coming back.
struct Desk {
    ExerciseState state;
    FakeControls controls;
    int focused = 0;

    void focus(int box) { GotFocus(state, controls, focused = box); }
    std::int16_t press(std::int16_t keyChar)
    {
        const std::int16_t code = KeyPress(state, controls, focused, keyChar);
        std::string& text = controls.texts.at(std::size_t(focused));
        if (code == 8 && !text.empty())
            text.pop_back();
        else if (code != 0 && code != 8)
            text.push_back(char(code));
        return code;
    }
    void play(std::string_view keys)
    {
        for (const char key : keys) {
            if (key == 'F') {
                const int back = focused;
                focus(back == 1 ? 2 : 1);
                focus(back);
                continue;
            }
            if (key != 'S')
                press(key == '<' ? 8 : key);
            KeyUp(state, controls, focused);
        }
    }
};

} // namespace

class CoreTest : public QObject {
    Q_OBJECT

private slots:
    void newExerciseRedrawsUntilEveryRuleHolds();
    void filterAndFullBoxRule_data();
    void filterAndFullBoxRule();
    void judging_data();
    void judging();
    void tablesKeepTheirOwnCountersAndScores();
    void nothingIsJudgedBeforeTheFirstExercise();
    void chalkBoxEnablesOnceEveryBoxHoldsSomething();
    void keysRetypingAndReturningFocus();
};

// Each redraw rule fires once: a repeated row header, a sum of 21, minuends of
// 21 and 24, a repeated minuend, a subtrahend above the smallest minuend.
void CoreTest::newExerciseRedrawsUntilEveryRuleHolds()
{
    Desk desk;
    ScriptedRandom random;
    const SteppingClock clock;
    random.values.push_back(std::nextafter(1.0, 0.0)); // the largest u still draws 14
    random.queue({14, 3, 0, 7, 9}, 15);
    random.queue({7, 6, 0, 6, 2, 5}, 15);
    random.queue({21, 24, 5, 20, 5, 12, 8, 17}, 20, 5);
    random.queue({6, 5, 0, 5, 19, 3, 4}, 20);

    Label22_Click(desk.state, desk.controls, random, clock);

    QVERIFY(random.values.empty());
    QCOMPARE(random.seededWith, clock.seconds);
    std::vector<std::string> expected{"disable", "show 3", "hide 4", "hide 5"};
    const auto add = [&](int firstBox, std::initializer_list<const char*> captions) {
        for (int box = firstBox; box < firstBox + 20; ++box)
            expected.push_back("text " + std::to_string(box));
        expected.insert(expected.end(), captions.begin(), captions.end());
    };
    add(1, {"2=6", "3=0", "4=2", "5=5", "6=14", "7=3", "8=0", "9=7", "10=9", "27=20"});
    add(21, {"16=5", "17=20", "18=12", "19=8", "20=17", "12=5", "13=0", "14=3", "15=4", "31=20"});
    QCOMPARE(desk.controls.log, expected);
    for (int k = 1; k <= kCellCount; ++k) {
        const Cell cell = cellAt(k);
        const int row = std::stoi(desk.controls.caption(cell.rowHeaderLabel));
        const int column = std::stoi(desk.controls.caption(cell.columnHeaderLabel));
        QCOMPARE(textForm(expectedAnswer(desk.state, k)),
                 std::to_string(cell.table == Table::Addition ? row + column : row - column));
    }
}

void CoreTest::filterAndFullBoxRule_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("answer"); // -1: no exercise drawn yet
    QTest::addColumn<int>("keyChar");
    QTest::addColumn<QString>("after");

    QTest::newRow("digit on a full one-digit box") << "3" << 7 << int('5') << "5";
    QTest::newRow("letter on a full box") << "12" << 12 << int('a') << "";
    QTest::newRow("code above 255") << "1" << 12 << 0x0661 << "1";
    QTest::newRow("negative code ending like a digit") << "1" << 12 << (int('5') - 0x8000) << "1";
    QTest::newRow("backspace") << "1" << 12 << 8 << "";
    QTest::newRow("backspace on a full box") << "12" << 12 << 8 << "";
    QTest::newRow("no exercise: a second digit replaces") << "4" << -1 << int('2') << "2";
    QTest::newRow("stray text is emptied") << "1x" << 12 << int('3') << "3";
}

void CoreTest::filterAndFullBoxRule()
{
    QFETCH(QString, before);
    QFETCH(int, answer);
    QFETCH(int, keyChar);
    QFETCH(QString, after);
    Desk desk;
    desk.focus(7);
    if (answer >= 0)
        desk.state.s[7] = float(answer);
    desk.controls.texts[7] = before.toStdString();
    desk.controls.colours[7] = colours::red;

    const std::int16_t passed = desk.press(std::int16_t(keyChar));
    QCOMPARE(int(passed), keyChar == 8 || (keyChar >= '0' && keyChar <= '9') ? keyChar : 0);
    QCOMPARE(std::pair(desk.controls.colours[7], QString::fromStdString(desk.controls.texts[7])),
             std::pair(colours::darkBlue, after));
}

void CoreTest::judging_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("face");
    QTest::addColumn<Rgb>("colour");
    QTest::addColumn<int>("points");

    QTest::newRow("half an answer") << 12 << "1" << faces::waiting << colours::darkBlue << 0;
    QTest::newRow("right first") << 12 << "12" << faces::right << colours::darkBlue << 1;
    QTest::newRow("wrong") << 12 << "13" << faces::wrong << colours::red << 0;
    QTest::newRow("wrong, then right") << 12 << "1312" << faces::right << colours::green << 0;
    QTest::newRow("leading zero is wrong at once") << 7 << "0" << faces::wrong << colours::red << 0;
    QTest::newRow("leading zero, then the digit") << 7 << "07" << faces::right << colours::green << 0;
    QTest::newRow("answer 0") << 0 << "0" << faces::right << colours::darkBlue << 1;
    QTest::newRow("answer 20") << 20 << "20" << faces::right << colours::darkBlue << 1;
    QTest::newRow("shift after right") << 12 << "12S" << faces::right << colours::green << 1;
    QTest::newRow("backspace on a full box") << 12 << "12<" << faces::right << colours::darkBlue << 1;
    QTest::newRow("refocus earns no second point") << 12 << "12FS" << faces::right << colours::darkBlue << 1;
    QTest::newRow("wrong, refocus, right") << 12 << "13F12" << faces::right << colours::darkBlue << 1;
}

void CoreTest::judging()
{
    QFETCH(int, answer);
    QFETCH(QString, keys);
    QFETCH(int, face);
    QFETCH(Rgb, colour);
    QFETCH(int, points);
    Desk desk;
    desk.state.s[6] = float(answer);
    desk.focus(6);
    desk.play(keys.toStdString());
    QCOMPARE(std::pair(desk.controls.face(), desk.controls.colours[6]), std::pair(face, colour));
    QCOMPARE(desk.controls.caption(25), points ? std::to_string(points) : "");
}

void CoreTest::tablesKeepTheirOwnCountersAndScores()
{
    Desk desk;
    desk.state.s[3] = 9;
    desk.state.r[5] = 4;
    desk.focus(25);
    desk.play("4");
    desk.focus(3);
    desk.play("99");
    QCOMPARE(std::pair(desk.controls.caption(25), desk.controls.caption(29)),
             std::pair(std::string("1"), std::string("1")));
    QCOMPARE(std::pair(desk.state.primoadd, desk.state.primosott), std::pair(2.0f, 1.0f));

    // A new exercise starts every cell afresh, even in the box that keeps the focus.
    SystemRandom random;
    Label22_Click(desk.state, desk.controls, random, SteppingClock());
    desk.play(textForm(expectedAnswer(desk.state, 3)));
    QCOMPARE(desk.controls.caption(25), std::string("2"));
}

// With no exercise drawn, a release in an empty box is no answer at all.
void CoreTest::nothingIsJudgedBeforeTheFirstExercise()
{
    Desk desk;
    desk.focus(1);
    desk.controls.log.clear();
    desk.play("S<a4S2");
    QCOMPARE(std::pair(desk.state.primoadd, desk.controls.face()), std::pair(0.0f, faces::waiting));
    QCOMPARE(desk.controls.log, std::vector<std::string>(4, "text 1"));
}

void CoreTest::chalkBoxEnablesOnceEveryBoxHoldsSomething()
{
    Desk desk;
    for (int k = 1; k <= kCellCount; ++k)
        expectedAnswer(desk.state, k) = 15;
    desk.controls.label22 = false;
    for (std::size_t box = 1; box < kCellCount; ++box)
        desk.controls.texts[box] = box % 2 ? "15" : "3";
    desk.focus(40);
    desk.play("S");
    QVERIFY(!desk.controls.label22);
    desk.play("1");
    QVERIFY(desk.controls.label22);
    desk.play("<");
    QVERIFY(desk.controls.label22);
}

QTEST_APPLESS_MAIN(CoreTest)
// The rules both front ends share: what a key types, where its text goes when
// another route changed it, and what a return from another window is.
void CoreTest::keysRetypingAndReturningFocus()
{
    const auto code = [](Key key, std::u16string text, bool control = false, char letter = 0) {
        return int(characterCode({key, control, false, letter, std::move(text)}).value_or(-1));
    };
    QCOMPARE(std::pair(code(Key::Backspace, u"\b"), code(Key::Other, u"\b", true, 'H')), std::pair(8, 8)); // Ctrl+H too
    QCOMPARE(code(Key::Other, u"7"), '7');
    QCOMPARE(std::pair(code(Key::Other, u"\x01", true, 'A'), code(Key::Other, u"\x1a", true, 'Z')), std::pair(1, 26));
    QVERIFY(code(Key::Other, u"\x7f") == -1 && code(Key::Delete, u"\x7f") == -1 && code(Key::Tab, u"\t") == -1);
    QVERIFY(code(Key::Other, u"\U0001F600") < -1); // a high surrogate, which the filter discards
    QVERIFY(isEditingKey({Key::End, false, true, 0, {}}) && !isEditingKey({Key::Delete, false, true, 0, {}}));

    const auto retyped = [](std::u16string before, std::u16string after) {
        const Retyping retyping = vendaro::retyping(before, after);
        return std::pair{int(retyping.caret), std::vector<int>(retyping.keys.begin(), retyping.keys.end())};
    };
    QCOMPARE(retyped(u"123", u"1x23"), std::pair(1, std::vector<int>{'x'}));
    QCOMPARE(retyped(u"11", u"1"), std::pair(2, std::vector<int>{kBackspace}));
    QCOMPARE(retyped(u"4", u"93"), std::pair(1, std::vector<int>{kBackspace, '9', '3'}));

    // Coming back from outside into the box last left is no new arrival; into another box it is.
    FakeControls controls;
    ScriptedRandom random;
    const SteppingClock clock;
    Handlers handlers(controls, random, clock);
    for (const auto& [box, comingBack] : {std::pair{3, false}, {3, true}, {4, true}})
        handlers.GotFocus(box, comingBack);
    QCOMPARE(controls.log.size(), std::size_t{6});
}

#include "test_core.moc"
