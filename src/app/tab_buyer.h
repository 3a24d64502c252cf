// The "Nabywca" tab: the buyer and the buyer's discount.
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QObject>
#include <QPlainTextEdit>
#include <QPushButton>

#include "document_tab.h"

namespace bilvox {

struct TKontrahentRec;

class TabNabywca : public DocumentTab {
  Q_OBJECT
 public:
  explicit TabNabywca(EditContext& context);
  QString Caption() const override;

  // Window refresh, step 4.
  void LoadFields(const TFaktura& doc);
  // A contractor picked from the register: its data go into the fields, whose handlers
  // carry them into the document (the receiving person is on another tab).
  void ShowContractor(const TKontrahentRec& record);

  QGroupBox* grpNabywca;
  QLabel* lblBuyerName;
  QPlainTextEdit* mmoBuyerName;
  QLabel* lblBuyerAddress;
  QPlainTextEdit* mmoBuyerAddress;
  QLabel* lblBuyerNIP;
  QLineEdit* edtBuyerNIP;
  QLabel* lblBuyerRabat;
  QLineEdit* edtBuyerRabat;
  QPushButton* btnSelectBuyer;

 signals:
  void DiscountChanged();
  void SelectBuyerClicked();

 private:
  void Wire();
  void edtBuyerRabatChange();
};

}  // namespace bilvox
