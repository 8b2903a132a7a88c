// The main window's level manager, page set-up, printing, print preview and PDF export.
#include <wx/filedlg.h>
#include <wx/printdlg.h>

#include "gui/dialogs/level_dialogs.h"
#include "gui/dialogs/print_options_dialog.h"
#include "gui/export/layout_printout.h"
#include "gui/export/page_progress_dialog.h"
#include "gui/export/pdf_export.h"
#include "gui/frame/main_frame.h"
#include "gui/wx_text.h"
#include "interact/commands.h"
#include "model/translate.h"

void MainFrame::OnLevels() {
  LevelManagerDialog dlg(this, doc_, prompter_);
  dlg.ShowModal();
}

void MainFrame::OnPageSetup() {
  *page_setup_ = wxPageSetupDialogData(*print_data_);
  wxPageSetupDialog dlg(this, page_setup_.get());
  if (dlg.ShowModal() != wxID_OK) return;
  *page_setup_ = dlg.GetPageSetupDialogData();
  *print_data_ = page_setup_->GetPrintData();
}

bool MainFrame::PreparePrint(Paper& paper, bool& portrait) {
  print_options_.shown = canvas_->shown();
  paper = PaperOf(*print_data_);
  portrait = IsPortrait(*print_data_);
  return ConfirmPageCount(PlanPrint(doc_.layout(), print_options_, paper, portrait, kPdfDpi),
                          prompter_);
}

void MainFrame::OnPrint() {
  PrintOptionsDialog options(this, print_options_);
  if (options.ShowModal() != wxID_OK) return;
  print_options_ = options.Options();
  Paper paper;
  bool portrait = false;
  if (!PreparePrint(paper, portrait)) return;
  wxPrintDialogData data(*print_data_);
  wxPrinter printer(&data);
  LayoutPrintout printout(doc_.layout(), print_options_, paper, portrait, doc_.name());
  PageProgressDialog progress(this, TrMark("Print"), TrMark("Printing"));
  printout.SetProgress(progress.Callback());
  if (printer.Print(this, &printout, true)) {
    *print_data_ = printer.GetPrintDialogData().GetPrintData();
  } else if (wxPrinter::GetLastError() == wxPRINTER_ERROR && !progress.cancelled()) {
    prompter_.Notify(TrMark("Print"),
                     TrMark("There was a problem printing. Check that a printer is installed and "
                            "connected."),
                     PromptIcon::Error);
  }
}

void MainFrame::OnPrintPreview() {
  Paper paper;
  bool portrait = false;
  if (!PreparePrint(paper, portrait)) return;
  wxPrintDialogData data(*print_data_);
  auto* preview = new wxPrintPreview(
      new LayoutPrintout(doc_.layout(), print_options_, paper, portrait, doc_.name()),
      new LayoutPrintout(doc_.layout(), print_options_, paper, portrait, doc_.name()), &data);
  if (!preview->IsOk()) {
    delete preview;
    prompter_.Notify(TrMark("Print Preview"),
                     TrMark("Could not create print preview. Is a printer driver installed?"),
                     PromptIcon::Information);
    return;
  }
  auto* frame =
      new wxPreviewFrame(preview, this, _("Print Preview -- Vantrel"), wxDefaultPosition,
                         wxSize(900, 700), wxDEFAULT_FRAME_STYLE | wxFRAME_FLOAT_ON_PARENT);
  frame->Centre();
  frame->Initialize();
  frame->Show();
}

void MainFrame::OnExportPdf() {
  PrintOptionsDialog options(this, print_options_);
  if (options.ShowModal() != wxID_OK) return;
  print_options_ = options.Options();
  const std::string start =
      (doc_.name().empty() ? std::string(Tr("Layout")) : doc_.name()) + ".pdf";
  wxFileDialog save(this, _("Export PDF"), StartFolder(), ToWx(start), _("PDF files (*.pdf)|*.pdf"),
                    wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
  if (save.ShowModal() != wxID_OK) return;
  KeepFolder(std::filesystem::path(FromWx(save.GetPath())).parent_path().string());
  Paper paper;
  bool portrait = false;
  if (!PreparePrint(paper, portrait)) return;
  PageProgressDialog progress(this, TrMark("Export PDF"), TrMark("Writing"));
  const std::string error =
      WriteLayoutPdf(doc_.layout(), doc_.name(), print_options_, paper, portrait,
                     FromWx(save.GetPath()).c_str(), progress.Callback());
  if (!error.empty() && !progress.cancelled())
    prompter_.Notify(TrMark("Export PDF"),
                     Subst(Tr("Cannot write %1: %2"), {FromWx(save.GetPath()), error}),
                     PromptIcon::Error);
}
