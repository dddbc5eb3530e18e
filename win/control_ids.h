#pragma once

#include "form_layout.h"

#include <string_view>

// The window's 76 controls by their ids, and their places: Text1..Text40 are 1..40, Label1..Label31
// 101..131 and Image1..Image5 201..205, so that a control's id tells its kind
// and its number.
namespace control_ids {

enum class Kind { Box, Label, Image };

constexpr int kLabelBase = 100;
constexpr int kImageBase = 200;

constexpr int ofBox(int number) { return number; }
constexpr int ofLabel(int number) { return kLabelBase + number; }
constexpr int ofImage(int number) { return kImageBase + number; }

constexpr Kind kindOf(int id) { return id > kImageBase ? Kind::Image : id > kLabelBase ? Kind::Label : Kind::Box; }
constexpr int numberOf(int id) { return id > kImageBase ? id - kImageBase : id > kLabelBase ? id - kLabelBase : id; }

// The id of a control named as the layout names it: "Text7", "Label22", "Image1".
int ofName(std::string_view name);

// Where a control stands at 96 dpi, and how Label<number> looks, by the layout.
vendaro::layout::Rect placeOf(int id);
const vendaro::layout::LabelLook& labelLook(int number);

} // namespace control_ids
