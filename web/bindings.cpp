// The drill's handlers for the browser. The page hands in an object that
// carries out the control operations on its elements and calls the handlers
// from its elements' events, as the desktop window does from its controls'.

#include "answers/answer_checking.h"
#include "answers/keystroke_filter.h"
#include "app/form_layout.h"
#include "exercise/cells.h"
#include "exercise/new_exercise.h"

#include <emscripten/bind.h>

#include <map>

namespace {

using emscripten::val;

class PageControls final : public Controls {
public:
    explicit PageControls(val page) : page_(std::move(page)) {}

    std::string text(int box) const override { return page_.call<std::string>("text", box); }
    void setText(int box, const std::string& text) override { page_.call<void>("setText", box, text); }
    void setTextColour(int box, Rgb colour) override { page_.call<void>("setTextColour", box, colour); }
    void setCaption(int label, const std::string& caption) override
    {
        page_.call<void>("setCaption", label, caption);
    }
    void setLabel22Enabled(bool enabled) override { page_.call<void>("setLabel22Enabled", enabled); }
    void setImageVisible(int image, bool visible) override { page_.call<void>("setImageVisible", image, visible); }
    void endProgram() override { page_.call<void>("endProgram"); }

private:
    val page_;
};

// What Form1 owns on the desktop: the exercise state, the controls, the random
// source seeded from the time of day, and the handlers of its events.
class Drill {
public:
    explicit Drill(val page) : controls_(std::move(page)) {}

    void Form_Load() { hideFaces(controls_); }
    void Label22_Click() { ::Label22_Click(state_, controls_, random_, clock_); }
    void Label23_Click() { controls_.endProgram(); }
    void GotFocus(int box) { ::GotFocus(state_, controls_, box); }
    int KeyPress(int box, int keyChar) { return ::KeyPress(state_, controls_, box, static_cast<std::int16_t>(keyChar)); }
    void KeyUp(int box) { ::KeyUp(state_, controls_, box); }

private:
    ExerciseState state_;
    PageControls controls_;
    SystemRandom random_;
    SystemClock clock_;
};

const char* pointerName(layout::Pointer pointer)
{
    static const char* names[] = {"arrow", "writing", "text", "pointing"};
    return names[static_cast<int>(pointer)];
}

val control(const std::string& name, const layout::Rect& rect, layout::Pointer pointer)
{
    val look = val::object();
    look.set("name", name);
    look.set("left", rect.left);
    look.set("top", rect.top);
    look.set("width", rect.width);
    look.set("height", rect.height);
    look.set("pointer", pointerName(pointer));
    return look;
}

// Every control with its place and look, back to front, for the page to build.
val layoutOfControls()
{
    std::map<std::string, val> looks;
    for (int k = 1; k <= kCellCount; ++k) {
        const layout::BoxLook box = layout::box(k);
        looks.emplace("Text" + std::to_string(k), control("Text" + std::to_string(k), box.rect, box.pointer));
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
        looks.emplace(name, look);
    }
    for (const layout::PictureLook& picture : layout::pictures()) {
        const std::string name = "Image" + std::to_string(picture.number);
        looks.emplace(name, control(name, picture.rect, layout::Pointer::Arrow));
    }
    val ordered = val::array();
    for (const std::string& name : layout::stackingBackToFront())
        ordered.call<void>("push", looks.at(name));
    return ordered;
}

// The row and column header labels of a box, and whether it adds.
val headersOf(int box)
{
    const Cell cell = cellAt(box);
    val headers = val::array();
    headers.call<void>("push", cell.rowHeaderLabel);
    headers.call<void>("push", cell.columnHeaderLabel);
    headers.call<void>("push", cell.table == Table::Addition);
    return headers;
}

} // namespace

EMSCRIPTEN_BINDINGS(vendaro)
{
    emscripten::class_<Drill>("Drill")
        .constructor<val>()
        .function("Form_Load", &Drill::Form_Load)
        .function("Label22_Click", &Drill::Label22_Click)
        .function("Label23_Click", &Drill::Label23_Click)
        .function("GotFocus", &Drill::GotFocus)
        .function("KeyPress", &Drill::KeyPress)
        .function("KeyUp", &Drill::KeyUp);
    emscripten::function("layout", &layoutOfControls);
    emscripten::function("headersOf", &headersOf);
    emscripten::constant("boxFontPixels", layout::kBoxFontPixels);
    emscripten::constant("boxText", layout::kBoxText);
    emscripten::constant("boxBackground", layout::kBoxBackground);
}
