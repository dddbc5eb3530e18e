#include "control_ids.h"

#include <charconv>
#include <vector>

namespace control_ids {

int ofName(std::string_view name)
{
    const auto digits = name.find_first_of("0123456789");
    int number = 0;
    std::from_chars(name.data() + digits, name.data() + name.size(), number);
    const std::string_view kind = name.substr(0, digits);
    return kind == "Text" ? ofBox(number) : kind == "Label" ? ofLabel(number) : ofImage(number);
}

const vendaro::layout::LabelLook& labelLook(int number)
{
    static const std::vector<vendaro::layout::LabelLook> looks = vendaro::layout::labels();
    return looks.at(static_cast<std::size_t>(number - 1));
}

vendaro::layout::Rect placeOf(int id)
{
    static const std::vector<vendaro::layout::PictureLook> pictures = vendaro::layout::pictures();
    const int number = numberOf(id);
    switch (kindOf(id)) {
    case Kind::Label:
        return labelLook(number).rect;
    case Kind::Image:
        return pictures.at(static_cast<std::size_t>(number - 1)).rect;
    default:
        return vendaro::layout::box(number).rect;
    }
}

} // namespace control_ids
