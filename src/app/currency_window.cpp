#include "currency_window.h"

#include <QDesktopServices>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLocale>
#include <QMouseEvent>
#include <QValidator>
#include <QVBoxLayout>

#include "common/cp1250.h"
#include "common/dates.h"
#include "common/error.h"
#include "common/error_report.h"
#include "main_window.h"
#include "program.h"
#include "qt_text.h"
#include "widgets.h"
#include "words/number_input.h"

using namespace Qt::StringLiterals;

namespace bilvox {

namespace {

// The currency code as it is typed: capital letters (in the way of the user's language),
// and only characters the document can store.
class CurrencyCodeValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& pos) const override {
    const QString upper = QLocale().toUpper(WithoutForeignCharacters(input));
    if (upper != input) {
      input = upper;
      pos = std::min<int>(pos, static_cast<int>(input.size()));
    }
    return Acceptable;
  }
};

}  // namespace

TLinkLabel::TLinkLabel(QWidget* parent, const QString& name, const QString& text)
    : QLabel(text, parent) {
  setObjectName(name);
  setCursor(Qt::PointingHandCursor);
  QFont underlined = font();
  underlined.setUnderline(true);
  setFont(underlined);
  QPalette p = palette();
  p.setColor(QPalette::WindowText, QColor(0, 0, 255));
  setPalette(p);
}

void TLinkLabel::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
      onClick)
    onClick();
}

TfrmWaluta::TfrmWaluta(TProgram& program)
    : QDialog(&program.frmMain()),
      program_(program),
      openUrl_([](const QUrl& url) { QDesktopServices::openUrl(url); }) {
  setObjectName(u"frmWaluta"_s);
  setWindowTitle(u"Waluta obca"_s);
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

  GroupBox12 = Make<QGroupBox>(this, u"GroupBox12"_s, u"Waluta"_s);
  cbxWaluta = Make<QComboBox>(GroupBox12, u"cbxWaluta"_s);
  cbxWaluta->setEditable(true);
  cbxWaluta->setInsertPolicy(QComboBox::NoInsert);
  cbxWaluta->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  cbxWaluta->setMinimumContentsLength(6);
  cbxWaluta->addItems({u"PLN"_s, u"EUR"_s, u"USD"_s, u"GBP"_s});
  cbxWaluta->setValidator(new CurrencyCodeValidator(cbxWaluta));
  (new QVBoxLayout(GroupBox12))->addWidget(cbxWaluta);

  GroupBox1 = Make<QGroupBox>(this, u"GroupBox1"_s, u"Kurs"_s);
  edtKurs = MakeEdit(GroupBox1, u"edtKurs"_s);
  (new QVBoxLayout(GroupBox1))->addWidget(edtKurs);

  btnWstawKurs =
      Make<QPushButton>(this, u"btnWstawKurs"_s, u"<- Wstaw kurs obowiązujący dzisiaj"_s);

  GroupBox2 = Make<QGroupBox>(this, u"GroupBox2"_s, u"Kursy walut w Internecie"_s);
  lblURL1 = new TLinkLabel(GroupBox2, u"lblURL1"_s, u"Sprawdź dzisiejsze kursy walut NBP"_s);
  lblURL2 = new TLinkLabel(GroupBox2, u"lblURL2"_s, u"Sprawdź archiwum kursów walut NBP"_s);
  lblURL1->onClick = [this] { openUrl_(QUrl(QString::fromLatin1(kNbpTodayRatesPage))); };
  lblURL2->onClick = [this] { openUrl_(QUrl(QString::fromLatin1(kNbpArchivePage))); };
  auto* links = new QVBoxLayout(GroupBox2);
  links->addWidget(lblURL1);
  links->addWidget(lblURL2);

  lblStatus = Make<QLabel>(this, u"lblStatus"_s);

  btnOk = Make<QPushButton>(this, u"btnOk"_s, u"OK"_s);
  btnOk->setDefault(true);
  btnCancel = Make<QPushButton>(this, u"btnCancel"_s, u"Anuluj"_s);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(btnOk);
  buttons->addWidget(btnCancel);
  buttons->addStretch(1);

  auto* grid = new QGridLayout(this);
  grid->addWidget(GroupBox12, 0, 0);
  grid->addWidget(GroupBox1, 0, 1);
  grid->addWidget(btnWstawKurs, 1, 0, 1, 2);
  grid->addWidget(GroupBox2, 2, 0, 1, 2);
  grid->addWidget(lblStatus, 3, 0, 1, 3);
  grid->addLayout(buttons, 0, 2, 3, 1);
  setFixedSize(sizeHint().expandedTo(QSize(392, 152)));

  connect(cbxWaluta, &QComboBox::currentTextChanged, this, &TfrmWaluta::cbxWalutaChange);
  connect(btnWstawKurs, &QPushButton::clicked, this, &TfrmWaluta::btnWstawKursClick);
  connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

  PutValues("PLN", Currency::FromRaw(10000));
}

