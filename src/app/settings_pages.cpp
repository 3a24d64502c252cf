#include "settings_pages.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QValidator>
#include <QVBoxLayout>
#include <algorithm>

#include "dialogs.h"
#include "qt_canvas.h"
#include "ksef/ksef.h"
#include "qt_text.h"
#include "settings/numbering.h"
#include "settings/settings.h"
#include "widgets.h"

using namespace Qt::StringLiterals;

namespace bilvox {

namespace {

// Counters take digits only: anything else typed or pasted is dropped.
class DigitsValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& pos) const override {
    QString digits;
    int removedBefore = 0;
    for (int i = 0; i < input.size(); ++i) {
      if (input[i] >= u'0' && input[i] <= u'9')
        digits += input[i];
      else if (i < pos)
        ++removedBefore;
    }
    if (digits.size() != input.size()) {
      input = digits;
      pos = std::max(0, pos - removedBefore);
    }
    return Acceptable;
  }
};

ColorRef FromQColor(const QColor& c) {
  return RgbColor(static_cast<uint8_t>(c.red()), static_cast<uint8_t>(c.green()),
                  static_cast<uint8_t>(c.blue()));
}

QLabel* Caption(QWidget* parent, const QString& name, const QString& text) {
  return Make<QLabel>(parent, name, text);
}

}  // namespace

TUpDownEdit::TUpDownEdit(QWidget* parent, const QString& upDownName, const QString& editName,
                         SettingRange range)
    : QSpinBox(parent) {
  setObjectName(upDownName);
  lineEdit()->setObjectName(editName);
  setRange(range.min, range.max);
}

TColorPanel::TColorPanel(QWidget* parent, const QString& name) : QFrame(parent) {
  setObjectName(name);
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(1);
  setAutoFillBackground(true);
  setFixedSize(48, 20);
  setCursor(Qt::PointingHandCursor);
  SetColor(0);
}

void TColorPanel::SetColor(ColorRef color) {
  color_ = color;
  QPalette p = palette();
  p.setColor(QPalette::Window, ToQColor(color));
  setPalette(p);
}

void TColorPanel::mouseReleaseEvent(QMouseEvent* event) {
  QFrame::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
      onClick)
    onClick();
}

// --- "Ogólne" ---

