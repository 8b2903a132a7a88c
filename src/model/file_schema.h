// The elements of the layout and block files as tables: each attribute once, in the
// order it is written, with the member that holds it, how its value is written and read
// and whether it may be left out. The writer, the layout reader and the block reader
// all walk these tables. A left-out attribute keeps the value the member already has,
// which for a fresh object is the default its struct gives it.
//
// A new attribute is one row here (and the member in layout.h); a new element is a
// table here, its lines in the writer and its marker in each reader that keeps it.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

#include "model/file_line.h"
#include "model/layout.h"
#include "model/number_text.h"

namespace file_schema {

enum class Kind : std::uint8_t {
  Int,             // decimal integer
  Id,              // object id: in a layout file at most kMaxObjectId
  Slot,            // a joint's connector slot, 0 to kMaxJointSlot
  Real,            // fixed, four decimals; a value that is not finite is written as 0
  Channel,         // colour channel; a read value is held to 0..255
  Flag,            // "1" or "0"; reads true only for "1"
  FlagUnlessZero,  // "1" or "0"; reads false only for "0"
  Text,            // escaped text
  Color,           // 0xRRGGBB as a decimal, kept only with its presence flag
};

// How an attribute is used; the bits combine.
enum Use : unsigned {
  kRequired = 1,       // a number must be there; a missing text reads as ""
  kNotDefault = 2,     // written only when it differs from the struct's default
  kBlock = 4,          // a library block keeps it too
  kBlockOptional = 8,  // ... and there it may be left out
  kUnread = 16,        // written, never read
};

// Where a line comes from: a library block reads only the kBlock attributes and does
// not hold ids to the layout's limit (its pieces get fresh ids when placed).
enum class Source : std::uint8_t { Layout, Block };

template <class T>
struct Attr {
  std::string_view name;
  Kind kind;
  unsigned use;
  const void* (*at)(const T&);        // the member
  const bool* (*has)(const T&) = {};  // Color only: the member saying it is set
};

inline constexpr std::size_t kMaxAttrs = 16;

template <class T>
struct Element {
  template <std::size_t N>
  constexpr Element(std::string_view n, const Attr<T> (&a)[N]) : name(n), attrs(a) {
    static_assert(N <= kMaxAttrs);
  }
  std::string_view name;
  std::span<const Attr<T>> attrs;
};

// The C++ type each kind is held in.
template <Kind K>
struct Held {
  using type = std::conditional_t<
      K == Kind::Real, double,
      std::conditional_t<
          K == Kind::Channel, std::uint8_t,
          std::conditional_t<K == Kind::Flag || K == Kind::FlagUnlessZero, bool,
                             std::conditional_t<K == Kind::Text, std::string,
                                                std::conditional_t<K == Kind::Color, Rgb, int>>>>>;
};

template <class M>
struct MemberOf;
template <class C, class V>
struct MemberOf<V C::*> {
  using Class = C;
  using Value = V;
};
template <auto M>
using ClassOf = typename MemberOf<decltype(M)>::Class;

template <auto M>
const void* MemberAt(const ClassOf<M>& o) {
  return &(o.*M);
}
template <auto M, auto N>
const void* NestedAt(const ClassOf<M>& o) {
  return &((o.*M).*N);
}
template <auto M>
const bool* FlagAt(const ClassOf<M>& o) {
  return &(o.*M);
}

// A row for member M (checked to be of the kind's type).
template <Kind K, auto M>
constexpr Attr<ClassOf<M>> A(std::string_view name, unsigned use = 0) {
  static_assert(std::is_same_v<typename MemberOf<decltype(M)>::Value, typename Held<K>::type>);
  return {name, K, use, &MemberAt<M>};
}
// A row for member N of member M ("x1" is the x of a measurement's start).
template <Kind K, auto M, auto N>
constexpr Attr<ClassOf<M>> A(std::string_view name, unsigned use = 0) {
  static_assert(std::is_same_v<typename MemberOf<decltype(N)>::Value, typename Held<K>::type>);
  return {name, K, use, &NestedAt<M, N>};
}
// A colour written only while the flag member H says it is set.
template <auto M, auto H>
constexpr Attr<ClassOf<M>> ColorIf(std::string_view name) {
  static_assert(std::is_same_v<typename MemberOf<decltype(M)>::Value, Rgb>);
  return {name, Kind::Color, 0, &MemberAt<M>, &FlagAt<H>};
}

// The <layout> element's own attributes.
struct LayoutHead {
  std::string name;
  int version = 1;
  int units = 0;
};
// A <joint> line: slot `conn` of the piece joins connector `tconn` of piece `target`.
struct JointLine {
  int conn = 0;
  int target = -1;
  int tconn = -1;
};
// A <covers> line of a tunnel.
struct CoveredPiece {
  int piece = -1;
};
// The <levels> element's attribute.
struct LevelsHead {
  int active = 1;
};

using enum Kind;

inline constexpr Attr<LayoutHead> kLayoutAttrs[] = {
    A<Text, &LayoutHead::name>("name", kRequired),
    A<Int, &LayoutHead::version>("version", kUnread),
    A<Int, &LayoutHead::units>("units"),
};

// A library block's head: its name and the version, no units.
inline constexpr Attr<LayoutHead> kBlockHeadAttrs[] = {
    A<Text, &LayoutHead::name>("name", kRequired | kBlock),
    A<Int, &LayoutHead::version>("version", kUnread),
};

inline constexpr Attr<GradeRun> kRunAttrs[] = {
    A<Real, &GradeRun::deg>("deg", kRequired),
    A<Int, &GradeRun::anchor>("anchor", kRequired),
    A<Int, &GradeRun::conn>("conn", kRequired),
};

inline constexpr Attr<PlacedPiece> kPieceAttrs[] = {
    A<Id, &PlacedPiece::id>("id", kRequired | kBlock),
    A<Text, &PlacedPiece::cat>("cat", kRequired | kBlock),
    A<Real, &PlacedPiece::x>("x", kRequired | kBlock),
    A<Real, &PlacedPiece::y>("y", kRequired | kBlock),
    A<Real, &PlacedPiece::heading>("heading", kRequired | kBlock | kBlockOptional),
    A<Real, &PlacedPiece::z>("z"),
    A<Real, &PlacedPiece::grade>("grade"),
    A<Flag, &PlacedPiece::rev>("rev", kNotDefault),
    // A turntable's free spoke extensions stay free when placed from a block.
    A<Flag, &PlacedPiece::free>("free", kNotDefault | kBlock),
    A<Int, &PlacedPiece::level>("level"),
    A<Int, &PlacedPiece::helix>("helix", kNotDefault),
    A<Flag, &PlacedPiece::sel>("sel"),
    ColorIf<&PlacedPiece::color, &PlacedPiece::has_color>("color"),
};

inline constexpr Attr<JointLine> kJointAttrs[] = {
    A<Slot, &JointLine::conn>("conn", kRequired | kBlock),
    A<Int, &JointLine::target>("target", kRequired | kBlock),
    A<Int, &JointLine::tconn>("tconn", kRequired | kBlock),
};

inline constexpr Attr<SceneryItem> kSceneryItemAttrs[] = {
    A<Id, &SceneryItem::id>("id", kRequired | kBlock),
    A<Text, &SceneryItem::item>("item", kRequired | kBlock),
    A<Real, &SceneryItem::x>("x", kRequired | kBlock),
    A<Real, &SceneryItem::y>("y", kRequired | kBlock),
    A<Real, &SceneryItem::heading>("heading", kRequired | kBlock | kBlockOptional),
    A<Real, &SceneryItem::scalex>("scalex", kBlock),
    A<Real, &SceneryItem::scaley>("scaley", kBlock),
    A<Int, &SceneryItem::level>("level", kBlock),
    A<Flag, &SceneryItem::sel>("sel"),
};

inline constexpr Attr<LevelsHead> kLevelsAttrs[] = {
    A<Int, &LevelsHead::active>("active"),
};

inline constexpr Attr<Level> kLevelAttrs[] = {
    A<Int, &Level::id>("id", kRequired),
    A<Text, &Level::name>("name", kRequired),
    A<FlagUnlessZero, &Level::visible>("visible"),
    A<Real, &Level::height>("height"),
    A<Flag, &Level::trackcolor>("trackcolor"),
    A<Channel, &Level::r>("r"),
    A<Channel, &Level::g>("g"),
    A<Channel, &Level::b>("b"),
};

// The points of outlines, baseboards and shapes.
inline constexpr Attr<Point> kPointAttrs[] = {
    A<Real, &Point::x>("x", kRequired),
    A<Real, &Point::y>("y", kRequired),
};

inline constexpr Attr<LastShape> kLastShapeAttrs[] = {
    A<Int, &LastShape::id>("id"),        A<Real, &LastShape::w_mm>("w_mm"),
    A<Real, &LastShape::h_mm>("h_mm"),   A<Real, &LastShape::w2_mm>("w2_mm"),
    A<Real, &LastShape::h2_mm>("h2_mm"),
};

inline constexpr Attr<LayoutLabel> kLabelAttrs[] = {
    A<Id, &LayoutLabel::id>("id", kRequired),
    A<Real, &LayoutLabel::x>("x", kRequired),
    A<Real, &LayoutLabel::y>("y", kRequired),
    A<Text, &LayoutLabel::text>("text", kRequired),
};

inline constexpr Attr<Measurement> kMeasureAttrs[] = {
    A<Id, &Measurement::id>("id", kRequired),
    A<Real, &Measurement::start, &Point::x>("x1", kRequired),
    A<Real, &Measurement::start, &Point::y>("y1", kRequired),
    A<Real, &Measurement::end, &Point::x>("x2", kRequired),
    A<Real, &Measurement::end, &Point::y>("y2", kRequired),
    A<Real, &Measurement::label_offset, &Point::x>("label_dx"),
    A<Real, &Measurement::label_offset, &Point::y>("label_dy"),
};

inline constexpr Attr<LayoutShape> kShapeAttrs[] = {
    A<Id, &LayoutShape::id>("id", kRequired),
    A<Channel, &LayoutShape::r>("r"),
    A<Channel, &LayoutShape::g>("g"),
    A<Channel, &LayoutShape::b>("b"),
    A<Channel, &LayoutShape::a>("a"),
    A<Flag, &LayoutShape::outline>("outline"),
    A<Int, &LayoutShape::level>("level"),
    A<Real, &LayoutShape::height>("height"),
    A<Text, &LayoutShape::label>("label", kRequired),
};

inline constexpr Attr<Tunnel> kTunnelAttrs[] = {
    A<Id, &Tunnel::id>("id", kRequired),
    A<Int, &Tunnel::portalA>("portalA", kRequired),
    A<Int, &Tunnel::portalB>("portalB", kRequired),
    A<Int, &Tunnel::anchorA>("anchorA"),
    A<Int, &Tunnel::anchorB>("anchorB"),
};

inline constexpr Attr<CoveredPiece> kCoversAttrs[] = {
    A<Int, &CoveredPiece::piece>("piece", kRequired),
};

inline constexpr Attr<Helix> kHelixAttrs[] = {
    A<Id, &Helix::id>("id", kRequired),
    A<Real, &Helix::cx>("cx", kRequired),
    A<Real, &Helix::cy>("cy", kRequired),
    A<Real, &Helix::heading>("heading", kRequired),
    A<Text, &Helix::variant>("variant"),  // left out: the default helix
    A<Int, &Helix::bottomR1>("bottomR1", kRequired),
    A<Int, &Helix::bottomR2>("bottomR2", kRequired),
    A<Int, &Helix::topR1>("topR1", kRequired),
    A<Int, &Helix::topR2>("topR2", kRequired),
};

// The picture under the plan; its path is kept relative to the layout file.
inline constexpr Attr<BackgroundImage> kBackgroundAttrs[] = {
    A<Text, &BackgroundImage::path>("path", kRequired),
    A<Real, &BackgroundImage::x>("x"),
    A<Real, &BackgroundImage::y>("y"),
    A<Real, &BackgroundImage::mm_per_px>("scale"),
    A<Real, &BackgroundImage::opacity>("opacity"),
    A<Flag, &BackgroundImage::locked>("locked"),
    A<Flag, &BackgroundImage::print>("print"),
};

inline constexpr Element<LayoutHead> kLayout{"layout", kLayoutAttrs};
inline constexpr Element<LayoutHead> kBlockHead{"block", kBlockHeadAttrs};
inline constexpr Element<GradeRun> kRun{"run", kRunAttrs};
inline constexpr Element<PlacedPiece> kPiece{"piece", kPieceAttrs};
inline constexpr Element<JointLine> kJoint{"joint", kJointAttrs};
inline constexpr Element<SceneryItem> kSceneryItem{"sceneryitem", kSceneryItemAttrs};
inline constexpr Element<LevelsHead> kLevels{"levels", kLevelsAttrs};
inline constexpr Element<Level> kLevel{"level", kLevelAttrs};
inline constexpr Element<Point> kOutlinePoint{"pt", kPointAttrs};
inline constexpr Element<Point> kBoardVertex{"vertex", kPointAttrs};
inline constexpr Element<Point> kShapeVertex{"v", kPointAttrs};
inline constexpr Element<LastShape> kLastShape{"lastshape", kLastShapeAttrs};
inline constexpr Element<LayoutLabel> kLabel{"label", kLabelAttrs};
inline constexpr Element<Measurement> kMeasure{"measure", kMeasureAttrs};
inline constexpr Element<LayoutShape> kShape{"shape", kShapeAttrs};
inline constexpr Element<Tunnel> kTunnel{"tunnel", kTunnelAttrs};
inline constexpr Element<CoveredPiece> kCovers{"covers", kCoversAttrs};
inline constexpr Element<Helix> kHelix{"helix", kHelixAttrs};
inline constexpr Element<BackgroundImage> kBackground{"background", kBackgroundAttrs};

// The value of one attribute, by kind.
void AppendValue(std::string& out, std::string_view name, Kind kind, const void* value);
bool SameValue(Kind kind, const void* a, const void* b);
// Reads `raw`, the value of attribute `name` as written ("" when it is missing).
void ReadValue(FileLine& f, std::string_view name, std::string_view raw, Kind kind, unsigned use,
               Source source, void* value, bool* has);

// Appends "<name" and the attributes, indented by `depth`; the caller ends the tag.
template <class T>
void AppendOpen(std::string& out, int depth, const Element<T>& e, const T& obj) {
  static const T kDefault{};
  out.append(static_cast<std::size_t>(2 * depth), ' ');
  out += '<';
  out += e.name;
  for (const Attr<T>& a : e.attrs) {
    if (a.has && !*a.has(obj)) continue;
    const void* v = a.at(obj);
    if ((a.use & kNotDefault) && SameValue(a.kind, v, a.at(kDefault))) continue;
    AppendValue(out, a.name, a.kind, v);
  }
}

// Attribute names are a few bytes: a plain loop beats a call of memcmp.
inline bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i]) return false;
  return true;
}

