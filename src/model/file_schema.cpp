// Writing and reading one attribute value by its kind.
#include "model/file_schema.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "model/layout_file.h"
#include "model/number_text.h"
#include "model/translate.h"

namespace file_schema {

void AppendValue(std::string& out, std::string_view name, Kind kind, const void* value) {
  // Built in a buffer and appended once: a few appends of a few bytes each cost more than
  // the number itself. The widest value is a fixed double: 309 digits, sign, point, four.
  char buf[400];
  char* p = buf;
  if (name.size() > 64) {  // no table has such a name; kept safe all the same
    out += ' ';
    out += name;
    out += "=\"";
  } else {
    *p++ = ' ';
    p = std::copy(name.begin(), name.end(), p);
    *p++ = '=';
    *p++ = '"';
  }
  char* const end = buf + sizeof buf - 1;  // room for the closing quote
  switch (kind) {
    case Kind::Int:
    case Kind::Id:
    case Kind::Slot:
      p = std::to_chars(p, end, *static_cast<const int*>(value)).ptr;
      break;
    case Kind::Real: {
      double v = *static_cast<const double*>(value);
      if (!std::isfinite(v)) v = 0.0;  // the text must always read back
      p = std::to_chars(p, end, v, std::chars_format::fixed, 4).ptr;
      break;
    }
    case Kind::Channel:
      p = std::to_chars(p, end, int{*static_cast<const std::uint8_t*>(value)}).ptr;
      break;
    case Kind::Flag:
    case Kind::FlagUnlessZero:
      *p++ = *static_cast<const bool*>(value) ? '1' : '0';
      break;
    case Kind::Text:
      out.append(buf, p);
      AppendEscaped(out, *static_cast<const std::string*>(value));
      out += '"';
      return;
    case Kind::Color: {
      const Rgb& c = *static_cast<const Rgb*>(value);
      p = std::to_chars(p, end, c.r * 65536 + c.g * 256 + c.b).ptr;
      break;
    }
  }
  *p++ = '"';
  out.append(buf, p);
}

bool SameValue(Kind kind, const void* a, const void* b) {
  switch (kind) {
    case Kind::Int:
    case Kind::Id:
    case Kind::Slot:
      return *static_cast<const int*>(a) == *static_cast<const int*>(b);
    case Kind::Real:
      return *static_cast<const double*>(a) == *static_cast<const double*>(b);
    case Kind::Channel:
      return *static_cast<const std::uint8_t*>(a) == *static_cast<const std::uint8_t*>(b);
    case Kind::Flag:
    case Kind::FlagUnlessZero:
      return *static_cast<const bool*>(a) == *static_cast<const bool*>(b);
    case Kind::Text:
      return *static_cast<const std::string*>(a) == *static_cast<const std::string*>(b);
    case Kind::Color:
      return *static_cast<const Rgb*>(a) == *static_cast<const Rgb*>(b);
  }
  return false;
}

void ReadValue(FileLine& f, std::string_view name, std::string_view raw, Kind kind, unsigned use,
               Source source, void* value, bool* has) {
  // A well-formed id or slot in range is stored at once; anything else takes the checks
  // below.
  if (kind == Kind::Id || kind == Kind::Slot) {
    int v = 0;
    if (ParseInt(raw, v) && v >= 0 && v <= (kind == Kind::Slot ? kMaxJointSlot : kMaxObjectId)) {
      *static_cast<int*>(value) = v;
      return;
    }
  }
  const bool required = (use & kRequired) && !(source == Source::Block && (use & kBlockOptional));
  switch (kind) {
    case Kind::Int: {
      int& v = *static_cast<int*>(value);
      v = required ? f.Int(name, raw) : f.Int(name, raw, v);
      return;
    }
    case Kind::Id: {
      int& v = *static_cast<int*>(value);
      v = f.Int(name, raw);
      // Larger ids could make the id counter overflow; a block's pieces get fresh ids.
      if (source == Source::Layout && v > kMaxObjectId)
        f.Fail(name, Subst(Tr("is too large (at most %1)."), {std::to_string(kMaxObjectId)}));
      return;
    }
    case Kind::Slot:
      *static_cast<int*>(value) = f.IntIn(name, raw, 0, kMaxJointSlot);
      return;
    case Kind::Real: {
      double& v = *static_cast<double*>(value);
      v = required ? f.Real(name, raw) : f.Real(name, raw, v);
      return;
    }
    case Kind::Channel: {
      std::uint8_t& v = *static_cast<std::uint8_t*>(value);
      v = f.Channel(name, raw, v);
      return;
    }
    case Kind::Flag:
    case Kind::FlagUnlessZero:
      if (!raw.empty()) *static_cast<bool*>(value) = kind == Kind::Flag ? raw == "1" : raw != "0";
      return;
    case Kind::Text:
      if (required || !raw.empty()) {
        std::string& text = *static_cast<std::string*>(value);
        if (raw.find('&') == std::string_view::npos)
          text.assign(raw);  // reuses the string's room
        else
          text = DecodeEntities(raw);
      }
      return;
    case Kind::Color:
      if (!raw.empty()) {
        const int c = f.Int(name, raw, 0);
        *static_cast<Rgb*>(value) = {static_cast<std::uint8_t>((c >> 16) & 255),
                                     static_cast<std::uint8_t>((c >> 8) & 255),
                                     static_cast<std::uint8_t>(c & 255)};
        *has = true;
      }
      return;
  }
}

}  // namespace file_schema
