// Numbers as they appear in files: written and read the same way in every locale.
#pragma once

#include <string>
#include <string_view>

// Plain decimal integer with a leading minus when negative.
void AppendInt(std::string& out, long long value);
// Fixed notation with exactly `decimals` digits after the point ("1200.0000").
// A value that is not finite is written as zero so that the text always reads back.
void AppendFixed(std::string& out, double value, int decimals);
std::string FixedText(double value, int decimals);

// The whole text must be the number: no blanks, no sign other than a leading minus,
// nothing after it, within range of the type, and finite.
bool ParseInt(std::string_view text, int& out);
bool ParseDouble(std::string_view text, double& out);
