#pragma once

#include "answers/answer_checking.h"
#include "answers/keystroke_filter.h"
#include "exercise/cells.h"
#include "fake_controls.h"

#include <string_view>

// A pupil at the drill without a window: focus, key press, the box's own
// insertion at the end of its text, key release.
struct Desk {
    ExerciseState state;
    FakeControls controls;
    int focused = 0;

    void focus(int box)
    {
        focused = box;
        GotFocus(state, controls, box);
    }

    std::int16_t press(std::int16_t keyChar)
    {
        const std::int16_t code = KeyPress(state, controls, focused, keyChar);
        std::string& text = controls.texts.at(static_cast<std::size_t>(focused));
        if (code == 8 && !text.empty())
            text.pop_back();
        else if (code != 0 && code != 8)
            text.push_back(static_cast<char>(code));
        return code;
    }

    void release() { KeyUp(state, controls, focused); }

    // Digits and letters are typed; 'S' is a Shift press and release, '<' a
    // backspace, 'F' the focus leaving for another box and coming back.
    void play(std::string_view keys)
    {
        for (const char key : keys) {
            if (key == 'F') {
                const int back = focused;
                focus(back == 1 ? 2 : 1);
                focus(back);
                continue;
            }
            if (key == '<')
                press(8);
            else if (key != 'S')
                press(key);
            release();
        }
    }
};
