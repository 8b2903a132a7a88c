// The piece tally, the store cart and Buy Track's messages, and the parts-list files.
#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "catalog/catalog.h"
#include "catalog/helix_catalog.h"
#include "fake_prompter.h"
#include "interact/buy_track.h"
#include "layout_builder.h"
#include "model/layout_file.h"
#include "model/layout_ops.h"
#include "parts/cart.h"
#include "parts/parts_list.h"
#include "parts/store_variants.h"
#include "parts/tally.h"
#include "temp_dir.h"

namespace {

const std::filesystem::path kData = VANTREL_TEST_DATA;
const std::string kCart = "https://shop.example.com/cart/";

void Add(Layout& l, const std::string& cat, int times = 1, bool free = false) {
  for (int i = 0; i < times; ++i) Piece(l, AddPiece(l, cat)).free = free;
}

void AddScenery(Layout& l, const std::string& item) {
  l.scenery.push_back({.id = TakeId(l), .item = item});
}

void AddHelix(Layout& l, const std::string& variant) {
  l.helices.push_back({.id = TakeId(l), .variant = variant});
}

// 24188 x2 and one free, 24230, 7263, five 74871, 24630, 24720, 24624.
Layout Acceptance() {
  Layout l;
  EXPECT_EQ(LoadLayout(l, kData / "parts_acceptance.vtl").error, "");
  return l;
}

std::string Variant(const std::string& article) {
  return *FindStoreVariant(article);
}

TEST(Tally, CountsFreePiecesBridgeDecksTurntablePacksSceneryAndUnknownArticles) {
  Layout l;
  Add(l, "24188", 2);
  Add(l, "24188", 1, true);
  Add(l, "7263", 1, true);  // a free bridge brings no deck either
  Add(l, "74618");
  Add(l, "62636");
  Add(l, "74871", 5);
  Add(l, "99999");
  AddScenery(l, "72886");
  AddScenery(l, "signal_color_stop");
  AddScenery(l, "signal_color_stop");
  AddScenery(l, "tree_conifer");  // the store does not sell it
  const ArticleCounts expected = {
      {"24172", 1}, {"24188", 3}, {"62172", 1}, {"62188", 1}, {"62636", 1},
      {"72886", 1}, {"74618", 1}, {"74871", 2}, {"99999", 1}, {"signal_color_stop", 2}};
  EXPECT_EQ(ComputeTally(l).counts, expected);

  for (int decks : {1, 2, 3, 4, 6, 7}) {
    Layout t;
    Add(t, "74871", decks);
    EXPECT_EQ(ComputeTally(t).counts.at("74871"), (decks + 2) / 3) << decks;
  }
}

TEST(Tally, EveryHelixKitNeedsTwelveCurvesATurnOnBothRings) {
  const std::map<double, int> curves_for_turns = {{2.5, 30}, {3.5, 42}, {4.5, 54}};
  for (const HelixDef& kit : HelixCatalog::all()) {
    Layout l;
    AddHelix(l, kit.id);
    const int n = curves_for_turns.at(kit.turns);
    EXPECT_EQ(ComputeTally(l).counts,
              (ArticleCounts{{kit.inner_curve_id, n}, {kit.outer_curve_id, n}}))
        << kit.id;
  }
  Layout unknown;  // a kit this program does not know is taken as the default one
  AddHelix(unknown, "proses_9_r7r8");
  EXPECT_EQ(ComputeTally(unknown).counts, (ArticleCounts{{"24130", 30}, {"24230", 30}}));
}

TEST(Tally, RowsNameEveryArticleInStringOrderThenTheRecommendedAccessories) {
  const std::vector<TallyRow> rows = TallyRows(ComputeTally(Acceptance()));
  std::vector<std::string> shown;
  for (const TallyRow& r : rows) shown.push_back(r.Label() + " x" + std::to_string(r.count));
  EXPECT_EQ(shown, (std::vector<std::string>{
                       "2200 Straight Track Length 180 mm / 7-3/32\" x2",
                       "24188 - 188.3mm x2",
                       "24230 (30°) R2 - 437.5mm (17-1/4) x1",
                       "24624 Double Slip Switch 24.3° x1",
                       "24630 Three-Way Turnout 2x24.3° x1",
                       "24720 Double Slip Switch slim 12.1° x1",
                       Catalog::instance().find("7263")->name + " x1",
                       Catalog::instance().find("74871")->name + " x2",
                       "We Recommend x0",
                       "74491 Turnout Motor x3",
                       "74462 Decoder x2",
                       "74467 Decoder (24720) x1",
                   }));
  EXPECT_EQ(rows[8].kind, TallyRowKind::Heading);
  EXPECT_EQ(rows[9].kind, TallyRowKind::Accessory);

  Layout k;  // a K-Track turnout the palette lacks: named by its article, one K motor
  Add(k, "2261");
  Add(k, "72886");
  shown.clear();
  for (const TallyRow& r : TallyRows(ComputeTally(k))) shown.push_back(r.Label());
  EXPECT_EQ(shown, (std::vector<std::string>{"2261", "Roundhouse 72886 (3-stall)", "We Recommend",
                                             "75491 K-Track Motor"}));
  Layout plain;  // nothing to recommend: no heading
  Add(plain, "24188");
  EXPECT_EQ(TallyRows(ComputeTally(plain)).size(), 1u);
}

TEST(StoreVariants, EveryCatalogArticleAndAccessoryHasItsOwnFourteenDigitId) {
  std::set<std::string> ids;
  for (const auto& [article, id] : StoreVariants()) {
    EXPECT_TRUE(std::regex_match(id, std::regex("[0-9]{14}"))) << article;
    EXPECT_TRUE(ids.insert(id).second) << "repeated id " << id;
  }
  for (int i = 0; i < Catalog::instance().count(); ++i)
    EXPECT_NE(FindStoreVariant(Catalog::instance().at(i)->id), nullptr)
        << Catalog::instance().at(i)->id;
  for (const char* a : {"74491", "74492", "75491", "74462", "74467", "2261", "2277", "72886"})
    EXPECT_NE(FindStoreVariant(a), nullptr) << a;
  for (const HelixDef& kit : HelixCatalog::all()) EXPECT_EQ(FindStoreVariant(kit.id), nullptr);
}

TEST(BuyTrack, CartListsArticlesInOrderWithoutBridgeDecksThenAccessories) {
  FakePrompter prompter;
  const std::optional<std::string> url = BuyTrack(Acceptance(), prompter);
  EXPECT_TRUE(prompter.shown.empty());
  EXPECT_EQ(url, kCart + Variant("24188") + ":2," + Variant("24230") + ":1," + Variant("24624") +
                     ":1," + Variant("24630") + ":1," + Variant("24720") + ":1," + Variant("7263") +
                     ":1," + Variant("74871") + ":2," + Variant("74492") + ":3," +
                     Variant("74462") + ":2," + Variant("74467") + ":1");
}

TEST(BuyTrack, NothingToBuyIsToldAndOpensNothing) {
  for (const char* only : {"", "99999", "free"}) {
    Layout l;
    if (std::string(only) == "99999") Add(l, "99999");
    if (std::string(only) == "free") Add(l, "24188", 3, true);
    AddScenery(l, "tree_conifer");
    FakePrompter prompter;
    EXPECT_EQ(BuyTrack(l, prompter), std::nullopt) << only;
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.last().caption, "Buy Track");
    EXPECT_EQ(prompter.last().text, "No purchasable track pieces found in your layout.");
    EXPECT_EQ(prompter.last().icon, PromptIcon::Information);
  }
}

