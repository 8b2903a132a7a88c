// What the palette lists and how it previews: groups per system, scenery and signals,
// the system an opened layout calls for, the preview's scale.
#include <gtest/gtest.h>

#include "catalog/catalog.h"
#include "catalog/track_system.h"
#include "interact/palette_model.h"
#include "layout_builder.h"

namespace {

std::vector<std::string> Headers(const std::vector<PaletteRow>& rows) {
  std::vector<std::string> out;
  for (const PaletteRow& r : rows)
    if (r.id.empty()) out.push_back(r.text);
  return out;
}

TEST(PaletteModel, TrackGroupsPerSystem) {
  const auto c = TrackRows(0);
  EXPECT_EQ(Headers(c), (std::vector<std::string>{"--- Straights", "--- Curves", "--- Switches",
                                                  "--- Crossings", "--- Double Slip Switches",
                                                  "--- Slim Switches", "--- Circuit Tracks",
                                                  "--- Other", "--- Bridges", "--- Helix"}));
  EXPECT_EQ(c[1].text, "24064 - 64mm");
  EXPECT_EQ(
      std::count_if(c.begin(), c.end(), [](auto& r) { return r.id.rfind("@helix:", 0) == 0; }), 10);
  EXPECT_EQ(TrackRows(1)[1].id, "2200");
  EXPECT_EQ(TrackRows(3)[1].id, "8500");
  EXPECT_TRUE(TrackRows(4).empty());
  EXPECT_TRUE(TrackRows(-1).empty());
  // Every listed article exists: no row is silently dropped.
  std::size_t pieces = 0;
  for (int s = 0; s < 4; ++s)
    for (const PaletteRow& r : TrackRows(s))
      if (!r.id.empty() && r.id[0] != '@') {
        ++pieces;
        EXPECT_NE(Catalog::instance().find(r.id), nullptr);
      }
  EXPECT_EQ(pieces, 50u + 51u + 32u + 34u);  // every article of the group tables
}

TEST(PaletteModel, SceneryAndSignalRows) {
  const auto scenery = SceneryRows();
  EXPECT_EQ(scenery[1].item->id, "platform");
  // A header each time the category changes, in catalog order.
  std::vector<std::string> headers;
  for (const SceneryRow& r : scenery)
    if (!r.item) headers.push_back(r.text);
  EXPECT_EQ(headers, (std::vector<std::string>{"--- Platforms", "--- Stations", "--- Bridges",
                                               "--- Other", "--- Nature"}));
  EXPECT_EQ(scenery.back().item->id, "bush");

  const auto c = SignalRows(0);
  ASSERT_EQ(c.size(), 6u);
  EXPECT_EQ(c[0].text, "--- Semaphore");
  EXPECT_EQ(c[3].text, "--- Color light");
  EXPECT_FALSE(c[1].item->z_scale);
  const auto z = SignalRows(3);
  ASSERT_EQ(z.size(), 6u);
  EXPECT_TRUE(z[1].item->z_scale);
}

TEST(PaletteModel, SystemForAnOpenedLayout) {
  auto with = [](std::vector<std::string> cats) {
    Layout l;
    for (auto& c : cats) AddPiece(l, c);
    return ChooserIndexForLayout(l);
  };
  EXPECT_EQ(with({}), 0);
  EXPECT_EQ(with({"62188", "2200"}), 1);  // K before TRIX
  EXPECT_EQ(with({"62188", "8500"}), 2);
  EXPECT_EQ(with({"8500", "unknown"}), 3);
  EXPECT_EQ(with({"8500", "24188"}), 0);
  EXPECT_EQ(SystemOfChooserIndex(2), TrixC);
}

// A piece is centred in the 80 x 55 popup, a long one fits its width, a short one is
// not blown up beyond three times.
TEST(PaletteModel, PreviewScale) {
  const Catalog& c = Catalog::instance();
  const ViewTransform v = PreviewTransform(*c.find("24188"));
  EXPECT_NEAR(ToDevice(v, 188.3 / 2, 0).x, 40, 1);
  EXPECT_EQ(ToDevice(v, 0, 0).y, 30);
  EXPECT_LT(ToDevice(PreviewTransform(*c.find("24360")), 360, 0).x, 80);
  EXPECT_LE(PreviewTransform(*c.find("8504")).zoom, 3.0);
}

}  // namespace
