// TfrmKontrahenci ("Kontrahenci"): the contractors register as a list, for browsing from the
// tools menu and for picking the buyer. It will hold the sorted and filtered grid
// `sgrKontrahenci`, the sort and filter fields, the add, details and delete buttons, and the
// "&Wybierz" button `btnOk` shown in selection mode.
#pragma once

#include <QDialog>

namespace bilvox {

class TProgram;
struct TKontrahentRec;

class TfrmKontrahenci : public QDialog {
 public:
  explicit TfrmKontrahenci(TProgram& program);

  // Selection mode: shows the window modally; the record picked with OK, or nullptr.
  const TKontrahentRec* Select();
  // Browse mode (tools menu).
  void Browse();
  // Fills the list again after the register changed (a buyer filed from a document).
  void RefreshList();

 private:
  TProgram& program_;
};

}  // namespace bilvox
