// Marks a text for the translation catalog without translating it. The catalog's tables
// of names and groups use it; the window translates the texts where it shows them
// (model/translate.h has Tr() for that).
#pragma once

constexpr const char* TrMark(const char* text) {
  return text;
}
