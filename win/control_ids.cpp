#include "control_ids.h"

#include <charconv>

namespace control_ids {

int ofName(std::string_view name)
{
    const auto digits = name.find_first_of("0123456789");
    int number = 0;
    std::from_chars(name.data() + digits, name.data() + name.size(), number);
    const std::string_view kind = name.substr(0, digits);
    return kind == "Text" ? ofBox(number) : kind == "Label" ? ofLabel(number) : ofImage(number);
}

} // namespace control_ids
