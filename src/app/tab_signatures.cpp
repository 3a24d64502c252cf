#include "tab_signatures.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "document/faktura.h"
#include "qt_text.h"
#include "widgets.h"

using namespace Qt::StringLiterals;

namespace bilvox {

TabPodpisy::TabPodpisy(EditContext& context)
    : DocumentTab(context, u"tshPodpisy"_s, u"Podpisy i uwagi do dokumentu"_s) {
  grpOsoby = Make<QGroupBox>(this, u"grpOsoby"_s, u"Osoby upoważnione"_s);
  edtUpowWystaw = MakeEdit(grpOsoby, u"edtUpowWystaw"_s);
  SetHint(edtUpowWystaw, u"Osoba wystawiająca (imię i nazwisko)"_s);
  lblUpowWystaw =
      MakeLabel(grpOsoby, u"lblUpowWystaw"_s, u"do wystawienia dokumentu"_s, edtUpowWystaw);
  edtUpowOdbioru = MakeEdit(grpOsoby, u"edtUpowOdbioru"_s);
  SetHint(edtUpowOdbioru, u"Osoba odbierająca (imię i nazwisko)"_s);
  lblUpowOdbioru =
      MakeLabel(grpOsoby, u"lblUpowOdbioru"_s, u"do odbioru dokumentu"_s, edtUpowOdbioru);
  auto* persons = new QGridLayout(grpOsoby);
  persons->addWidget(lblUpowWystaw, 0, 0);
  persons->addWidget(edtUpowWystaw, 1, 0);
  persons->addWidget(lblUpowOdbioru, 2, 0);
  persons->addWidget(edtUpowOdbioru, 3, 0);

  grpUwagi = Make<QGroupBox>(this, u"grpUwagi"_s, u"Uwagi"_s);
  mmoUwagi = MakeMemo(grpUwagi, u"mmoUwagi"_s);
  SetHint(mmoUwagi, u"Dowolne uwagi do tej transakcji"_s);
  edtUwagiStale = MakeEdit(grpUwagi, u"edtUwagiStale"_s);
  SetHint(edtUwagiStale, u"Stała uwaga , podziękowania itp."_s);
  auto* remarks = new QVBoxLayout(grpUwagi);
  remarks->addWidget(mmoUwagi);
  remarks->addWidget(edtUwagiStale);

  auto* row = new QHBoxLayout(this);
  row->addWidget(grpOsoby, 1);
  row->addWidget(grpUwagi, 2);
  Wire();
}

QString TabPodpisy::Caption() const { return u"Podpisy/Uwagi"_s; }

void TabPodpisy::Wire() {
  BindEdit(edtUpowWystaw, &TFaktura::SetIssuerName);
  BindEdit(edtUpowOdbioru, &TFaktura::SetReceiverName);
  BindMemo(mmoUwagi, &TFaktura::SetRemarks);
  connect(edtUwagiStale, &QLineEdit::textChanged, this, [this](const QString& text) {
    if (Editing()) Doc().SetStandingRemarks(FromQ(text.trimmed()));
  });
}

void TabPodpisy::LoadFields(const TFaktura& doc) {
  edtUpowWystaw->setText(ToQ(doc.IssuerName()));
  edtUpowOdbioru->setText(ToQ(doc.ReceiverName()));
  SetMemoText(mmoUwagi, doc.Remarks());
  edtUwagiStale->setText(ToQ(doc.StandingRemarks()));
}

}  // namespace bilvox
