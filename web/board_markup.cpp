// Writes the board of the page from the layout tables, when the site is built:
//   board_markup style        the rules that place and dress every control
//   board_markup markup       the controls, from the back of the board to the front
//   board_markup characters   every character a caption can show, for the face to keep
// so that the browser lays the board out while the rest of the page arrives.
// A picture's drawing is left as <!--picture:name-->, for the site's assembly
// to put in.

#include "cells.h"
#include "form_layout.h"
#include "picture_files.h"
#include "spoken_names.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <string_view>
#include <vector>

using namespace vendaro;

namespace {

std::string px(int value) { return std::to_string(value) + "px"; }

std::string css(Rgb rgb)
{
    char hex[8];
    std::snprintf(hex, sizeof hex, "#%06x", static_cast<unsigned>(rgb));
    return hex;
}

// A control's rules, each a declaration such as "left:120px".
using Rules = std::vector<std::string>;

Rules place(const layout::Rect& rect)
{
    return {"left:" + px(rect.left), "top:" + px(rect.top), "width:" + px(rect.width), "height:" + px(rect.height)};
}

// The CSS pointer of a control, none for the board's own arrow: the drill's hands, with their hot spots.
std::string cursorOf(layout::Pointer pointer)
{
    const auto hand = [](layout::Picture picture, const char* fallback) {
        const layout::PictureFile& file = layout::pictureFile(picture);
        return std::string("url(") + file.name + ".svg) " + std::to_string(file.hotSpotX) + " " +
               std::to_string(file.hotSpotY) + "," + fallback;
    };
    switch (pointer) {
    case layout::Pointer::WritingHand:
        return hand(layout::Picture::WritingHand, "text");
    case layout::Pointer::PointingHand:
        return hand(layout::Picture::PointingHand, "pointer");
    case layout::Pointer::TextBeam:
        return "text";
    default:
        return {};
    }
}

std::string listed(const std::vector<std::string>& selectors, const std::string& prefix = "")
{
    std::string list;
    for (const std::string& selector : selectors)
        list += (list.empty() ? "" : ",") + prefix + selector;
    return list;
}

std::string joined(const std::string& rules, const std::string& rule)
{
    return rules.empty() ? rule : rules + ";" + rule;
}

// Every control's rules, written once each: the declarations that the same controls share are one rule.
void printRules(const std::vector<std::pair<std::string, Rules>>& controls)
{
    std::map<std::string, std::vector<std::string>> sharing; // each declaration and the controls that have it
    for (const auto& [selector, rules] : controls)
        for (const std::string& rule : rules)
            sharing[rule].push_back(selector);
    for (const auto& [selector, rules] : controls) {
        std::string own;
        for (const std::string& rule : rules)
            if (sharing.at(rule).size() == 1)
                own = joined(own, rule);
        if (!own.empty())
            std::printf("%s{%s}", selector.c_str(), own.c_str());
    }
    std::map<std::vector<std::string>, std::string> shared; // controls that share declarations, and those
    for (const auto& [rule, selectors] : sharing)
        if (selectors.size() > 1)
            shared[selectors] = joined(shared[selectors], rule);
    for (const auto& [selectors, rules] : shared)
        std::printf("%s{%s}", listed(selectors).c_str(), rules.c_str());
}

// A pointer holds only once a mouse has moved (the class "mouse"), so that no picture of a pointer is fetched
// or drawn before the drill is ready, nor ever on a touch screen.
void printPointers(const std::vector<std::pair<std::string, std::string>>& cursors)
{
    std::map<std::string, std::vector<std::string>> byCursor;
    for (const auto& [selector, cursor] : cursors)
        byCursor[cursor].push_back(selector);
    for (const auto& [cursor, selectors] : byCursor)
        std::printf("%s{cursor:%s}", listed(selectors, ".mouse ").c_str(), cursor.c_str());
}

// Text that goes between tags or inside quotes.
std::string escaped(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

void printStyle()
{
    std::printf("#board{width:%s;height:%s}", px(layout::kClientWidth).c_str(), px(layout::kClientHeight).c_str());
    // Each box holds a line of text at its top, under its frame, as on the desktop.
    std::printf(".box{font:700 %dpx Tahoma;color:%s;background:%s;padding:2px 2px 0;padding-bottom:calc(%s - 1lh)}",
                layout::kBoxFontPixels, css(layout::kBoxText).c_str(), css(layout::kBoxBackground).c_str(),
                px(layout::box(1).rect.height - 4).c_str());
    std::vector<std::pair<std::string, Rules>> controls;
    std::vector<std::pair<std::string, std::string>> cursors;
    const auto add = [&](const std::string& selector, Rules rules, layout::Pointer pointer) {
        controls.emplace_back(selector, std::move(rules));
        if (const std::string cursor = cursorOf(pointer); !cursor.empty())
            cursors.emplace_back(selector, cursor);
    };
    for (int k = 1; k <= kCellCount; ++k) {
        const layout::BoxLook box = layout::box(k);
        add("#Text" + std::to_string(k), place(box.rect), box.pointer);
    }
    // Transparent and left-aligned, as a label starts, need no rule.
    for (const layout::LabelLook& label : layout::labels()) {
        Rules rules = place(label.rect);
        rules.push_back("font-size:" + px(label.fontPixels));
        rules.push_back("color:" + css(label.textColour));
        if (label.background)
            rules.push_back("background:" + css(*label.background));
        if (label.alignment == layout::Align::Centre)
            rules.push_back("text-align:center");
        add("#Label" + std::to_string(label.number), rules, label.pointer);
    }
    for (const layout::PictureLook& picture : layout::pictures())
        add("#Image" + std::to_string(picture.number), place(picture.rect), layout::Pointer::Arrow);
    const layout::PictureFile& board = layout::pictureFile(layout::Picture::Board);
    add(".board", place({0, 0, board.width, board.height}), layout::Pointer::Arrow);
    printRules(controls);
    printPointers(cursors);
}

// A picture with its spoken name, or hidden from assistive technology when it has none.
std::string pictureElement(const std::string& attributes, layout::Picture picture, const std::string& spokenName)
{
    const std::string named =
        spokenName.empty() ? " aria-hidden=\"true\"" : " role=\"img\" aria-label=\"" + escaped(spokenName) + "\"";
    return "<div " + attributes + named + "><!--picture:" + layout::pictureFile(picture).name + "--></div>";
}

void printMarkup()
{
    std::map<std::string, std::string> controls;
    // Each box is named after its table until its headers are drawn, as a screen reader hears it.
    for (int k = 1; k <= kCellCount; ++k)
        controls["Text" + std::to_string(k)] = "<input id=\"Text" + std::to_string(k) +
                                               "\" class=\"box sunken\" aria-label=\"" + escaped(tableName(k)) + "\">";
    for (const layout::LabelLook& label : layout::labels()) {
        const std::string name = "Label" + std::to_string(label.number);
        const std::string spoken = spokenNameOfLabel(label.number);
        // The click areas are buttons to assistive technology, named by what they do.
        const std::string role = spoken.empty() ? "" : " role=\"button\" aria-label=\"" + escaped(spoken) + "\"";
        controls[name] = "<div id=\"" + name + "\" class=\"label" + (label.sunkenBorder ? " sunken" : "") + "\"" +
                         role + ">" + escaped(label.caption) + "</div>";
    }
    for (const layout::PictureLook& picture : layout::pictures()) {
        const std::string name = "Image" + std::to_string(picture.number);
        controls[name] = pictureElement("id=\"" + name + "\" class=\"picture\"", layout::pictureOfImage(picture.number),
                                        spokenNameOfImage(picture.number));
    }
    std::printf("%s", pictureElement("class=\"picture board\"", layout::Picture::Board, "").c_str());
    for (const std::string& name : layout::stackingBackToFront())
        std::printf("%s", controls.at(name).c_str());
}

// The labels' own captions, and the numbers the drill writes in them.
void printCharacters()
{
    std::string characters = "0123456789";
    for (const layout::LabelLook& label : layout::labels())
        characters += label.caption;
    std::sort(characters.begin(), characters.end());
    characters.erase(std::unique(characters.begin(), characters.end()), characters.end());
    std::printf("%s", characters.c_str());
}

} // namespace

int main(int argc, char** argv)
{
    const std::string_view what = argc > 1 ? argv[1] : "";
    if (what == "style")
        printStyle();
    else if (what == "markup")
        printMarkup();
    else if (what == "characters")
        printCharacters();
    else {
        std::fprintf(stderr, "usage: board_markup style|markup|characters\n");
        return 2;
    }
    return 0;
}
