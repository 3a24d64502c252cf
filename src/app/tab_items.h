// The "Towary/Usługi" tab: the entry fields of one line item on the left ("Dane towaru /
// usługi") and the document's lines on the right ("Towary na fakturze").
//
// The entry is the one place where the window holds data of its own besides the document:
// the item being typed, whether its price was typed as net or as gross (the price entry
// mode), and its translated name and unit, which live in the translation window. Add and
// change hand the entry to the document, and every item added or changed is also filed in
// the goods register. The net and gross price fields follow each other as the user types:
// only the user's own edits are propagated, the other field is written with its signals
// blocked, so nothing the user types is ever overwritten by a computed value.
#pragma once

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QObject>
#include <QPushButton>
#include <string>

#include "document/money.h"
#include "document_tab.h"

namespace bilvox {

class TProgram;
class TTowar;
class TfrmTMore;
struct TTowarRec;

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
  // Whether the VAT part of the entry (gross price, rate, PKWiU) applies to a document: not
  // to a bill, nor to a margin invoice or one without VAT settlement.
  static bool VatPartApplies(const TFaktura& doc);
  // Window refresh, step 9: the VAT part of the entry shown or hidden; the net price label
  // and the rate list follow (the rate of the selected line, or the standard rate; 0 % while
  // the part is hidden).
  void ShowVatPart(bool visible);

  // The line a row of the list stands for (nullptr for none).
  static TTowar* LineOfRow(const QListWidgetItem* row);

  // The row-selection rule: the selected line into the entry fields.
  void lbxTowaryClick();

  // The windows and registers the entry reaches (the goods register and its window, the
  // translation window, the autocomplete lists, the payment tab). Given once by the main
  // window; the buttons that need them do nothing before.
  void Attach(TProgram& program);

  // The commands of the entry, as its buttons run them.
  void btnTNewClick();
  void btnTAddClick();
  void btnTChangeClick();
  void btnTDeleteClick();
  void btnSelectTowarClick();
  void btnTMoreClick();
  // A goods record into the entry, as picking it from the goods list does.
  void TakeGoodsRecord(const TTowarRec& record);

  // The price entry mode: true when the price was typed (or shown) as gross.
  bool GrossMode() const { return grossMode_; }

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
  QListWidgetItem* SelectedRow() const;
  // No row selected, "Zamień" disabled.
  void Deselect();
  // The rate a cleared entry starts with: the standard rate, or 0 % when the VAT part is
  // hidden.
  int DefaultRatePosition() const;

  // What Add and Change read from the entry; throws Error for a price or quantity that is
  // not a number.
  struct Entry {
    std::string name, translatedName, pkwiu, unit, translatedUnit;
    int vatIndex = -1;
    Currency price;
    double quantity = 0;
  };
  Entry ReadEntry() const;
  // Files the entry in the goods register.
  void UpdateGoodsRegister(const Entry& entry);
  // After a line was added or changed: the fully-paid rule and the autocomplete lists.
  void AfterLineStored(const Entry& entry);

  // The user typed in a price field or chose a rate: the other field follows.
  void edtTCenaNettoChange();
  void edtTCenaBruttoChange();
  void cmbTStawkaVatChange();
  // Shows a price in the field of its mode, which becomes the entry's mode; the other field
  // follows.
  void ShowPrice(Currency price, bool gross);
  // The rate table index of the selected rate (-1 for none).
  int SelectedVatIndex() const;
  // The translation window once every window exists, else nullptr.
  TfrmTMore* TranslationWindow() const;
  // The translated name and unit (in the translation window).
  void SetTranslation(const QString& name, const QString& unit);

  TProgram* program_ = nullptr;
  bool vatPartVisible_ = true;
  bool grossMode_ = false;
};

}  // namespace bilvox
