// Writing and reading one attribute value by its kind.
#include "model/file_schema.h"

#include <string>

#include "model/layout_file.h"
#include "model/number_text.h"

namespace file_schema {

void AppendValue(std::string& out, std::string_view name, Kind kind, const void* value) {
  out += ' ';
  out += name;
  out += "=\"";
  switch (kind) {
    case Kind::Int:
    case Kind::Id:
    case Kind::Slot:
      AppendInt(out, *static_cast<const int*>(value));
      break;
    case Kind::Real:
      AppendFixed(out, *static_cast<const double*>(value), 4);
      break;
    case Kind::Channel:
      AppendInt(out, *static_cast<const std::uint8_t*>(value));
      break;
    case Kind::Flag:
    case Kind::FlagUnlessZero:
      out += *static_cast<const bool*>(value) ? '1' : '0';
      break;
    case Kind::Text:
      AppendEscaped(out, *static_cast<const std::string*>(value));
      break;
    case Kind::Color: {
      const Rgb& c = *static_cast<const Rgb*>(value);
      AppendInt(out, c.r * 65536 + c.g * 256 + c.b);
      break;
    }
  }
  out += '"';
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
        f.Fail(name, "is too large (at most " + std::to_string(kMaxObjectId) + ").");
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
      if (required || !raw.empty()) *static_cast<std::string*>(value) = FileLine::Text(raw);
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