// Articles the store does not sell are named, the first twenty of them, and skipped.
TEST(BuyTrack, CartCarriesArticlesTheCatalogDoesNotKnowAndNamesTheOthers) {
  Layout l;
  Add(l, "2261", 2);
  Add(l, "99999");
  Add(l, "99998");
  Add(l, "99999");
  FakePrompter prompter;
  EXPECT_EQ(BuyTrack(l, prompter), kCart + Variant("2261") + ":2," + Variant("75491") + ":2");
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.last().caption, "Some pieces not available");
  const std::string told =
      "The following pieces are not available in the store and will be skipped:\n";
  EXPECT_EQ(prompter.last().text, told + "  99998\n  99999\n");
  EXPECT_EQ(prompter.last().icon, PromptIcon::Warning);
  for (int i = 0; i < 25; ++i) Add(l, "9" + std::to_string(1000 + i));
  ASSERT_TRUE(BuyTrack(l, prompter));
  std::string expected = told;
  for (int i = 0; i < 20; ++i) expected += "  9" + std::to_string(1000 + i) + "\n";
  EXPECT_EQ(prompter.last().text, expected + "  \xE2\x80\xA6 and 7 more\n");
}

TEST(BuyTrack, AddressHoldsOnlyTheBaseVariantIdsAndCounts) {
  Layout l = Acceptance();
  for (const char* hostile :
       {"24188&evil=1", "../../x", "javascript:alert(1)", "24188 ", "", "\"; rm -rf ~", "%2e%2e"}) {
    Add(l, hostile);
    AddScenery(l, hostile);
  }
  AddHelix(l, "$(reboot)");
  FakePrompter prompter;
  const std::optional<std::string> url = BuyTrack(l, prompter);
  ASSERT_TRUE(url);
  EXPECT_TRUE(std::regex_match(*url, std::regex("https://shop\\.example\\.com/cart/"
                                                "[0-9]{14}:[0-9]+(,[0-9]{14}:[0-9]+)*")))
      << *url;
}

