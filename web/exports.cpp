// The drill's handlers for the browser, as plain functions of the WebAssembly
// module. The page's loader (core.js) hands in the control operations as the
// module's imports and calls these from its elements' events, as the desktop
// window does from its controls'. Text crosses in the module's memory: a
// control's text as UTF-8 either way, and the keys' names and boxes' texts the
// rules are asked about as UTF-16, through the two input slots.

#include "cells.h"
#include "handlers.h"
#include "retyping.h"
#include "spoken_names.h"
#include "typed_keys.h"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>
#include <string_view>

using namespace vendaro;

// What the page does for the drill.
#define PAGE_IMPORT(name) __attribute__((import_module("page"), import_name(#name)))
extern "C" {
PAGE_IMPORT(text) int pageText(int box, char* out, int capacity); // the text's length in UTF-8 bytes
PAGE_IMPORT(setText) void pageSetText(int box, const char* text, int length);
PAGE_IMPORT(setTextColour) void pageSetTextColour(int box, Rgb colour);
PAGE_IMPORT(setCaption) void pageSetCaption(int label, const char* text, int length);
PAGE_IMPORT(setLabel22Enabled) void pageSetLabel22Enabled(bool enabled);
PAGE_IMPORT(setImageVisible) void pageSetImageVisible(int image, bool visible);
PAGE_IMPORT(endProgram) void pageEndProgram();
PAGE_IMPORT(secondsSinceMidnight) double pageSecondsSinceMidnight();
}

namespace {

constexpr int kLabelCount = 31;

class PageControls final : public Controls {
public:
    std::string text(int box) const override
    {
        std::string text(8, '\0');
        const int length = pageText(box, text.data(), static_cast<int>(text.size()));
        if (length > static_cast<int>(text.size())) {
            text.resize(static_cast<std::size_t>(length));
            pageText(box, text.data(), length);
        }
        text.resize(static_cast<std::size_t>(length));
        return text;
    }
    void setText(int box, const std::string& text) override
    {
        pageSetText(box, text.data(), static_cast<int>(text.size()));
    }
    void setTextColour(int box, Rgb colour) override { pageSetTextColour(box, colour); }
    void setCaption(int label, const std::string& caption) override
    {
        captions_.at(static_cast<std::size_t>(label - 1)) = caption;
        pageSetCaption(label, caption.data(), static_cast<int>(caption.size()));
    }
    void setLabel22Enabled(bool enabled) override { pageSetLabel22Enabled(enabled); }
    void setImageVisible(int image, bool visible) override { pageSetImageVisible(image, visible); }
    void endProgram() override { pageEndProgram(); }

    // A label's caption as the drill last set it; the page's labels change no other way.
    const std::string& caption(int label) const { return captions_.at(static_cast<std::size_t>(label - 1)); }

private:
    std::array<std::string, kLabelCount> captions_;
};

class PageClock final : public Clock {
public:
    double secondsSinceMidnight() const override { return pageSecondsSinceMidnight(); }
};

// What the desktop window owns: the controls, the random source seeded from
// the time of day, and the handlers of their events. The page has one drill.
struct Drill {
    PageControls controls;
    SystemRandom random;
    PageClock clock;
    Handlers handlers{controls, random, clock};
} drill;

// Text the page hands in: a key's name, a box's text before and after a change.
std::array<std::u16string, 2> inputs;
std::string output; // text handed out, until the next call that hands text out

// A keydown event in the drill's own terms: its key's name (input 0), Ctrl, Shift.
KeyStroke strokeOf(bool control, bool shift)
{
    using Named = std::pair<std::u16string_view, Key>;
    static constexpr std::array named{Named{u"Backspace", Key::Backspace},
                                      Named{u"Enter", Key::Enter},
                                      Named{u"Escape", Key::Escape},
                                      Named{u"Tab", Key::Tab},
                                      Named{u"Delete", Key::Delete},
                                      Named{u"ArrowLeft", Key::Left},
                                      Named{u"ArrowRight", Key::Right},
                                      Named{u"Home", Key::Home},
                                      Named{u"End", Key::End}};
    const std::u16string& key = inputs[0];
    KeyStroke stroke{Key::Other, control, shift, 0, {}};
    const bool oneCharacter = key.size() == 1 || (key.size() == 2 && key[0] >= 0xD800 && key[0] < 0xDC00);
    const auto isKey = [&](const Named& name) { return name.first == key; };
    if (const auto found = std::find_if(named.begin(), named.end(), isKey); found != named.end())
        stroke.key = found->second;
    else if (oneCharacter)
        stroke.text = key;
    if (key.size() == 1 && key[0] < 128 && std::isalpha(key[0]))
        stroke.letter = static_cast<char>(std::toupper(key[0]));
    return stroke;
}

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void Form_Load() { drill.handlers.Form_Load(); }
EMSCRIPTEN_KEEPALIVE void Label22_Click() { drill.handlers.Label22_Click(); }
EMSCRIPTEN_KEEPALIVE void Label23_Click() { drill.handlers.Label23_Click(); }
EMSCRIPTEN_KEEPALIVE void GotFocus(int box, bool comingBack) { drill.handlers.GotFocus(box, comingBack); }
EMSCRIPTEN_KEEPALIVE int KeyPress(int box, int keyChar)
{
    return drill.handlers.KeyPress(box, static_cast<std::int16_t>(keyChar));
}
EMSCRIPTEN_KEEPALIVE void KeyUp(int box) { drill.handlers.KeyUp(box); }

// Room for `length` UTF-16 units of input `slot` (0 or 1), for the page to fill.
EMSCRIPTEN_KEEPALIVE char16_t* input(int slot, int length)
{
    std::u16string& text = inputs.at(static_cast<std::size_t>(slot));
    text.assign(static_cast<std::size_t>(length), u'\0');
    return text.data();
}

// The code the key of input 0 types, or noCode() for none: no character code is as large.
constexpr int kNoCode = 0x10000;
EMSCRIPTEN_KEEPALIVE int noCode() { return kNoCode; }
EMSCRIPTEN_KEEPALIVE int characterCode(bool control, bool shift)
{
    const std::optional<std::int16_t> code = vendaro::characterCode(strokeOf(control, shift));
    return code ? *code : kNoCode;
}

EMSCRIPTEN_KEEPALIVE bool isEditingKey(bool control, bool shift)
{
    return vendaro::isEditingKey(strokeOf(control, shift));
}

// Input 0 as the filter left it, input 1 as it is now: the caret, the number of
// keys, then the keys to type.
EMSCRIPTEN_KEEPALIVE const std::int32_t* retyping()
{
    static std::vector<std::int32_t> result;
    const Retyping retyped = vendaro::retyping(inputs[0], inputs[1]);
    result.assign({static_cast<std::int32_t>(retyped.caret), static_cast<std::int32_t>(retyped.keys.size())});
    result.insert(result.end(), retyped.keys.begin(), retyped.keys.end());
    return result.data();
}

// What a screen reader says of box Text<box>: its operation from its headers' captions, else its table.
EMSCRIPTEN_KEEPALIVE const char* boxName(int box)
{
    const Cell cell = cellAt(box);
    output =
        spokenName(box, drill.controls.caption(cell.rowHeaderLabel), drill.controls.caption(cell.columnHeaderLabel));
    if (output.empty())
        output = tableName(box);
    return output.c_str();
}

EMSCRIPTEN_KEEPALIVE int waitingFace() { return faces::waiting; }
EMSCRIPTEN_KEEPALIVE int backspace() { return kBackspace; }
}
