#include "tab_payment.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QSignalBlocker>

#include "document/faktura.h"
#include "qt_text.h"
#include "widgets.h"
#include "words/money_text.h"
#include "words/number_input.h"

using namespace Qt::StringLiterals;

namespace bilvox {

TDaySpinBox::TDaySpinBox(QWidget* parent) : QSpinBox(parent) {
  setObjectName(u"updTermin"_s);
  lineEdit()->setObjectName(u"edtTermin"_s);
  setRange(-92, 92);
  setValue(5);
}

TabPlatnosc::TabPlatnosc(EditContext& context)
    : DocumentTab(context, u"tshPlatnosc"_s,
                  u"Zdefiniowanie sposobu i terminu płatności"_s) {
  grpPlatnosc = Make<QGroupBox>(this, u"grpPlatnosc"_s, u"Forma i termin płatności"_s);
  cmbFormaPlatnosci = MakeEditableCombo(grpPlatnosc, u"cmbFormaPlatnosci"_s, {});
  SetHint(cmbFormaPlatnosci, u"Wpisz formę płatności zastosowaną w tej transakcji"_s);
  lblFormaPlatnosci =
      MakeLabel(grpPlatnosc, u"lblFormaPlatnosci"_s, u"Forma płatności"_s, cmbFormaPlatnosci);
  updTermin = new TDaySpinBox(grpPlatnosc);
  edtTermin = updTermin->Edit();
  SetHint(updTermin, u"Ilość dni na zrealizowanie płatności"_s);
  lblTermin = MakeLabel(grpPlatnosc, u"lblTermin"_s, u"Termin płatności"_s, updTermin);
  dtpTermin = MakeDatePicker(grpPlatnosc, u"dtpTermin"_s);
  SetHint(dtpTermin, u"Termin płatności podany jako data"_s);
  lblTerminDo = MakeLabel(grpPlatnosc, u"lblTerminDo"_s, u"dni lub do"_s, dtpTermin);
  edtZaplacono = MakeEdit(grpPlatnosc, u"edtZaplacono"_s);
  SetHint(edtZaplacono, u"Kwota, która została już zapłacona"_s);
  lblZaplacono = MakeLabel(grpPlatnosc, u"lblZaplacono"_s, u"Zapłacono"_s, edtZaplacono);
  cbxZaplacono = Make<QCheckBox>(grpPlatnosc, u"cbxZaplacono"_s, u"Zapłacono całość"_s);
  SetHint(cbxZaplacono, u"Zaznacz, jeżeli zapłacono od razu całość"_s);
  auto* grid = new QGridLayout(grpPlatnosc);
  grid->addWidget(lblFormaPlatnosci, 0, 0);
  grid->addWidget(cmbFormaPlatnosci, 0, 1, 1, 3);
  grid->addWidget(lblTermin, 1, 0);
  grid->addWidget(updTermin, 1, 1);
  grid->addWidget(lblTerminDo, 1, 2);
  grid->addWidget(dtpTermin, 1, 3);
  grid->addWidget(lblZaplacono, 2, 0);
  grid->addWidget(edtZaplacono, 2, 1);
  grid->addWidget(cbxZaplacono, 2, 2, 1, 2);
  auto* row = new QHBoxLayout(this);
  row->addWidget(grpPlatnosc);
  row->addStretch(1);
  Wire();
}

QString TabPlatnosc::Caption() const { return u"Płatność"_s; }

void TabPlatnosc::Wire() {
  connect(cmbFormaPlatnosci, &QComboBox::editTextChanged, this, [this](const QString& text) {
    if (Editing()) Doc().SetPaymentForm(FromQ(text));
  });
  // The term as a day count moves the date; the date moves the day count. Neither writes
  // back into the other's handler, so a date beyond the day count's range stays as chosen.
  connect(updTermin, &QSpinBox::valueChanged, this, [this](int days) {
    if (!Editing()) return;
    {
      const QSignalBlocker block(dtpTermin);
      dtpTermin->setDate(ToQDate(Doc().IssueDate() + days));
    }
    Doc().SetPaymentDueDate(FromQDate(dtpTermin->date()));
  });
  connect(dtpTermin, &QDateEdit::dateChanged, this, [this](const QDate& date) {
    if (!Editing()) return;
    Doc().SetPaymentDueDate(FromQDate(date));
    ShowPaymentDays(Doc());
  });
  connect(edtZaplacono, &QLineEdit::textChanged, this, [this](const QString& text) {
    if (!Editing()) return;
    // Text that is not an amount leaves the document as it is.
    if (const std::optional<Currency> paid = ParseDecimalInput(FromQ(text))) Doc().SetPaid(*paid);
  });
  connect(cbxZaplacono, &QCheckBox::toggled, this, [this] { ApplyFullyPaid(); });
}

void TabPlatnosc::ApplyFullyPaid() {
  if (!cbxZaplacono->isChecked()) {
    edtZaplacono->setEnabled(true);
    return;
  }
  edtZaplacono->setEnabled(false);
  edtZaplacono->setText(ToQ(MoneyText(Doc().AmountDue(), true)));
  if (const std::optional<Currency> paid = ParseDecimalInput(FromQ(edtZaplacono->text())))
    Doc().SetPaid(*paid);
}

void TabPlatnosc::ShowFullyPaid(const TFaktura& doc) {
  cbxZaplacono->setChecked(doc.Paid() == doc.AmountDue());
}

void TabPlatnosc::ShowPaymentDays(const TFaktura& doc) {
  const QSignalBlocker block(updTermin);
  const int64_t days = WholeDays(doc.PaymentDueDate()) - WholeDays(doc.IssueDate());
  updTermin->setValue(static_cast<int>(std::clamp<int64_t>(days, -92, 92)));
}

void TabPlatnosc::LoadFields(const TFaktura& doc) {
  {
    const QSignalBlocker block(dtpTermin);
    dtpTermin->setDate(ToQDate(doc.PaymentDueDate()));
  }
  cmbFormaPlatnosci->setEditText(ToQ(doc.PaymentForm()));
  edtZaplacono->setText(ToQ(MoneyText(doc.Paid(), true)));
  ShowPaymentDays(doc);
}

}  // namespace bilvox