TfrmWaluta::~TfrmWaluta() {
  // The download's thread must be gone before the window it reports to.
  download_.request_stop();
  if (download_.joinable()) download_.join();
}

bool TfrmWaluta::Execute(std::string& code, Currency& rate) {
  PutValues(code, rate);
  if (exec() != QDialog::Accepted) return false;
  code = FromQ(cbxWaluta->currentText().trimmed());
  // A rate box without a number hands over 0.
  rate = ParseDecimalInput(FromQ(edtKurs->text())).value_or(Currency{});
  return true;
}

void TfrmWaluta::ShowNonModal(const std::string& code, Currency rate) {
  PutValues(code, rate);
  show();
  raise();
}

void TfrmWaluta::PutValues(const std::string& code, Currency rate) {
  const QString text = ToQ(code);
  const int index = cbxWaluta->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
  cbxWaluta->setCurrentIndex(index);
  if (index < 0) cbxWaluta->setEditText(text);
  cbxWalutaChange();
  edtKurs->setText(ToQ(RateText(rate)));
}

void TfrmWaluta::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreOver(this, &program_.frmMain());
  lblStatus->clear();
  cbxWaluta->setFocus();
}

void TfrmWaluta::done(int result) {
  StopDownload();
  QDialog::done(result);
}

void TfrmWaluta::cbxWalutaChange() {
  const bool foreign = cbxWaluta->currentText().trimmed() != u"PLN"_s;
  edtKurs->setEnabled(foreign);
  btnWstawKurs->setEnabled(foreign && !Downloading());
}

void TfrmWaluta::btnWstawKursClick() {
  if (Downloading()) return;
  const unsigned id = ++downloadId_;
  const std::string code = FromQ(cbxWaluta->currentText());
  const RateServer server = server_.value_or(RateServer{});
  const Ymd day = TodayYmd();
  btnWstawKurs->setEnabled(false);
  setCursor(Qt::BusyCursor);

  download_ = std::jthread([this, id, code, server, day](std::stop_token stop) {
    const RateStatusFn status = [this, id](const std::string& text) {
      QMetaObject::invokeMethod(
          this,
          [this, id, text] {
            if (id == downloadId_) lblStatus->setText(ToQ(text));
          },
          Qt::QueuedConnection);
    };
    Outcome outcome;
    try {
      outcome.rate = DownloadAverageRate(code, day, server, status, stop);
    } catch (const RateDownloadError& e) {
      outcome.error = e.Message();
      outcome.rateBox = e.RateBox();
      outcome.cancelled = e.Cancelled();
    } catch (const Error& e) {
      outcome.error = e.Message();
    } catch (const std::exception&) {
      outcome.error = "Nie można pobrać danych z serwera NBP (tabela XML)"_cp;
    }
    QMetaObject::invokeMethod(
        this, [this, id, outcome] { DownloadFinished(id, outcome); }, Qt::QueuedConnection);
  });
}

void TfrmWaluta::DownloadFinished(unsigned id, const Outcome& outcome) {
  if (id != downloadId_) return;  // stopped meanwhile
  EndDownload();
  if (outcome.cancelled) return;
  if (outcome.rate) {
    edtKurs->setText(ToQ(RateText(*outcome.rate)));
    return;
  }
  if (outcome.rateBox) edtKurs->setText(ToQ(RateText(*outcome.rateBox)));
  ShowCommandError(Error(outcome.error));
}

void TfrmWaluta::StopDownload() {
  if (!download_.joinable()) return;
  ++downloadId_;
  download_.request_stop();
  EndDownload();
}

void TfrmWaluta::EndDownload() {
  if (download_.joinable()) download_.join();
  unsetCursor();
  lblStatus->clear();
  cbxWalutaChange();
}

}  // namespace bilvox
