// TfrmTowary ("Towary i Usługi"): the goods register as a list, for browsing from the tools
// menu and for picking an item into the line entry. It will hold the sorted and filtered grid
// `sgrTowary`, the sort and filter fields, "&Usuń", and the "&Wybierz" button `btnOk`, which
// is hidden in browse mode.
#pragma once

#include <QDialog>

namespace bilvox {

class TProgram;
struct TTowarRec;

class TfrmTowary : public QDialog {
 public:
  explicit TfrmTowary(TProgram& program);

  // Selection mode: shows the window modally; the record picked with OK, or nullptr.
  const TTowarRec* Select();
  // Browse mode (tools menu): the select button is hidden while the window is shown.
  void Browse();

 private:
  TProgram& program_;
};

}  // namespace bilvox
