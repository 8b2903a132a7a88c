// The level manager, the print options, the preview and the PDF export on a display.
#include <cairo-pdf.h>
#include <gtest/gtest.h>

#include <wx/button.h>
#include <wx/dcgraph.h>
#include <wx/dcmemory.h>
#include <wx/graphics.h>
#include <wx/listctrl.h>
#include <wx/print.h>
#include <wx/printdlg.h>
#include <wx/radiobox.h>
#include <wx/spinctrl.h>
#include <algorithm>

#include "frame_fixture.h"
#include "gui/dialogs/level_dialogs.h"
#include "gui/dialogs/print_options_dialog.h"
#include "gui/draw/wx_painter.h"
#include "gui/export/layout_printout.h"
#include "gui/export/pdf_export.h"
#include "gui/export/pdf_fonts.h"
#include "layout_builder.h"
#include "model/layout_file.h"
#include "run_vantrel.h"

namespace {

class LevelsGuiTest : public FrameFixture {};

TEST_F(LevelsGuiTest, ManageLevelsAddsShowsActivatesAndRemoves) {
  ::Layout& l = frame->layout();
  LevelManagerDialog dlg(frame, frame->document(), prompter);
  EXPECT_FALSE(dlg.remove_button()->IsEnabled());
  prompter.texts.push_back(std::string("Deck"));
  dlg.AddLevelCommand();
  ASSERT_EQ(dlg.list()->GetItemCount(), 2);
  EXPECT_EQ(dlg.list()->GetItemText(1, 0), "Deck");
  EXPECT_TRUE(dlg.list()->IsItemChecked(1));
  EXPECT_TRUE(dlg.remove_button()->IsEnabled());

  dlg.list()->CheckItem(1, false);
  wxYield();
  EXPECT_FALSE(l.levels[1].visible);
  dlg.list()->SetItemState(0, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
  wxYield();
  EXPECT_EQ(l.active_level, 1);

  dlg.list()->SetItemState(1, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
  prompter.answers.push_back(PromptAnswer::Yes);
  dlg.RemoveLevelCommand();
  EXPECT_EQ(l.levels.size(), 1u);
  EXPECT_EQ(dlg.list()->GetItemCount(), 1);
}

TEST_F(LevelsGuiTest, PrintOptionsRowsFollowTheScaling) {
  PrintOptionsDialog dlg(frame, {.scaling = PrintScaling::ActualScale, .scale_n = 87, .shown = {}});
  EXPECT_TRUE(dlg.scale_n()->IsEnabled());
  EXPECT_FALSE(dlg.percent()->IsEnabled());
  dlg.scaling()->SetSelection(2);
  dlg.UpdateRows();
  EXPECT_FALSE(dlg.scale_n()->IsEnabled());
  EXPECT_TRUE(dlg.percent()->IsEnabled());
  const PrintOptions back = dlg.Options();
  EXPECT_EQ(back.scaling, PrintScaling::Percentage);
  EXPECT_EQ(back.scale_n, 87);
  EXPECT_TRUE(back.baseboard);
}

// Print and Print Preview drew text in screen points, a sixth of its size in the PDF:
// an article label's digits, 2.4 mm tall on paper, came out 0.7 mm.
TEST_F(LevelsGuiTest, PrintedTextHasItsPaperSizeInThePrintout) {
  ::Layout l = WithLevel();
  AddPiece(l, "24188");
  const PrintOptions o{.scaling = PrintScaling::ActualScale, .scale_n = 1, .shown = {}};
  const int dpi = 300, w = 3508, h = 2480;  // A4 landscape
  LayoutPrintout printout(l, o, kA4Paper, false);
  wxBitmap page(w, h);
  {
    wxMemoryDC dc(page);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    printout.SetDC(&dc);
    printout.SetPPIPrinter(dpi, dpi);
    printout.SetPageSizePixels(w, h);
    printout.SetPageSizeMM(297, 210);
    printout.SetPaperRectPixels(wxRect(0, 0, w, h));
    printout.OnPreparePrinting();
    ASSERT_TRUE(printout.OnPrintPage(1));
    printout.SetDC(nullptr);
  }
  // The label is the only dark grey inside the margins: the track is lighter, the dots
  // coloured.
  const wxImage image = page.ConvertToImage();
  int top = h, bottom = -1;
  for (int y = h * 4 / 100 + 1; y < h * 96 / 100; ++y)
    for (int x = 0; x < w; ++x)
      if (image.GetRed(x, y) < 100 && image.GetGreen(x, y) < 100 && image.GetBlue(x, y) < 100)
        top = std::min(top, y), bottom = std::max(bottom, y);
  const double digits_mm = (bottom - top + 1) * 25.4 / dpi;
  EXPECT_GT(digits_mm, 2.0);
  EXPECT_LT(digits_mm, 2.8);
}

int CountPages(const std::filesystem::path& pdf) {
  const std::string s = TempDir::ReadFile(pdf);
  int pages = 0;
  for (std::size_t at = s.find("/Type /Page"); at != std::string::npos;
       at = s.find("/Type /Page", at + 1))
    if (s.compare(at, 12, "/Type /Pages") != 0) ++pages;
  return pages;
}

// 1 : 5 on portrait A4 and 1932 mm wide: exactly two usable widths (2 x 0.92 x 210 mm x 5).
// The preview planned on the printer's page in pixels and counted three pages across.
// A deck's outline is drawn without lengths beside it, so it spans just its corners.
// Closing the preview after page one leaves the hidden level hidden and the view as it was.
TEST_F(LevelsGuiTest, PreviewAndPdfCountTheSamePagesAndThePreviewChangesNothing) {
  ::Layout& l = frame->layout();
  l.levels[0].outline = {{0, 0}, {1932, 0}, {1932, 1000}, {0, 1000}};
  l.levels.push_back({.id = 2, .visible = false, .outline = {}});
  const std::vector<Level> levels = l.levels;
  const PrintOptions o{
      .scaling = PrintScaling::ActualScale, .scale_n = 5, .levels = PrintLevels::All, .shown = {}};
  wxPrintDialogData data;
  data.GetPrintData().SetPaperId(wxPAPER_A4);
  data.GetPrintData().SetOrientation(wxPORTRAIT);
  const Paper paper = PaperOf(data.GetPrintData());
  const bool portrait = IsPortrait(data.GetPrintData());
  auto* preview = new wxPrintPreview(new LayoutPrintout(l, o, paper, portrait), nullptr, &data);
  if (!preview->IsOk()) {
    delete preview;
    GTEST_SKIP() << "no print preview on this machine";
  }
  auto* window = new wxPreviewFrame(preview, frame, "Print Preview -- Vantrel");
  window->Initialize();  // draws page 1
  window->Show();
  wxYield();
  const auto pdf = dir / "boundary.pdf";
  ASSERT_EQ(WriteLayoutPdf(l, "Shelf", o, paper, portrait, pdf), "");
  EXPECT_EQ(CountPages(pdf), 2);
  EXPECT_EQ(preview->GetMaxPage(), CountPages(pdf));
  window->Close(true);
  wxYield();
  EXPECT_EQ(l.levels, levels);
  EXPECT_TRUE(frame->canvas()->shown() == DrawSwitches{}) << "printing switched nothing";
}

TEST_F(LevelsGuiTest, ExportPdfTilesATrueScalePlan) {
  ::Layout l = WithLevel();
  l.baseboard = {{0, 0}, {2400, 0}, {2400, 1200}, {0, 1200}};
  const auto file = dir / "board.vtl";
  ASSERT_EQ(SaveLayout(l, file, "board"), "");
  const auto pdf = dir / "board.pdf";
  int status = -1;
  for (const auto& [args, pages] :
       std::vector<std::pair<std::string, int>>{{"--scale 5", 4}, {"--fit", 1}}) {
    const std::string out =
        RunVantrel("--export-pdf " + file.string() + " " + pdf.string() + " " + args, status);
    ASSERT_EQ(status, 0) << out;
    EXPECT_EQ(CountPages(pdf), pages) << args;
  }
}

// The PDF lays its text out itself; a label's box is sized by what it measures, so it
// must measure as the toolkit's text does on paper, or labels spill out of their boxes.
TEST_F(LevelsGuiTest, PdfTextMeasuresAsTheToolkitsTextOnPaper) {
  cairo_surface_t* surface = cairo_pdf_surface_create(nullptr, 595, 842);
  cairo_t* cr = cairo_create(surface);
  cairo_scale(cr, 72 / kPdfDpi, 72 / kPdfDpi);
  {
    wxGCDC dc(wxGraphicsRenderer::GetCairoRenderer()->CreateContextFromNativeContext(cr));
    PaperPainter toolkit(dc, kPdfDpi);
    PangoPdfFonts fonts(kPdfDpi);
    PdfFile file(595, 842, kPdfDpi, fonts, "");
    PdfPage& page = file.BeginPage();
    for (int size : {7, 9, 14})
      for (bool bold : {false, true})
        for (const char* text : {"24130",
                                 "Gleis <1> & S\xC3\xBC"
                                 "d",
                                 "Wg\nzwei"}) {
          toolkit.SetFont(size, bold);
          page.SetFont(size, bold);
          EXPECT_EQ(page.TextExtent(text), toolkit.TextExtent(text)) << size << bold << text;
        }
  }
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
}

TEST_F(LevelsGuiTest, AStoppedPdfExportLeavesTheFileAsItWas) {
  ::Layout l = WithLevel();
  l.baseboard = {{0, 0}, {2400, 0}, {2400, 1200}, {0, 1200}};
  const PrintOptions o{.scaling = PrintScaling::ActualScale, .scale_n = 5, .shown = {}};
  const auto pdf = dir / "kept.pdf";
  dir.Write("kept.pdf", "earlier");
  EXPECT_EQ(
      WriteLayoutPdf(l, "Shelf", o, kA4Paper, false, pdf, [](int page, int) { return page < 2; }),
      kPdfExportCancelled);
  EXPECT_EQ(dir.Read("kept.pdf"), "earlier");
}

}  // namespace