TEST(PartsList, CsvQuotesCommasQuotesAndLineBreaksAndKeepsUtf8) {
  const std::vector<TallyRow> rows = {
      {TallyRowKind::Piece, "1", "Curve, 30°", 2},
      {TallyRowKind::Piece, "2", "Bridge \"Gotthard\"", 1},
      {TallyRowKind::Piece, "3", "two\nlines", 12},
      {TallyRowKind::Piece, "Brücke", "Ünterführung", 1},
      {TallyRowKind::Heading, "", "We Recommend", 0},
      {TallyRowKind::Accessory, "74491", "Turnout Motor", 3},
  };
  EXPECT_EQ(PartsListCsv(rows),
            "article,name,count\r\n"
            "1,\"Curve, 30°\",2\r\n"
            "2,\"Bridge \"\"Gotthard\"\"\",1\r\n"
            "3,\"two\nlines\",12\r\n"
            "Brücke,Ünterführung,1\r\n"
            ",We Recommend,\r\n"
            "74491,Turnout Motor,3\r\n");
}

TEST(PartsList, TextAlignsColumnsByCharactersNotBytes) {
  const std::vector<TallyRow> rows = {
      {TallyRowKind::Piece, "24130", "24130 (30°) R1", 120},
      {TallyRowKind::Piece, "2200", "Straight", 2},
      {TallyRowKind::Heading, "", "We Recommend", 0},
      {TallyRowKind::Accessory, "74462", "Decoder", 1},
  };
  EXPECT_EQ(PartsListText(rows),
            "Article  Name            Count\n"
            "24130    24130 (30°) R1    120\n"
            "2200     Straight            2\n"
            "\n"
            "We Recommend\n"
            "74462    Decoder             1\n");
}

TEST(PartsList, SavePicksTheFormatByExtensionAndReportsAFailedWrite) {
  using F = PartsListFormat;
  EXPECT_EQ(PartsListFormatFor("a/list.CSV", F::Text), F::Csv);
  EXPECT_EQ(PartsListFormatFor("list.txt", F::Csv), F::Text);
  EXPECT_EQ(PartsListFormatFor("list", F::Csv), F::Csv);
  EXPECT_EQ(PartsListFormatFor("list.csv.bak"), F::Text);
  TempDir dir;
  const Layout l = Acceptance();
  const std::vector<TallyRow> rows = TallyRows(ComputeTally(l));
  ASSERT_EQ(SavePartsList(l, dir / "list", F::Csv), "");
  EXPECT_EQ(dir.Read("list"), PartsListCsv(rows));
  ASSERT_EQ(SavePartsList(l, dir / "list", F::Text), "");
  EXPECT_EQ(dir.Read("list"), PartsListText(rows));
  EXPECT_NE(SavePartsList(l, dir / "missing" / "list.csv", F::Csv), "");
}

}  // namespace
