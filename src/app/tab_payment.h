// The "Płatność" tab: payment form, the payment term as a day count and as a date, and the
// amount paid.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

#include "document_tab.h"

namespace bilvox {

// The day count of the payment term: an up-down (`updTermin`) whose text field is `edtTermin`.
class TDaySpinBox : public QSpinBox {
 public:
  explicit TDaySpinBox(QWidget* parent);
  QLineEdit* Edit() const { return lineEdit(); }
};

class TabPlatnosc : public DocumentTab {
 public:
  explicit TabPlatnosc(EditContext& context);
  QString Caption() const override;

  // Window refresh, step 6 (this tab's part): payment date, form and amount paid; the day
  // count follows the dates.
  void LoadFields(const TFaktura& doc);
  // The day count := whole days from the issue date to the payment date.
  void ShowPaymentDays(const TFaktura& doc);

  // The fully-paid rule: with "Zapłacono całość" ticked the amount paid is the amount due
  // (and cannot be typed); otherwise the field is open and keeps its value. Run after every
  // change of the lines or the discount.
  void ApplyFullyPaid();
  // After opening a file: the box is ticked exactly when the paid amount is the amount due.
  void ShowFullyPaid(const TFaktura& doc);

  QGroupBox* grpPlatnosc;
  QLabel* lblFormaPlatnosci;
  QComboBox* cmbFormaPlatnosci;
  QLabel* lblTermin;
  TDaySpinBox* updTermin;
  QLineEdit* edtTermin;
  QLabel* lblTerminDo;
  QDateEdit* dtpTermin;
  QLabel* lblZaplacono;
  QLineEdit* edtZaplacono;
  QCheckBox* cbxZaplacono;

 private:
  void Wire();
};

}  // namespace bilvox
