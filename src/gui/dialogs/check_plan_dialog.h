// Layout > Check Plan...: every finding of the plan in a list; choosing a row selects its
// pieces and centres the canvas on it.
#pragma once

#include <wx/dialog.h>

#include "interact/plan_findings.h"

class CanvasPanel;
class wxListCtrl;
class wxListEvent;
class wxStaticText;

class CheckPlanDialog : public wxDialog {
 public:
  CheckPlanDialog(wxWindow* parent, Document& doc, CanvasPanel& canvas);

  wxListCtrl* list() const { return list_; }
  wxStaticText* summary() const { return summary_; }
  const FindingList& findings() const { return findings_; }
  // What selecting row `row` does.
  void ChooseRow(long row);

 private:
  void OnSelected(wxListEvent& e);

  Document& doc_;
  CanvasPanel& canvas_;
  FindingList findings_;
  wxListCtrl* list_ = nullptr;
  wxStaticText* summary_ = nullptr;
};
