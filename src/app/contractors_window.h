// TfrmKontrahenci ("Kontrahenci"): the contractors register as a list, for browsing from the
// tools menu and for picking the buyer of the document. The list is sorted by name or NIP
// and filtered as the user types; contractors are added, edited (in TfrmKontrahent) and
// deleted here. Every action works on the record shown in the selected row, whatever the
// filter and the sort order.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace bilvox {

class ContractorsModel;
class TProgram;
class TKontrahenci;
struct TKontrahentRec;

class TfrmKontrahenci : public QDialog {
 public:
  explicit TfrmKontrahenci(TProgram& program);
  ~TfrmKontrahenci() override;

  // Selection mode: shows the window modally; the record picked with "Wybierz" (or Enter,
  // or a double click), or nullptr.
  const TKontrahentRec* Select();
  // Browse mode (tools menu).
  void Browse();
  // Shows the list in browse mode without waiting (for pictures of the window).
  void ShowNonModal();
  // Fills the list again after the register changed (a buyer filed from a document).
  void RefreshList();

  // The record shown in the selected row, or nullptr.
  TKontrahentRec* SelectedRecord() const;
  ContractorsModel& Model() { return *model_; }

  QLabel* Label1;
  QPushButton* btnOk;
  QPushButton* btnCancel;
  QGroupBox* GroupBox1;
  QLabel* Label2;
  QComboBox* cbxSort;
  QLabel* Label3;
  QLineEdit* edtFilter;
  QTableView* sgrKontrahenci;
  QPushButton* btnAdd;
  QPushButton* btnEdit;
  QPushButton* btnDelete;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  TKontrahenci& Register();
  void FormShow();
  void SetSelectionMode(bool on);
  void cbxSortChange(int index);
  void edtFilterChange(const QString& text);
  void btnAddClick();
  void btnEditClick();
  void btnDeleteClick();
  // Enter or a double click in the grid.
  void GridChoose();
  // Fills the list from the register and selects the row showing the record (the first row
  // when it is not shown).
  void Refill(const TKontrahentRec* select);

  TProgram& program_;
  ContractorsModel* model_;
  bool selectionMode_ = false;
};

}  // namespace bilvox
