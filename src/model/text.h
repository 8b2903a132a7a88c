// Typed text as the program takes it: names, numbers and lines lose the blanks around
// them.
#pragma once

#include <string>
#include <string_view>

// The text without the ASCII blanks at either end: space, tab, line feed, carriage
// return, form feed and vertical tab. Blanks inside stay.
std::string Trim(std::string_view text);
