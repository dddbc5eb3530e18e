// The drill's handlers for the browser. The page hands in an object that
// carries out the control operations on its elements and calls the handlers
// from its elements' events, as the desktop window does from its controls'.

#include "cells.h"
#include "form_layout.h"
#include "handlers.h"
#include "picture_files.h"
#include "retyping.h"
#include "spoken_names.h"
#include "typed_keys.h"

#include <emscripten/bind.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>
#include <string_view>

using namespace vendaro;

namespace {

using emscripten::val;

class PageControls final : public Controls {
public:
    explicit PageControls(val page) : page_(std::move(page)) {}

    std::string text(int box) const override { return page_.call<std::string>("text", box); }
    void setText(int box, const std::string& text) override { page_.call<void>("setText", box, text); }
    void setTextColour(int box, Rgb colour) override { page_.call<void>("setTextColour", box, colour); }
    void setCaption(int label, const std::string& caption) override { page_.call<void>("setCaption", label, caption); }
    void setLabel22Enabled(bool enabled) override { page_.call<void>("setLabel22Enabled", enabled); }
    void setImageVisible(int image, bool visible) override { page_.call<void>("setImageVisible", image, visible); }
    void endProgram() override { page_.call<void>("endProgram"); }

private:
    val page_;
};

// What the desktop window owns: the controls, the random source seeded from
// the time of day, and the handlers of their events.
struct Drill {
    explicit Drill(val page) : controls(std::move(page)) {}

