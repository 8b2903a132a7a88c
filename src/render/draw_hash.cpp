// An FNV-style hash over the drawn fields, one value at a time, in a fixed order.
#include "render/draw_hash.h"

#include <cstring>
#include <string>
#include <type_traits>

namespace {

class Hasher {
 public:
  template <typename T>
  Hasher& operator<<(const T& v) {
    static_assert(std::is_arithmetic_v<T> && sizeof(T) <= 8);
    std::uint64_t word = 0;
    std::memcpy(&word, &v, sizeof(T));
    Mix(word);
    return *this;
  }
  Hasher& operator<<(const std::string& s) {
    *this << s.size();
    for (unsigned char c : s) Mix(c);
    return *this;
  }
  Hasher& operator<<(const Point& p) { return *this << p.x << p.y; }
  template <typename T>
  Hasher& operator<<(const std::vector<T>& v) {
    *this << v.size();
    for (const T& e : v) *this << e;
    return *this;
  }
  std::uint64_t value() const { return h_; }

 private:
  // One multiply per value: the fingerprint only has to notice changes, not resist attacks.
  void Mix(std::uint64_t v) {
    h_ ^= v;
    h_ *= 0x100000001b3ull;
    h_ ^= h_ >> 29;
  }
  std::uint64_t h_ = 0xcbf29ce484222325ull;
};

Hasher& operator<<(Hasher& h, const Joint& j) {
  return h << j.target << j.tconn;
}

Hasher& operator<<(Hasher& h, const PlacedPiece& p) {
  h << p.id << p.cat << p.x << p.y << p.heading << p.sel << p.z << p.grade << p.rev << p.has_color
    << p.color.r << p.color.g << p.color.b << p.level << p.helix << p.free;
  return h << p.joints;
}

Hasher& operator<<(Hasher& h, const SceneryItem& s) {
  return h << s.id << s.item << s.x << s.y << s.heading << s.sel << s.scalex << s.scaley << s.level;
}

Hasher& operator<<(Hasher& h, const LayoutLabel& l) {
  return h << l.id << l.text << l.x << l.y << l.sel;
}

Hasher& operator<<(Hasher& h, const LayoutShape& s) {
  return h << s.id << s.vertices << s.r << s.g << s.b << s.a << s.outline << s.level << s.height
           << s.label << s.sel;
}

Hasher& operator<<(Hasher& h, const Measurement& m) {
  return h << m.id << m.start << m.end << m.label_offset << m.sel;
}

Hasher& operator<<(Hasher& h, const Tunnel& t) {
  return h << t.id << t.portalA << t.portalB << t.anchorA << t.anchorB << t.covers;
}

Hasher& operator<<(Hasher& h, const Helix& x) {
  return h << x.id << x.cx << x.cy << x.heading << x.variant << x.bottomR1 << x.bottomR2 << x.topR1
           << x.topR2;
}

Hasher& operator<<(Hasher& h, const Level& l) {
  return h << l.id << l.name << l.visible << l.height << l.trackcolor << l.r << l.g << l.b
           << l.outline;
}

Hasher& operator<<(Hasher& h, const GradeRun& r) {
  return h << r.deg << r.anchor << r.conn;
}

}  // namespace

std::uint64_t LayoutDrawHash(const Layout& l, const DrawSwitches& show, const ViewTransform& v,
                             int width, int height) {
  Hasher h;
  h << v.zoom << v.offset_x << v.offset_y << width << height;
  h << l.pieces << l.scenery << l.labels << l.measures << l.shapes << l.tunnels << l.helices
    << l.levels;
  h << l.baseboard << show.baseboard << show.grid << show.labels << l.units << l.grade_runs;
  return h.value();
}
