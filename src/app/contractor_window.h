// TfrmKontrahent ("Edycja danych kontrahenta"): the dialog in which one contractor is added
// or edited from the contractors list, with the nine fields of the record the user sees.
#pragma once

#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace bilvox {

class TProgram;
struct TKontrahentRec;

class TfrmKontrahent : public QDialog {
 public:
  explicit TfrmKontrahent(TProgram& program);
  // Shows the dialog modally, centred over the contractors list; true when it closed with OK.
  bool Execute();

  // Empties every field (a new contractor).
  void Clear();
  // Shows a record (the discount in its shortest form).
  void Load(const TKontrahentRec& record);
  // Copies the fields into a record. The discount is read as a percentage: text that is not
  // a number gives 0 (the field keeps the text), a value below 0 or above 100 is held to
  // that limit and the field shows the value stored.
  void StoreInto(TKontrahentRec& record);

  QGroupBox* GroupBox1;
  QPlainTextEdit* mmoBuyerName;
  QPlainTextEdit* mmoBuyerAddress;
  QLineEdit* edtBuyerNIP;
  QLineEdit* edtBuyerRabat;
  QLineEdit* edtUpowOdbioru;
  QPlainTextEdit* mmoUwagi;
  QLineEdit* edtTelefon;
  QLineEdit* edtEmail;
  QLineEdit* edtWWW;
  QLabel* lblWebsite;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  TProgram& program_;
};

}  // namespace bilvox
