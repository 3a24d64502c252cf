// The "Dokument" tab: number and numbering, currency, language, invoice type, gross
// pricing, place and dates.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QObject>
#include <QPushButton>

#include "document_tab.h"

namespace bilvox {

class TabDokument : public DocumentTab {
  Q_OBJECT
 public:
  explicit TabDokument(EditContext& context);
  QString Caption() const override;

  // Window refresh, steps 1 and 2: number, language, numbering switch, place, dates, flags.
  void LoadFields(const TFaktura& doc);
  // Step 7: the type list from the document's type, then the type-change rule once.
  void LoadType(const TFaktura& doc);
  // Step 8: what the document's kind and type allow.
  void ApplyEnabling(const TFaktura& doc);

  // The type-change rule (also the handler of a choice in the type list).
  void cmbTypFakturyChange();

  QGroupBox* grpNumer;
  QLineEdit* edtNumer;
  QCheckBox* cbxAutoNumer;
  QPushButton* btnAutoNumbering;
  QLabel* lblWaluta;
  QPushButton* btnWaluta;
  QLabel* lblJezyk;
  QComboBox* cmbJezyk;
  QLabel* lblTypFaktury;
  QComboBox* cmbTypFaktury;
  QCheckBox* cbxOdCenBrutto;
  QGroupBox* grpDaneDokumentu;
  QLabel* lblMiejsceWyst;
  QLineEdit* edtMiejsceWyst;
  QLabel* lblDataWyst;
  QDateEdit* dtpDataWyst;
  QLabel* lblDataSprz;
  QDateEdit* dtpDataSprz;
  QCheckBox* cbxSprzedazCiagla;

 signals:
  void CurrencyClicked();
  void AutoNumberingClicked();

 private:
  void Wire();
};

// The position of the type list for a document type and margin procedure; -1 for a pair the
// list does not offer.
int TypeListIndex(int vatInvoiceType, int marginProcedure);

}  // namespace bilvox
