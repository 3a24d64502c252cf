#include "info_window.h"

#include <QHBoxLayout>
#include <QStringList>
#include <QVBoxLayout>

#include "common/error.h"
#include "common/error_report.h"
#include "main_window.h"
#include "program.h"
#include "widgets.h"

using namespace Qt::StringLiterals;

namespace bilvox {

namespace {

struct Topic {
  int32_t bit;
  QString title;
  QStringList lines;  // each may hold line breaks of its own
};

const Topic& TopicOf(int32_t bit) {
  static const Topic kTopics[] = {
      {TfrmInfo::kTopicCorrection,
       u"Wystawianie faktury korygującej"_s,
       {u"W tabeli \"Towary na fakturze\" znajdują się pozycje, które widniały na pierwotnej "
        "fakturze VAT.\n\nPosługując się tą tabelą możesz wykonać następujące zmiany:"_s,
        u"1. Zaznaczyć towar, klikając na niego.\n2. Usunąć niepotrzebny towar przyciskiem "
        "[Usuń].\n3. Dokonać zmian w ilości lub cenie towaru. Zmiany zatwierdź przyciskiem "
        "[Zamień]."_s,
        u"4. Dodać towar, którego poprzednio brakowało. (Wpisz dane towaru i kliknij przycisk "
        "[Dodaj].)"_s}},
      {TfrmInfo::kTopicGoods,
       u"Posługiwanie się listą towarów"_s,
       {u"1. Wykorzystaj pola w oknie oznaczonym \"Dane towaru/usługi\", by wprowadzić "
        "informacje o towarze lub usłudze, a następnie dodaj towar do faktury przyciskiem "
        "[Dodaj]."_s,
        u"Pod przyciskiem [Z listy] dostępne są wszystkie towary, które zostały wcześniej "
        "umieszczone na dokumentach sprzedaży. Jeśli wybierzesz towar z tej listy, pozostanie "
        "Ci jedynie skorygowanie danych (np. ceny lub ilości) i kliknięcie przycisku "
        "[Dodaj].\n"_s,
        u"2. Tabela \"Towary na fakturze\" zawiera wszystkie pozycje dodane do faktury. Użyj "
        "jej by wykonać poprawki:"_s,
        u" - Zaznacz towar, który chcesz zmienić lub usunąć, klikając na niego.\n - Dane tego "
        "towaru pojawią się w oknie \"Dane towaru/usługi\".\n - Usuń niepotrzebny towar "
        "przyciskiem [Usuń] lub..."_s,
        u" - zmień dane towaru, a zmiany zatwierdź przyciskiem [Zamień]."_s}},
      {TfrmInfo::kTopicNumbering,
       u"Automatyczne numerowanie dokumentów"_s,
       {u"Karta ustawień automatycznego numerowania dokumentów została podzielona na trzy "
        "wiersze. Każdy wiersz odnosi się do jednego rodzaju dokumentów. Numeracja kazdego "
        "rodzaju dokumentów pracuje niezależenie od pozostałych.\n"_s,
        u"Dla wybranego rodzaju dokumentów możesz zmieniać 4 pola:"_s,
        u"- przedrostek - stały początkowy fragment numeru;\n- numer bieżący - numer, który "
        "otrzyma dokument utworzony poleceniem tworzenia nowego dokumentu;\n- ilość cyfr "
        "numeru - szerokość pola przeznaczonego na numer dokumnentu;"_s,
        u"- przyrostek - stały końcowy fragment numeru.\n"_s,
        u"Numer bieżący zwiększany jest, gdy nowy dokument zostanie wydrukowany lub "
        "zapisany.\n"_s,
        u"Przedrostek i przyrostek mogą być puste. Mogą także zawierać specjalne symbole "
        "zaczynające się od znaku %, których wpisanie spowoduje dodanie do numeru dokumentu "
        "dodatkowych danych. Symbole te są opisane na karcie ustawień.\n"_s,
        u"Spróbuj zmieniać pola na karcie ustawień, jednocześnie obserwując zmiany w kolumnie "
        "\"Przykład\".\n"_s}},
  };
  for (const Topic& t : kTopics)
    if (t.bit == bit) return t;
  static const Topic kNone{0, {}, {}};
  return kNone;
}

}  // namespace

TfrmInfo::TfrmInfo(TProgram& program) : QDialog(&program.frmMain()), program_(program) {
  setObjectName(u"frmInfo"_s);
  setWindowTitle(u"Informacja"_s);
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setModal(false);
  setFixedSize(439, 254);

  lblTitle = Make<QLabel>(this, u"lblTitle"_s);
  QFont titleFont(u"Arial"_s);
  titleFont.setPixelSize(13);
  titleFont.setBold(true);
  lblTitle->setFont(titleFont);
  lblTitle->setWordWrap(true);
  QPalette titlePalette = lblTitle->palette();
  titlePalette.setColor(QPalette::WindowText, QColor(130, 114, 0));
  lblTitle->setPalette(titlePalette);

  mmoInfo = Make<QPlainTextEdit>(this, u"mmoInfo"_s);
  mmoInfo->setReadOnly(true);
  mmoInfo->setFrameShape(QFrame::NoFrame);
  mmoInfo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QFont infoFont(u"Verdana"_s);
  infoFont.setPixelSize(11);
  mmoInfo->setFont(infoFont);
  QPalette infoPalette = mmoInfo->palette();
  infoPalette.setColor(QPalette::Text, QColor(45, 87, 91));
  mmoInfo->setPalette(infoPalette);

  chbDisableInfo = Make<QCheckBox>(this, u"chbDisableInfo"_s,
                                   u"Nie pokazuj tego komunikatu ponownie"_s);
  Button1 = Make<QPushButton>(this, u"Button1"_s, u"&Zamknij"_s);
  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblTitle);
  layout->addWidget(mmoInfo, 1);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(chbDisableInfo, 1);
  bottom->addWidget(Button1);
  layout->addLayout(bottom);

  CentreOver(this, &program.frmMain());
  TInfoWindowState& state = program.Services().settings.InfoWindow;
  Guarded([&] {
    if (state.Load(program.Services().store))
      move(state.InfoFormLeft.value_or(x()), state.InfoFormTop.value_or(y()));
  });
  disabled_ = state.DisableInfoOptions;
}

TfrmInfo::~TfrmInfo() {
  TInfoWindowState& state = program_.Services().settings.InfoWindow;
  state.InfoFormLeft = pos().x();
  state.InfoFormTop = pos().y();
  Guarded([&] { state.SavePlacement(program_.Services().store); });
}

void TfrmInfo::ShowTopic(int32_t topic, bool onDemand) {
  if (!onDemand && (disabled_ & topic)) return;
  topic_ = topic;
  const Topic& t = TopicOf(topic);
  mmoInfo->clear();
  lblTitle->setText(t.title);
  for (const QString& line : t.lines) mmoInfo->appendPlainText(line);
  mmoInfo->moveCursor(QTextCursor::Start);
  show();
  raise();
  chbDisableInfo->setChecked(onDemand && (disabled_ & topic));
}

void TfrmInfo::done(int result) {
  if (chbDisableInfo->isChecked())
    disabled_ |= topic_;
  else
    disabled_ &= ~topic_;
  TInfoWindowState& state = program_.Services().settings.InfoWindow;
  state.DisableInfoOptions = disabled_;
  Guarded([&] { state.SaveOptions(program_.Services().store); });
  QDialog::done(result);
}

}  // namespace bilvox