// Reads the line's attributes into `obj` in table order; the first fault is kept in the
// FileLine's error text. One pass over the line picks each attribute's first value. In a
// file this program wrote they come in table order, each right after the last one's
// closing quote: that is tried first, and the line is searched only when it fails.
template <class T>
void ReadAttrs(FileLine& f, const Element<T>& e, T& obj, Source source = Source::Layout) {
  const std::size_t rows = e.attrs.size();
  // Filled only where `seen` is set: clearing all the rows would cost more than a short line.
  struct Raw {
    const char* text;
    std::size_t size;
  } raw[kMaxAttrs];
  bool seen[kMaxAttrs] = {};
  std::size_t next = 0;  // the row expected next
  std::size_t left = rows;
  const std::string_view line = f.line();
  std::string_view value;
  // The indent and "<name" hold no attribute: the scan starts after them.
  std::size_t pos = line.find_first_not_of(' ');
  if (pos == std::string_view::npos || line[pos] != '<' ||
      !SameName(line.substr(pos + 1, e.name.size()), e.name))
    pos = 0;
  else
    pos += 1 + e.name.size();
  for (;;) {
    std::size_t r = next;
    const std::string_view want = r < rows ? e.attrs[r].name : std::string_view{};
    const std::size_t start = pos + want.size() + 3;  // past ` name="`
    if (r < rows && start <= line.size() && line[pos] == ' ' && line[start - 2] == '=' &&
        line[start - 1] == '"' && SameName(line.substr(pos + 1, want.size()), want)) {
      pos = ValueAt(line, start, value);
    } else {
      std::string_view name;
      if ((pos = NextAttribute(line, pos, name, value)) == std::string_view::npos) break;
      r = 0;  // names are unique in a table
      while (r < rows && !SameName(e.attrs[r].name, name)) ++r;
      if (r == rows) continue;  // not ours: skipped
    }
    next = r + 1;
    if (seen[r]) continue;  // the first value counts
    seen[r] = true;
    raw[r] = {value.data(), value.size()};
    if (--left == 0) break;
  }
  for (std::size_t r = 0; r < rows; ++r) {
    const Attr<T>& a = e.attrs[r];
    if ((a.use & kUnread) || (source == Source::Block && !(a.use & kBlock))) continue;
    const std::string_view v =
        seen[r] ? std::string_view(raw[r].text, raw[r].size) : std::string_view{};
    void* const at = const_cast<void*>(a.at(obj));
    // Well-formed numbers are stored here; anything else takes ReadValue's checks.
    if (a.kind == Kind::Real && ParsePlainDecimal(v, *static_cast<double*>(at))) continue;
    if (a.kind == Kind::Int && ParseShortInt(v, *static_cast<int*>(at))) continue;
    ReadValue(f, a.name, v, a.kind, a.use, source, at,
              a.has ? const_cast<bool*>(a.has(obj)) : nullptr);
  }
}

}  // namespace file_schema
