// TfrmTowary ("Towary i Usługi"): the goods register as a list, for browsing from the tools
// menu and for picking an item into the line entry. The list is sorted by name or price and
// filtered as the user types; items are deleted here (they enter the register only through
// the line entry). "Wybierz" is hidden in browse mode.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace bilvox {

class GoodsModel;
class TProgram;
class TTowary;
struct TTowarRec;

class TfrmTowary : public QDialog {
 public:
  explicit TfrmTowary(TProgram& program);
  ~TfrmTowary() override;

  // Selection mode: shows the window modally; the record picked with "Wybierz" (or Enter,
  // or a double click), or nullptr.
  const TTowarRec* Select();
  // Browse mode (tools menu): the select button is hidden while the window is shown.
  void Browse();
  // Shows the list in browse mode without waiting (for pictures of the window).
  void ShowNonModal();

  // The record shown in the selected row, or nullptr.
  TTowarRec* SelectedRecord() const;
  GoodsModel& Model() { return *model_; }

  QLabel* Label1;
  QPushButton* btnOk;
  QPushButton* btnCancel;
  QGroupBox* GroupBox1;
  QLabel* Label3;
  QComboBox* cbxSort;
  QLabel* Label2;
  QLineEdit* edtFilter;
  QTableView* sgrTowary;
  QPushButton* btnDelete;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  TTowary& Register();
  void FormShow();
  void cbxSortChange(int index);
  void edtFilterChange(const QString& text);
  void btnDeleteClick();
  // Fills the list from the register and selects the row showing the record (the first row
  // when it is not shown).
  void Refill(const TTowarRec* select);

  TProgram& program_;
  GoodsModel* model_;
};

}  // namespace bilvox