    PageControls controls;
    SystemRandom random;
    SystemClock clock;
    Handlers handlers{controls, random, clock};
};

// The page has one drill, as the desktop has one window. Its handlers are the
// module's own functions: a bound class would make the glue a third larger.
std::optional<Drill> drill;

void startDrill(val page) { drill.emplace(std::move(page)); }
void Form_Load() { drill->handlers.Form_Load(); }
void Label22_Click() { drill->handlers.Label22_Click(); }
void Label23_Click() { drill->handlers.Label23_Click(); }
void GotFocus(int box, bool comingBack) { drill->handlers.GotFocus(box, comingBack); }
int KeyPress(int box, int keyChar) { return drill->handlers.KeyPress(box, static_cast<std::int16_t>(keyChar)); }
void KeyUp(int box) { drill->handlers.KeyUp(box); }

// A keydown event in the drill's own terms: its key's name, Ctrl, Shift.
KeyStroke strokeOf(const std::u16string& key, bool control, bool shift)
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

// The code a key types, null for none.
val characterCodeOf(const std::u16string& key, bool control, bool shift)
{
    const auto code = characterCode(strokeOf(key, control, shift));
    return code ? val(*code) : val::null();
}

bool isEditingKeyOf(const std::u16string& key, bool control, bool shift)
{
    return isEditingKey(strokeOf(key, control, shift));
}

val retypingOf(const std::u16string& accepted, const std::u16string& changed)
{
    const Retyping retyped = retyping(accepted, changed);
    val result = val::object();
    result.set("caret", static_cast<int>(retyped.caret));
    val keys = val::array();
    for (const std::int16_t key : retyped.keys)
        keys.call<void>("push", key);
    result.set("keys", keys);
    return result;
}

// The pictures the board shows are views of one sheet; a pointer is a file of its own, as CSS wants.
std::string pictureUrl(layout::Picture picture)
{
    return std::string("pictures.svg#") + layout::pictureFile(picture).name;
}
std::string pointerUrl(layout::Picture picture) { return std::string(layout::pictureFile(picture).name) + ".svg"; }

// The CSS pointer of a control: the drill's own hands, with their hot spots.
std::string cursorOf(layout::Pointer pointer)
{
    const auto hand = [](layout::Picture picture, const char* fallback) {
        const layout::PictureFile& file = layout::pictureFile(picture);
        return "url(\"" + pointerUrl(picture) + "\") " + std::to_string(file.hotSpotX) + " " +
               std::to_string(file.hotSpotY) + ", " + fallback;
    };
    switch (pointer) {
    case layout::Pointer::WritingHand:
        return hand(layout::Picture::WritingHand, "text");
    case layout::Pointer::PointingHand:
        return hand(layout::Picture::PointingHand, "pointer");
    case layout::Pointer::TextBeam:
        return "text";
    default:
        return "default";
    }
}

val control(const std::string& name, const layout::Rect& rect, layout::Pointer pointer)
{
    val look = val::object();
    look.set("name", name);
    look.set("left", rect.left);
    look.set("top", rect.top);
    look.set("width", rect.width);
    look.set("height", rect.height);
    look.set("cursor", cursorOf(pointer));
    return look;
}

// Every control with its place and look, back to front, for the page to build.
val layoutOfControls()
{
    val looks = val::object();
    for (int k = 1; k <= kCellCount; ++k) {
        const layout::BoxLook box = layout::box(k);
        looks.set("Text" + std::to_string(k), control("Text" + std::to_string(k), box.rect, box.pointer));
    }
    for (const layout::LabelLook& label : layout::labels()) {
        const std::string name = "Label" + std::to_string(label.number);
        val look = control(name, label.rect, label.pointer);
        look.set("caption", label.caption);
        look.set("fontPixels", label.fontPixels);
        look.set("textColour", label.textColour);
        look.set("background", label.background ? val(*label.background) : val::null());
        look.set("sunken", label.sunkenBorder);
        look.set("centred", label.alignment == layout::Align::Centre);
        look.set("spokenName", spokenNameOfLabel(label.number));
        looks.set(name, look);
    }
    for (const layout::PictureLook& picture : layout::pictures()) {
        const std::string name = "Image" + std::to_string(picture.number);
        val look = control(name, picture.rect, layout::Pointer::Arrow);
        look.set("picture", pictureUrl(layout::pictureOfImage(picture.number)));
        look.set("spokenName", spokenNameOfImage(picture.number));
        looks.set(name, look);
    }
    val ordered = val::array();
    for (const std::string& name : layout::stackingBackToFront())
        ordered.call<void>("push", looks[name]);
    return ordered;
}

// The row and column header labels of a box.
val headersOf(int box)
{
    const Cell cell = cellAt(box);
    val headers = val::array();
    headers.call<void>("push", cell.rowHeaderLabel);
    headers.call<void>("push", cell.columnHeaderLabel);
    return headers;
}

} // namespace

EMSCRIPTEN_BINDINGS(vendaro)
{
    emscripten::function("startDrill", &startDrill);
    emscripten::function("Form_Load", &Form_Load);
    emscripten::function("Label22_Click", &Label22_Click);
    emscripten::function("Label23_Click", &Label23_Click);
    emscripten::function("GotFocus", &GotFocus);
    emscripten::function("KeyPress", &KeyPress);
    emscripten::function("KeyUp", &KeyUp);
    emscripten::function("layout", &layoutOfControls);
    emscripten::function("headersOf", &headersOf);
    emscripten::function("characterCode", &characterCodeOf);
    emscripten::function("isEditingKey", &isEditingKeyOf);
    emscripten::function("retyping", &retypingOf);
    emscripten::function("spokenName", &spokenName);
    emscripten::function("tableName", &tableName);
    emscripten::constant("waitingFace", faces::waiting);
    emscripten::constant("boardPicture", pictureUrl(layout::Picture::Board));
    emscripten::constant("boardWidth", layout::kClientWidth);
    emscripten::constant("boardHeight", layout::kClientHeight);
    emscripten::constant("backspace", kBackspace);
    emscripten::constant("boxFontPixels", layout::kBoxFontPixels);
    emscripten::constant("boxText", layout::kBoxText);
    emscripten::constant("boxBackground", layout::kBoxBackground);
}
