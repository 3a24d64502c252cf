// The "Towary/Usługi" tab: the entry fields of one line item on the left ("Dane towaru /
// usługi") and the document's lines on the right ("Towary na fakturze").
//
// This file builds the controls, the VAT rate list and the parts of the window refresh that
// concern the tab (rebuilding the list, showing or hiding the VAT part of the entry). The
// line entry itself (adding, changing and deleting lines, the coupled net and gross prices,
// picking from the goods register, the translation window) belongs here too.
#pragma once

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QObject>
#include <QPushButton>

#include "document_tab.h"

namespace bilvox {

class TTowar;

class TabTowary : public DocumentTab {
  Q_OBJECT
 public:
  explicit TabTowary(EditContext& context);
  QString Caption() const override;

  // The nine entries of the VAT rate list, in the order the rates in force give (at window
  // creation).
  void FillVatRates();
  // A position of the rate list and the rate table index it stands for, and the way back
  // (each asks which rates are in force now). -1 for no position / index 6.
  static int VatIndexAt(int position);
  static int PositionOfVatIndex(int vatIndex);

  // Window refresh, step 5: one row per line of the document, the first one selected, and
  // the row-selection rule.
  void LoadLines(const TFaktura& doc);
  // Window refresh, step 9: the VAT part of the entry (gross price, rate, PKWiU) shown or
  // hidden; the net price label and the rate list follow.
  void ShowVatPart(bool visible);
  bool VatPartVisible() const { return vatPartVisible_; }

  // The line a row of the list stands for (nullptr for none).
  static TTowar* LineOfRow(const QListWidgetItem* row);

  // The row-selection rule: the selected line into the entry fields.
  void lbxTowaryClick();

  QPushButton* btnTNew;
  QGroupBox* grpTowar;
  QLabel* lblTNazwa;
  QLineEdit* edtTNazwa;
  QPushButton* btnSelectTowar;
  QLabel* lblTPKWIU;
  QComboBox* cmbTPKWIU;
  QLabel* lblTJM;
  QComboBox* cmbTJM;
  QLabel* lblTCenaNetto;
  QLineEdit* edtTCenaNetto;
  QLabel* lblTStawkaVat;
  QComboBox* cmbTStawkaVat;
  QLabel* lblTIlosc;
  QLineEdit* edtTIlosc;
  QLabel* lblTCenaBrutto;
  QLineEdit* edtTCenaBrutto;
  QPushButton* btnTAdd;
  QPushButton* btnTChange;
  QPushButton* btnTMore;
  QGroupBox* grpTowaryNaFakturze;
  QListWidget* lbxTowary;
  QPushButton* btnTDelete;
  QPushButton* btnHelpTowary;

 signals:
  // "?" beside the list: the goods-list topic of the information window, on demand.
  void HelpClicked();

 private:
  bool vatPartVisible_ = true;
};

}  // namespace bilvox