TshGeneral::TshGeneral(QWidget* parent, FileDialogs& dialogs) : QWidget(parent), dialogs_(dialogs) {
  setObjectName(u"tshGeneral"_s);
  grpZapisywanie = Make<QGroupBox>(this, u"grpZapisywanie"_s, u"Zapisywanie dokumentów"_s);
  edtFolderFaktur = MakeEdit(grpZapisywanie, u"edtFolderFaktur"_s);
  Label27 = MakeLabel(grpZapisywanie, u"Label27"_s, u"Folder dokumentów:"_s, edtFolderFaktur);
  btnFolderBrowse = Make<QPushButton>(grpZapisywanie, u"btnFolderBrowse"_s, u"&Przeglądaj..."_s);
  btnFolderClear = Make<QPushButton>(grpZapisywanie, u"btnFolderClear"_s, u"&Wyczyść"_s);
  cbxAutoZapisFaktur = Make<QCheckBox>(grpZapisywanie, u"cbxAutoZapisFaktur"_s,
                                       u"Zapisz dokument automatycznie po wydruku"_s);
  auto* grid = new QGridLayout(grpZapisywanie);
  grid->addWidget(Label27, 0, 0, 1, 3);
  grid->addWidget(edtFolderFaktur, 1, 0);
  grid->addWidget(btnFolderBrowse, 1, 1);
  grid->addWidget(btnFolderClear, 1, 2);
  grid->addWidget(cbxAutoZapisFaktur, 2, 0, 1, 3);
  grid->setColumnStretch(0, 1);

  grpOpcjeWidoku = Make<QGroupBox>(this, u"grpOpcjeWidoku"_s, u"Opcje widoku"_s);
  cbxHideSellerPage = Make<QCheckBox>(grpOpcjeWidoku, u"cbxHideSellerPage"_s,
                                      u"Ukryj panel z danymi sprzedawcy"_s);
  (new QVBoxLayout(grpOpcjeWidoku))->addWidget(cbxHideSellerPage);

  grpKSeF = Make<QGroupBox>(this, u"grpKSeF"_s, u"Faktury KSeF"_s);
  edtKSeFPodstawaZwolnienia = MakeEdit(grpKSeF, u"edtKSeFPodstawaZwolnienia"_s);
  lblKSeFPodstawaZwolnienia =
      MakeLabel(grpKSeF, u"lblKSeFPodstawaZwolnienia"_s,
                u"Podstawa &zwolnienia z VAT (sprzedaż zwolniona):"_s, edtKSeFPodstawaZwolnienia);
  SetHint(edtKSeFPodstawaZwolnienia,
          u"Przepis, na podstawie którego sprzedaż jest zwolniona z VAT; trafia do faktur "
          u"KSeF z pozycjami zwolnionymi"_s, true);
  btnKSeFPodstawaDomyslna =
      Make<QPushButton>(grpKSeF, u"btnKSeFPodstawaDomyslna"_s, u"Do&myślna"_s);
  SetHint(btnKSeFPodstawaDomyslna, u"Wstawia zwolnienie podmiotowe (art. 113 ust. 1)"_s, true);
  auto* ksefGrid = new QGridLayout(grpKSeF);
  ksefGrid->addWidget(lblKSeFPodstawaZwolnienia, 0, 0, 1, 2);
  ksefGrid->addWidget(edtKSeFPodstawaZwolnienia, 1, 0);
  ksefGrid->addWidget(btnKSeFPodstawaDomyslna, 1, 1);
  ksefGrid->setColumnStretch(0, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(grpZapisywanie);
  layout->addWidget(grpOpcjeWidoku);
  layout->addWidget(grpKSeF);
  layout->addStretch(1);

  connect(edtFolderFaktur, &QLineEdit::textChanged, this, &TshGeneral::edtFolderFakturChange);
  connect(btnFolderBrowse, &QPushButton::clicked, this, &TshGeneral::btnFolderBrowseClick);
  connect(btnFolderClear, &QPushButton::clicked, edtFolderFaktur, &QLineEdit::clear);
  connect(btnKSeFPodstawaDomyslna, &QPushButton::clicked, this, [this] {
    edtKSeFPodstawaZwolnienia->setText(ToQ(kDefaultExemptBasis));
  });
  edtFolderFakturChange();
}

void TshGeneral::Put(const TSettings& settings) {
  const TAppSettings& s = settings.App;
  cbxAutoZapisFaktur->setChecked(s.AutoZapisFaktur);
  edtFolderFaktur->setText(ToQ(s.FolderFaktur));
  edtFolderFakturChange();
  cbxHideSellerPage->setChecked(s.HideSellerPage);
  // Typing stops at what KSeF takes; a longer stored text is shown whole, never cut here (the
  // export names it).
  const QString basis = ToQ(s.KSeFPodstawaZwolnienia);
  edtKSeFPodstawaZwolnienia->setMaxLength(
      std::max(static_cast<int>(kExemptBasisMaxLength), static_cast<int>(basis.size())));
  edtKSeFPodstawaZwolnienia->setText(basis);
  edtKSeFPodstawaZwolnienia->setCursorPosition(0);
}

void TshGeneral::Take(TSettings& settings) const {
  TAppSettings& s = settings.App;
  s.FolderFaktur = FromQ(edtFolderFaktur->text());
  s.AutoZapisFaktur = cbxAutoZapisFaktur->isChecked() && AutoSaveAllowed(s.FolderFaktur);
  s.HideSellerPage = cbxHideSellerPage->isChecked();
  // An emptied field gives the default back: an invoice with exempt lines needs a basis.
  const QString basis = edtKSeFPodstawaZwolnienia->text().simplified();
  s.KSeFPodstawaZwolnienia = basis.isEmpty() ? std::string(kDefaultExemptBasis) : FromQ(basis);
}

void TshGeneral::edtFolderFakturChange() {
  const bool allowed = AutoSaveAllowed(FromQ(edtFolderFaktur->text()));
  if (!allowed) cbxAutoZapisFaktur->setChecked(false);
  cbxAutoZapisFaktur->setEnabled(allowed);
}

void TshGeneral::btnFolderBrowseClick() {
  if (std::optional<QString> folder =
          dialogs_.Folder(window(), u"Folder dokumentów"_s, edtFolderFaktur->text()))
    edtFolderFaktur->setText(*folder);
}

// --- "Wygląd" ---

QStringList TshView::InstalledFonts() {
  QStringList fonts;
  for (const QString& family : QFontDatabase::families()) {
    if (!QFontDatabase::isScalable(family) || QFontDatabase::isPrivateFamily(family)) continue;
    if (QFontDatabase::writingSystems(family).contains(QFontDatabase::Symbol)) continue;
    fonts << family;
  }
  return fonts;
}

TshView::TshView(QWidget* parent, FileDialogs& dialogs) : QWidget(parent), dialogs_(dialogs) {
  setObjectName(u"tshView"_s);

  grpWyglad = Make<QGroupBox>(this, u"grpWyglad"_s, u"Ustawienia wyglądu"_s);
  cbxShowInfoFrame = Make<QCheckBox>(grpWyglad, u"cbxShowInfoFrame"_s,
                                     u"Pokaż ramkę informacyjną sprzedawcy"_s);
  cbxShowFooter = Make<QCheckBox>(grpWyglad, u"cbxShowFooter"_s, u"Pokaż stopkę programu Bilvox"_s);
  cbxShowUwagi = Make<QCheckBox>(grpWyglad, u"cbxShowUwagi"_s, u"Pokaż słowo \"Uwagi\""_s);
  updTabTowDist = new TUpDownEdit(grpWyglad, u"updTabTowDist"_s, u"edtTabTowDist"_s, kTabTowDistRange);
  edtTabTowDist = updTabTowDist->Edit();
  Label15 = MakeLabel(grpWyglad, u"Label15"_s, u"Odstęp przed tabelą towarów"_s, updTabTowDist);
  Label14 = Caption(grpWyglad, u"Label14"_s, u"mm"_s);
  cmbTemplate = MakeList(grpWyglad, u"cmbTemplate"_s, {u"Wzór 1"_s, u"Wzór 2"_s});
  Label22 = MakeLabel(grpWyglad, u"Label22"_s, u"Wzór dokumentu"_s, cmbTemplate);
  updLogoWidth = new TUpDownEdit(grpWyglad, u"updLogoWidth"_s, u"edtLogoWidth"_s, kLogoWidthRange);
  edtLogoWidth = updLogoWidth->Edit();
  Label24 = MakeLabel(grpWyglad, u"Label24"_s, u"Szerokość logo sprzedawcy:"_s, updLogoWidth);
  Label25 = Caption(grpWyglad, u"Label25"_s, u"mm"_s);
  cbxLogoWidthAuto = Make<QCheckBox>(grpWyglad, u"cbxLogoWidthAuto"_s, u"Automatycznie"_s);
  auto* look = new QGridLayout(grpWyglad);
  look->addWidget(cbxShowInfoFrame, 0, 0, 1, 3);
  look->addWidget(cbxShowFooter, 1, 0, 1, 3);
  look->addWidget(cbxShowUwagi, 2, 0, 1, 3);
  look->addWidget(Label15, 3, 0);
  look->addWidget(updTabTowDist, 3, 1);
  look->addWidget(Label14, 3, 2);
  look->addWidget(Label22, 4, 0);
  look->addWidget(cmbTemplate, 4, 1, 1, 2);
  look->addWidget(Label24, 5, 0);
  look->addWidget(updLogoWidth, 5, 1);
  look->addWidget(Label25, 5, 2);
  look->addWidget(cbxLogoWidthAuto, 6, 1, 1, 2);
  look->setRowStretch(7, 1);

  grpKolory = Make<QGroupBox>(this, u"grpKolory"_s, u"Kolory"_s);
  pnlLinesColor = new TColorPanel(grpKolory, u"pnlLinesColor"_s);
  Label9 = MakeLabel(grpKolory, u"Label9"_s, u"Kolor linii"_s, nullptr);
  pnlHdrFillColor = new TColorPanel(grpKolory, u"pnlHdrFillColor"_s);
  Label10 = MakeLabel(grpKolory, u"Label10"_s, u"Kolor nagłówków"_s, nullptr);
  pnlHdrTextColor = new TColorPanel(grpKolory, u"pnlHdrTextColor"_s);
  Label19 = MakeLabel(grpKolory, u"Label19"_s, u"Kolor tekstu nagłówków"_s, nullptr);
  pnlShadowColor = new TColorPanel(grpKolory, u"pnlShadowColor"_s);
  Label8 = MakeLabel(grpKolory, u"Label8"_s, u"Kolor cienia"_s, nullptr);
  cbxShowShadows = Make<QCheckBox>(grpKolory, u"cbxShowShadows"_s, u"Włącz cienie"_s);
  btnColors = Make<QPushButton>(grpKolory, u"btnColors"_s, u"Wybierz"_s);
  Label23 = MakeLabel(grpKolory, u"Label23"_s, u"Zestaw kolorów"_s, btnColors);
  ppmColors = Make<QMenu>(btnColors, u"ppmColors"_s);
  for (const ColorSet& set : kColorSets) {
    QAction* item = ppmColors->addAction(ToQ(set.name));
    item->setObjectName(u"mni"_s + ToQ(set.name));
    connect(item, &QAction::triggered, this, [this, &set] { ChooseColorSet(set); });
  }
  auto* colours = new QGridLayout(grpKolory);
  int row = 0;
  for (auto [label, panel] : {std::pair{Label9, pnlLinesColor}, std::pair{Label10, pnlHdrFillColor},
                              std::pair{Label19, pnlHdrTextColor}, std::pair{Label8, pnlShadowColor}}) {
    colours->addWidget(label, row, 0);
    colours->addWidget(panel, row++, 1);
    panel->onClick = [this, panel = panel] { PanelClick(panel); };
  }
  colours->addWidget(cbxShowShadows, row++, 0, 1, 2);
  colours->addWidget(Label23, row, 0);
  colours->addWidget(btnColors, row, 1);

  grpCzcionka = Make<QGroupBox>(this, u"grpCzcionka"_s, u"Czcionka dokumentu"_s);
  cmbFontName = Make<QComboBox>(grpCzcionka, u"cmbFontName"_s);
  cmbFontName->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  cmbFontName->setMinimumContentsLength(12);
  for (const QString& family : InstalledFonts()) {
    cmbFontName->addItem(family);
    cmbFontName->setItemData(cmbFontName->count() - 1, QFont(family), Qt::FontRole);
  }
  updFontSize = new TUpDownEdit(grpCzcionka, u"updFontSize"_s, u"Edit2"_s, kFontSizeDeltaRange);
  Edit2 = updFontSize->Edit();
  Label20 = MakeLabel(grpCzcionka, u"Label20"_s, u"Zmiana rozmiaru czcionki"_s, updFontSize);
  auto* font = new QGridLayout(grpCzcionka);
  font->addWidget(cmbFontName, 0, 0, 1, 2);
  font->addWidget(Label20, 1, 0);
  font->addWidget(updFontSize, 1, 1);

  auto* right = new QVBoxLayout;
  right->addWidget(grpKolory);
  right->addWidget(grpCzcionka);
  right->addStretch(1);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(grpWyglad, 1);
  layout->addLayout(right);

  connect(cbxLogoWidthAuto, &QCheckBox::toggled, this, &TshView::cbxLogoWidthAutoClick);
  connect(btnColors, &QPushButton::clicked, this, &TshView::btnColorsClick);
}

void TshView::Put(const TSettings& settings) {
  const TAppSettings& s = settings.App;
  cbxShowInfoFrame->setChecked(s.ShowInfoFrame);
  cbxShowFooter->setChecked(s.ShowFooter);
  cbxShowUwagi->setChecked(s.ShowUwagi);
  updTabTowDist->setValue(s.TabTowDist);
  cmbTemplate->setCurrentIndex(s.DocTemplate >= 0 && s.DocTemplate < cmbTemplate->count() ? s.DocTemplate : -1);
  updLogoWidth->setValue(s.LogoWidth);
  cbxLogoWidthAuto->setChecked(s.LogoWidthAuto);
  cbxLogoWidthAutoClick();
  pnlLinesColor->SetColor(s.LinesColor);
  pnlHdrFillColor->SetColor(s.HdrFillColor);
  pnlHdrTextColor->SetColor(s.HdrTextColor);
  pnlShadowColor->SetColor(s.ShadowColor);
  cbxShowShadows->setChecked(s.ShowShadows);
  // No selection when the font is not installed here.
  cmbFontName->setCurrentIndex(cmbFontName->findText(ToQ(s.FontName), Qt::MatchFixedString));
  updFontSize->setValue(s.FontSizeDelta);
}

void TshView::Take(TSettings& settings) const {
  TAppSettings& s = settings.App;
  s.ShowInfoFrame = cbxShowInfoFrame->isChecked();
  s.ShowFooter = cbxShowFooter->isChecked();
  s.ShowUwagi = cbxShowUwagi->isChecked();
  s.TabTowDist = updTabTowDist->value();
  if (cmbTemplate->currentIndex() >= 0) s.DocTemplate = cmbTemplate->currentIndex();
  s.LogoWidth = updLogoWidth->value();
  s.LogoWidthAuto = cbxLogoWidthAuto->isChecked();
  s.LinesColor = pnlLinesColor->Color();
  s.HdrFillColor = pnlHdrFillColor->Color();
  s.HdrTextColor = pnlHdrTextColor->Color();
  s.ShadowColor = pnlShadowColor->Color();
  s.ShowShadows = cbxShowShadows->isChecked();
  // A font that is not installed here is kept as it is: the printout still asks for it
  // (the system may have a face standing in for it), and the user did not choose another.
  if (cmbFontName->currentIndex() >= 0) s.FontName = FromQ(cmbFontName->currentText());
  s.FontSizeDelta = updFontSize->value();
}

void TshView::cbxLogoWidthAutoClick() { updLogoWidth->setEnabled(!cbxLogoWidthAuto->isChecked()); }

void TshView::PanelClick(TColorPanel* panel) {
  if (std::optional<QColor> color = dialogs_.Color(window(), ToQColor(panel->Color())))
    panel->SetColor(FromQColor(*color));
}

void TshView::btnColorsClick() {
  ppmColors->popup(btnColors->mapToGlobal(QPoint(0, btnColors->height())));
}

void TshView::ChooseColorSet(const ColorSet& set) {
  TAppSettings shown;
  ApplyColorSet(set, shown);
  pnlLinesColor->SetColor(shown.LinesColor);
  pnlHdrFillColor->SetColor(shown.HdrFillColor);
  pnlHdrTextColor->SetColor(shown.HdrTextColor);
  pnlShadowColor->SetColor(shown.ShadowColor);
  cbxShowShadows->setChecked(shown.ShowShadows);
}

// --- "Numerowanie" ---

TshAutoNumbering::TshAutoNumbering(QWidget* parent) : QWidget(parent) {
  setObjectName(u"tshAutoNumbering"_s);
  grpNumerowanie =
      Make<QGroupBox>(this, u"grpNumerowanie"_s, u"Automatyczne numerowanie dokumentów"_s);
  auto* grid = new QGridLayout(grpNumerowanie);
  const QString headers[][2] = {{u"Label11"_s, u"Stały przedrostek"_s},
                                {u"Label7"_s, u"Numer bieżący"_s},
                                {u"Label18"_s, u"Ilość cyfr numeru"_s},
                                {u"Label21"_s, u"Stały przyrostek"_s},
                                {u"Label5"_s, u"Przykład"_s}};
  int column = 1;
  for (const auto& [name, text] : headers) {
    QLabel* header = Caption(grpNumerowanie, name, text);
    header->setWordWrap(true);
    grid->addWidget(header, 0, column++);
  }
  const QString kinds[kNumberedKindCount][3] = {{u"Label12"_s, u"Faktury"_s, u"Fakt"_s},
                                                {u"Label13"_s, u"Rachunki"_s, u"Rach"_s},
                                                {u"Label17"_s, u"Korekty"_s, u"Kor"_s}};
  for (int k = 0; k < kNumberedKindCount; ++k) {
    const QString& key = kinds[k][2];
    Row& r = rows[k];
    r.edtPrefix = MakeEdit(grpNumerowanie, u"edt"_s + key + u"Prefix"_s);
    r.caption = MakeLabel(grpNumerowanie, kinds[k][0], kinds[k][1], r.edtPrefix);
    r.edtNumber = Make<QLineEdit>(grpNumerowanie, u"edt"_s + key + u"Number"_s);
    r.edtNumber->setValidator(new DigitsValidator(r.edtNumber));
    r.updNumWidth = new TUpDownEdit(grpNumerowanie, u"upd"_s + key + u"NumWidth"_s,
                                    u"edt"_s + key + u"NumWidth"_s, kNumWidthRange);
    r.edtNumWidth = r.updNumWidth->Edit();
    r.edtSufix = MakeEdit(grpNumerowanie, u"edt"_s + key + u"Sufix"_s);
    for (QWidget* w : {static_cast<QWidget*>(r.edtPrefix), static_cast<QWidget*>(r.edtSufix)})
      w->setMaximumWidth(96);
    r.edtNumber->setMaximumWidth(72);
    r.updNumWidth->setMaximumWidth(56);
    r.lblExample = Caption(grpNumerowanie, u"lbl"_s + key + u"Example"_s, QString());
    r.lblExample->setMinimumWidth(90);
    QFont bold = r.lblExample->font();
    bold.setBold(true);
    r.lblExample->setFont(bold);
    grid->addWidget(r.caption, k + 1, 0);
    grid->addWidget(r.edtPrefix, k + 1, 1);
    grid->addWidget(r.edtNumber, k + 1, 2);
    grid->addWidget(r.updNumWidth, k + 1, 3);
    grid->addWidget(r.edtSufix, k + 1, 4);
    grid->addWidget(r.lblExample, k + 1, 5);
    for (QLineEdit* edit : {r.edtPrefix, r.edtNumber, r.edtSufix})
      connect(edit, &QLineEdit::textChanged, this, &TshAutoNumbering::ShowExamples);
    connect(r.updNumWidth, &QSpinBox::textChanged, this, &TshAutoNumbering::ShowExamples);
  }

  auto* legend = new QVBoxLayout;
  int line = 1;
  for (const QString& text :
       {u"Jeśli chcesz zawrzeć w numerze dokumentu:"_s, u"numer miesiąca - wpisz %m,"_s,
        u"skrót nazwy miesiąca - wpisz %M,"_s, u"rok 2-cyfrowo - wpisz %r"_s,
        u"rok 4-cyfrowo - wpisz %R."_s})
    legend->addWidget(Caption(grpNumerowanie, u"lblLegend"_s + QString::number(line++), text));
  btnHelpAutoNum = Make<QPushButton>(grpNumerowanie, u"btnHelpAutoNum"_s, u"?"_s);
  QFont bold = btnHelpAutoNum->font();
  bold.setBold(true);
  btnHelpAutoNum->setFont(bold);
  btnHelpAutoNum->setFixedSize(24, 24);
  auto* bottom = new QHBoxLayout;
  bottom->addLayout(legend, 1);
  bottom->addWidget(btnHelpAutoNum, 0, Qt::AlignBottom);
  grid->addLayout(bottom, kNumberedKindCount + 1, 0, 1, 6);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(grpNumerowanie);
  layout->addStretch(1);
  ShowExamples();
}

void TshAutoNumbering::Put(const TSettings& settings) {
  for (int k = 0; k < kNumberedKindCount; ++k) {
    const TNumberingScheme& scheme = settings.Numbering.Schemes[k];
    Row& r = rows[k];
    r.edtPrefix->setText(ToQ(scheme.Prefix));
    r.edtNumber->setText(QString::number(scheme.Number));
    r.updNumWidth->setValue(scheme.NumWidth);
    r.edtSufix->setText(ToQ(scheme.Sufix));
  }
  ShowExamples();
}

void TshAutoNumbering::Take(TSettings& settings) const {
  for (int k = 0; k < kNumberedKindCount; ++k) {
    TNumberingScheme& scheme = settings.Numbering.Schemes[k];
    const Row& r = rows[k];
    scheme.Prefix = FromQ(r.edtPrefix->text());
    scheme.Number = CounterFromText(FromQ(r.edtNumber->text()));
    scheme.NumWidth = r.updNumWidth->value();
    scheme.Sufix = FromQ(r.edtSufix->text());
  }
}

void TshAutoNumbering::ShowExamples() {
  for (Row& r : rows) {
    if (!r.lblExample) return;  // still being built
    r.lblExample->setText(ToQ(PreviewNumber(FromQ(r.edtPrefix->text()), FromQ(r.edtNumber->text()),
                                            FromQ(r.updNumWidth->cleanText()),
                                            FromQ(r.edtSufix->text()))));
  }
}

// --- "Listy wyboru" ---

TshLists::TshLists(QWidget* parent) : QWidget(parent) {
  setObjectName(u"tshLists"_s);
  auto* layout = new QHBoxLayout(this);
  auto group = [&](const QString& groupName, const QString& title, const QString& listName,
                   const QString& buttonName, QListWidget*& list, QPushButton*& button) {
    auto* box = Make<QGroupBox>(this, groupName, title);
    list = Make<QListWidget>(box, listName);
    // As wide as the page makes it, not as a list's designed size.
    list->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    list->setMinimumSize(120, 100);
    button = Make<QPushButton>(box, buttonName, u"Usuń"_s);
    auto* column = new QVBoxLayout(box);
    column->addWidget(list, 1);
    column->addWidget(button);
    layout->addWidget(box);
    connect(button, &QPushButton::clicked, list, [list] {
      const QList<QListWidgetItem*> selected = list->selectedItems();
      if (!selected.isEmpty()) delete list->takeItem(list->row(selected.first()));
    });
  };
  group(u"grpPKWIU"_s, u"Symbole PKWiU"_s, u"lbxPKWIU"_s, u"btnDelPKWIU"_s, lbxPKWIU, btnDelPKWIU);
  group(u"grpJM"_s, u"Jednostki miar"_s, u"lbxJM"_s, u"btnDelJM"_s, lbxJM, btnDelJM);
  group(u"grpFormyPlatnosci"_s, u"Formy płatności"_s, u"lbxFormyPlatnosci"_s,
        u"btnDelFormyPlatnosci"_s, lbxFormyPlatnosci, btnDelFormyPlatnosci);
}

void TshLists::PutItems(QListWidget* list, const QStringList& items) {
  list->clear();
  list->addItems(items);
}

QStringList TshLists::Items(const QListWidget* list) {
  QStringList items;
  for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
  return items;
}

}  // namespace bilvox
