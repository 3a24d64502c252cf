#include "ksef_window.h"

#include <QGridLayout>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "common/cp1250.h"
#include "common/messages.h"
#include "qt_text.h"
#include "widgets.h"

using namespace Qt::StringLiterals;

namespace bilvox {

TfrmKSeF::TfrmKSeF(QWidget* parent) : QDialog(parent) {
  setObjectName(u"frmKSeF"_s);
  setWindowTitle(u"Eksport do KSeF"_s);

  lblInfo = Make<QLabel>(this, u"lblInfo"_s,
                         u"Plik korekty nie zawiera daty wystawienia faktury korygowanej, "
                         u"a KSeF jej wymaga. Podaj ją, aby zapisać korektę w formacie KSeF."_s);
  lblInfo->setWordWrap(true);

  edtNrFaKorygowanej = Make<QLineEdit>(this, u"edtNrFaKorygowanej"_s);
  edtNrFaKorygowanej->setReadOnly(true);
  edtNrFaKorygowanej->setFocusPolicy(Qt::NoFocus);
  lblNrFaKorygowanej = MakeLabel(this, u"lblNrFaKorygowanej"_s, u"Faktura korygowana:"_s,
                                 edtNrFaKorygowanej);

  edtDataFaKorygowanej = Make<QLineEdit>(this, u"edtDataFaKorygowanej"_s);
  edtDataFaKorygowanej->setPlaceholderText(u"RRRR-MM-DD"_s);
  edtDataFaKorygowanej->setMaxLength(10);
  edtDataFaKorygowanej->setValidator(new QRegularExpressionValidator(
      QRegularExpression(u"[0-9.\\-]*"_s), edtDataFaKorygowanej));
  lblDataFaKorygowanej =
      MakeLabel(this, u"lblDataFaKorygowanej"_s, u"&Data wystawienia faktury korygowanej:"_s,
                edtDataFaKorygowanej);

  edtNrKSeF = MakeEdit(this, u"edtNrKSeF"_s);
  edtNrKSeF->setMaxLength(256);
  lblNrKSeF = MakeLabel(this, u"lblNrKSeF"_s,
                        u"&Numer KSeF faktury korygowanej (tylko gdy była wysłana do KSeF):"_s,
                        edtNrKSeF);
  SetHint(edtNrKSeF, u"Puste pole oznacza fakturę wystawioną poza KSeF"_s, true);

  auto* grid = new QGridLayout;
  grid->addWidget(lblNrFaKorygowanej, 0, 0);
  grid->addWidget(edtNrFaKorygowanej, 0, 1);
  grid->addWidget(lblDataFaKorygowanej, 1, 0);
  grid->addWidget(edtDataFaKorygowanej, 1, 1);
  grid->addWidget(lblNrKSeF, 2, 0, 1, 2);
  grid->addWidget(edtNrKSeF, 3, 0, 1, 2);
  grid->setColumnStretch(1, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblInfo);
  layout->addLayout(grid);
  AddOkCancel(this, layout);
  setMinimumWidth(440);
}

std::optional<TfrmKSeF::Answer> TfrmKSeF::Execute(const std::string& correctedNumber,
                                                  const std::optional<Answer>& previous) {
  edtNrFaKorygowanej->setText(ToQ(correctedNumber));
  edtDataFaKorygowanej->setText(
      previous ? QString::fromStdString(IsoDateText(previous->correctedIssueDate)) : QString());
  edtNrKSeF->setText(previous ? ToQ(previous->correctedKsefNumber) : QString());
  edtDataFaKorygowanej->setFocus();
  if (exec() != QDialog::Accepted) return std::nullopt;
  return Answer{*TypedDate(), FromQ(edtNrKSeF->text().trimmed())};
}

std::optional<Ymd> TfrmKSeF::TypedDate() const {
  const QString text = edtDataFaKorygowanej->text().trimmed();
  if (std::optional<Ymd> iso = ParseIsoDate(text.toStdString())) return iso;
  const QDate dotted = QDate::fromString(text, u"d.M.yyyy"_s);
  if (!dotted.isValid()) return std::nullopt;
  return Ymd{dotted.year(), dotted.month(), dotted.day()};
}

void TfrmKSeF::accept() {
  if (!TypedDate()) {
    Messages().Show(FromQ(windowTitle()),
                    "Podaj datę wystawienia faktury korygowanej, np. 2027-02-14."_cp,
                    MsgIcon::Warning, MsgButtons::Ok);
    edtDataFaKorygowanej->setFocus();
    edtDataFaKorygowanej->selectAll();
    return;
  }
  QDialog::accept();
}

}  // namespace bilvox
