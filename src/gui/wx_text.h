// The one pair of helpers that turns the core's UTF-8 text into wxString and back.
#pragma once

#include <wx/string.h>

#include <string>

inline wxString ToWx(const std::string& s) {
  return wxString::FromUTF8(s.data(), s.size());
}
inline std::string FromWx(const wxString& s) {
  const wxScopedCharBuffer b = s.utf8_str();
  return std::string(b.data(), b.length());
}
