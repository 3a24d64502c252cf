#include "main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QPrinter>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTabBar>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "about_box.h"
#include "common/cp1250.h"
#include "common/error.h"
#include "common/error_report.h"
#include "common/messages.h"
#include "contractors_window.h"
#include "currency_window.h"
#include "document/faktura.h"
#include "file_commands.h"
#include "goods_window.h"
#include "help.h"
#include "info_window.h"
#include "main_window_extensions.h"
#include "preview.h"
#include "print_commands.h"
#include "printer_setup_qt.h"
#include "printout/page.h"
#include "program.h"
#include "qt_text.h"
#include "settings_window.h"
#include "tab_buyer.h"
#include "tab_document.h"
#include "tab_items.h"
#include "tab_payment.h"
#include "tab_seller.h"
#include "tab_signatures.h"
#include "widgets.h"

using namespace Qt::StringLiterals;

namespace bilvox {

namespace {

QIcon ToolIcon(QWidget* w, const QString& themeName, QStyle::StandardPixmap fallback) {
  return QIcon::fromTheme(themeName, w->style()->standardIcon(fallback));
}

}  // namespace

TfrmMain::TfrmMain(TProgram& program) : program_(program) {
  AppServices& services = program.Services();
  setObjectName(u"frmMain"_s);
  setMinimumSize(632, 252);
  resize(638, 466);
  setAcceptDrops(true);

  document_ = std::make_unique<TFaktura>(&services.store);
  drawing_ = std::make_unique<PageDrawing>(*document_, services.settings.App);
  context_ = std::make_unique<EditContext>(
      EditContext{*document_, services.settings, services.dialogs, false});
  printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  fileCommands_ = std::make_unique<TFileCommands>(program, *this);
  printCommands_ = std::make_unique<TPrintCommands>(program, *this);

  CreateActions();
  CreateMenus();

  auto* central = new QWidget(this);
  central->setObjectName(u"pnlClient"_s);
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  auto* strip = Make<QFrame>(central, u"pnlStrip"_s);
  strip->setFixedHeight(8);
  strip->setAutoFillBackground(true);
  QPalette stripPalette = strip->palette();
  stripPalette.setColor(QPalette::Window, stripPalette.color(QPalette::Highlight));
  strip->setPalette(stripPalette);
  column->addWidget(strip);
  pgcFaktura = Make<QTabWidget>(central, u"pgcFaktura"_s);
  pgcFaktura->tabBar()->setExpanding(false);
  // The tabs take the height their fields need; the preview gets the rest.
  pgcFaktura->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
  pgcFaktura->tabBar()->setMouseTracking(true);
  column->addWidget(pgcFaktura);
  CreateTabs();
  ScrollBox1 = new TPreviewArea(*document_, *drawing_, central);
  column->addWidget(ScrollBox1, 1);
  setCentralWidget(central);

  StatusBar1 = Make<QStatusBar>(this, u"StatusBar1"_s);
  StatusPanel0 = Make<QLabel>(StatusBar1, u"StatusPanel0"_s);
  StatusPanel0->setFixedWidth(300);
  StatusPanel1 = Make<QLabel>(StatusBar1, u"StatusPanel1"_s);
  StatusPanel1->setFixedWidth(90);
  StatusPanel2 = Make<QLabel>(StatusBar1, u"StatusPanel2"_s);
  StatusPanel2->setFixedWidth(50);
  for (QLabel* panel : {StatusPanel0, StatusPanel1, StatusPanel2}) {
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    StatusBar1->addWidget(panel);
  }
  setStatusBar(StatusBar1);
  connect(ScrollBox1, &TPreviewArea::DrawingFailed, this, [this](const QString& message) {
    StatusPanel0->setText(QString(message).replace(u'\n', u' '));
  });

  WireTabs();
  AttachEnterKey();
  // The window watches the keys of its fields: its shortcuts come before their editing keys
  // (Ctrl+K is a new correction, not "delete to the end of the line"), and Enter moves on.
  qApp->installEventFilter(this);
  FormCreate();
  InstallMainWindowExtensions(*this);
}

TfrmMain::~TfrmMain() {
  qApp->removeEventFilter(this);
  FormDestroy();
}

void TfrmMain::CreateActions() {
  struct Spec {
    QAction** action;
    QString name, caption, tooltip, status;
    QKeySequence shortcut;
  };
  const Spec specs[] = {
      {&FileNewFaktura, u"FileNewFaktura"_s, u"Nowa &faktura"_s, u"Nowa faktura"_s,
       u"Tworzy nową fakturę"_s, QKeySequence(Qt::CTRL | Qt::Key_N)},
      {&FileNewRachunek, u"FileNewRachunek"_s, u"Nowy &rachunek"_s, u"Nowy rachunek"_s,
       u"Tworzy nową fakturę nie-vatowską"_s, QKeySequence(Qt::CTRL | Qt::Key_R)},
      {&FileNewKorekta, u"FileNewKorekta"_s, u"Nowa &korekta"_s, u"Korekta"_s,
       u"Wystawia fakturę korygującą do otwartej faktury"_s, QKeySequence(Qt::CTRL | Qt::Key_K)},
      {&FileOpen, u"FileOpen"_s, u"&Otwórz..."_s, u"Otwórz"_s, u"Otwiera dokument z pliku"_s,
       QKeySequence(Qt::CTRL | Qt::Key_O)},
      {&FileSave, u"FileSave"_s, u"&Zapisz"_s, u"Zapisz"_s, u"Zapisuje dokument do pliku"_s,
       QKeySequence(Qt::CTRL | Qt::Key_S)},
      {&FileSaveAs, u"FileSaveAs"_s, u"Zapisz &jako..."_s, u"Zapisz"_s,
       u"Zapisuje dokument do pliku pod inną nazwą"_s, QKeySequence(Qt::Key_F12)},
      {&FilePrint, u"FilePrint"_s, u"&Drukuj..."_s, u"Drukuj"_s, u"Drukuje dokument"_s,
       QKeySequence(Qt::CTRL | Qt::Key_P)},
      {&FilePrinterSettings, u"FilePrinterSettings"_s, u"&Ustawienia drukarki..."_s,
       u"Ustawienia drukarki"_s,
       u"Umożliwia dostosowanie ustawień drukarki  przed drukowaniem faktury"_s,
       QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_P)},
      {&FileExit, u"FileExit"_s, u"&Wyjście"_s, u"Wyjście"_s, u"Kończy działanie programu"_s,
       QKeySequence(Qt::ALT | Qt::Key_F4)},
      {&ViewScaleUp, u"ViewScaleUp"_s, u"Po&większ"_s, u"Powiększ"_s,
       u"Zwiększa skalę podglądu faktury"_s,
       QKeySequence(QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Plus))},
      {&ViewScaleDown, u"ViewScaleDown"_s, u"Po&mniejsz"_s, u"Pomniejsz"_s,
       u"Zmniejsza skalę podglądu faktury"_s,
       QKeySequence(QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Minus))},
      {&ViewFitWidth, u"ViewFitWidth"_s, u"&Szerokość strony"_s, u"Szerokość strony"_s,
       u"Dopasowuje powiększenie strony do szerokości okna"_s, QKeySequence()},
      {&ToolsKontrahenci, u"ToolsKontrahenci"_s, u"&Kontrahenci..."_s, u"Kontrahenci"_s,
       u"Wyświetla listę kontrahentów"_s, QKeySequence()},
      {&ToolsTowary, u"ToolsTowary"_s, u"&Towary..."_s, u"Towary"_s,
       u"Wyświetla listę towarów"_s, QKeySequence()},
      {&ToolsSettings, u"ToolsSettings"_s, u"&Ustawienia..."_s, u"Ustawienia"_s,
       u"Wyświetla okno ustawień i opcji programu"_s, QKeySequence()},
      {&HelpContents, u"HelpContents"_s, u"&Bilvox - Pomoc"_s, u"Pomoc"_s,
       u"Wyświetla okno pomocy do programu"_s, QKeySequence(Qt::Key_F1)},
      {&HelpAbout, u"HelpAbout"_s, u"&O programie..."_s, u"O programie"_s,
       u"Wyświetla okno informacyjne programu"_s, QKeySequence()},
  };
  for (const Spec& spec : specs) {
    QAction* action = new QAction(spec.caption, this);
    action->setObjectName(spec.name);
    action->setToolTip(spec.tooltip);
    action->setStatusTip(spec.status);
    action->setShortcut(spec.shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action);
    *spec.action = action;
  }
  FileNewFaktura->setIcon(ToolIcon(this, u"document-new"_s, QStyle::SP_FileIcon));
  FileNewRachunek->setIcon(ToolIcon(this, u"x-office-document"_s, QStyle::SP_FileLinkIcon));
  FileOpen->setIcon(ToolIcon(this, u"document-open"_s, QStyle::SP_DialogOpenButton));
  FileSave->setIcon(ToolIcon(this, u"document-save"_s, QStyle::SP_DialogSaveButton));
  FilePrint->setIcon(ToolIcon(this, u"document-print"_s, QStyle::SP_ComputerIcon));
  ToolsKontrahenci->setIcon(ToolIcon(this, u"system-users"_s, QStyle::SP_DirHomeIcon));
  ToolsTowary->setIcon(ToolIcon(this, u"package-x-generic"_s, QStyle::SP_DriveHDIcon));
  ViewScaleDown->setIcon(ToolIcon(this, u"zoom-out"_s, QStyle::SP_ArrowDown));
  ViewScaleUp->setIcon(ToolIcon(this, u"zoom-in"_s, QStyle::SP_ArrowUp));
  ToolsSettings->setIcon(
      ToolIcon(this, u"preferences-system"_s, QStyle::SP_FileDialogDetailedView));
  HelpContents->setIcon(ToolIcon(this, u"help-contents"_s, QStyle::SP_MessageBoxQuestion));

  TFileCommands& files = *fileCommands_;
  connect(FileNewFaktura, &QAction::triggered, this,
          [&files] { files.NewDocument(DocumentKind::Invoice); });
  connect(FileNewRachunek, &QAction::triggered, this,
          [&files] { files.NewDocument(DocumentKind::Bill); });
  connect(FileNewKorekta, &QAction::triggered, this, [&files] { files.NewCorrection(); });
  connect(FileOpen, &QAction::triggered, this, [&files] { files.Open(); });
  connect(FileSave, &QAction::triggered, this, [&files] { files.Save(); });
  connect(FileSaveAs, &QAction::triggered, this, [&files] { files.SaveAs(); });
  connect(FilePrint, &QAction::triggered, this, [this] { printCommands_->Print(); });
  connect(FilePrinterSettings, &QAction::triggered, this,
          [this] { printCommands_->PrinterSettings(); });
  connect(FileExit, &QAction::triggered, this, &QWidget::close);
  connect(ViewScaleUp, &QAction::triggered, this, [this] { ScrollBox1->ZoomIn(); });
  connect(ViewScaleDown, &QAction::triggered, this, [this] { ScrollBox1->ZoomOut(); });
  connect(ViewFitWidth, &QAction::triggered, this,
          [this] { ScrollBox1->SetScaleStep(PreviewScale::kFitWidth); });
  connect(ToolsKontrahenci, &QAction::triggered, this,
          [this] { program_.frmKontrahenci().Browse(); });
  connect(ToolsTowary, &QAction::triggered, this, [this] { program_.frmTowary().Browse(); });
  connect(ToolsSettings, &QAction::triggered, this,
          [this] { OpenSettings(static_cast<int>(TfrmSettings::Page::General)); });
  connect(HelpContents, &QAction::triggered, this, [this] {
    std::string error;
    if (!OpenHelpFor(program_.Services().programFolder, &error)) ShowError(kAppTitle, error);
  });
  connect(HelpAbout, &QAction::triggered, this, [this] { program_.AboutBox().Execute(); });
}

void TfrmMain::CreateMenus() {
  ToolBar1 = Make<QToolBar>(this, u"ToolBar1"_s);
  ToolBar1->setMovable(false);
  ToolBar1->setFloatable(false);
  ToolBar1->toggleViewAction()->setEnabled(false);
  addToolBar(ToolBar1);

  // The menu row: four menus, then the toolbar's buttons in the same row.
  auto* menus = Make<QMenuBar>(ToolBar1, u"MainMenu1"_s);
  menus->setNativeMenuBar(false);
  mnuPlik = menus->addMenu(u"&Plik"_s);
  mnuPlik->setObjectName(u"mnuPlik"_s);
  mnuNowyDokument = mnuPlik->addMenu(u"&Nowy dokument"_s);
  mnuNowyDokument->setObjectName(u"mnuNowyDokument"_s);
  // The submenu's items have captions of their own and do what their actions do.
  const std::pair<QAction*, QString> newItems[] = {{FileNewFaktura, u"&Faktura"_s},
                                                   {FileNewRachunek, u"&Rachunek"_s},
                                                   {FileNewKorekta, u"&Korekta"_s}};
  for (const auto& [action, caption] : newItems) {
    QAction* item = mnuNowyDokument->addAction(caption);
    item->setObjectName(u"mnuNowy"_s + action->objectName().mid(7));
    item->setStatusTip(action->statusTip());
    item->setShortcut(action->shortcut());
    item->setShortcutContext(Qt::WidgetShortcut);  // the action's own shortcut serves
    connect(item, &QAction::triggered, action, &QAction::trigger);
    connect(action, &QAction::enabledChanged, item, &QAction::setEnabled);
  }
  mnuPlik->addAction(FileOpen);
  mnuPlik->addSeparator();
  mnuPlik->addAction(FileSave);
  mnuPlik->addAction(FileSaveAs);
  mnuPlik->addSeparator();
  mnuPlik->addAction(FilePrint);
  mnuPlik->addAction(FilePrinterSettings);
  mnuPlik->addSeparator();
  mnuPlik->addAction(FileExit);
  mnuWidok = menus->addMenu(u"&Widok"_s);
  mnuWidok->setObjectName(u"mnuWidok"_s);
  mnuWidok->addAction(ViewScaleUp);
  mnuWidok->addAction(ViewScaleDown);
  mnuWidok->addSeparator();
  mnuWidok->addAction(ViewFitWidth);
  mnuNarzedzia = menus->addMenu(u"&Narzędzia"_s);
  mnuNarzedzia->setObjectName(u"mnuNarzedzia"_s);
  mnuNarzedzia->addAction(ToolsKontrahenci);
  mnuNarzedzia->addAction(ToolsTowary);
  mnuNarzedzia->addSeparator();
  mnuNarzedzia->addAction(ToolsSettings);
  mnuPomoc = menus->addMenu(u"Po&moc"_s);
  mnuPomoc->setObjectName(u"mnuPomoc"_s);
  mnuPomoc->addAction(HelpContents);
  mnuPomoc->addSeparator();
  mnuPomoc->addAction(HelpAbout);
  ToolBar1->addWidget(menus);

  ToolBar1->addAction(FileNewFaktura);
  ToolBar1->addAction(FileNewRachunek);
  ToolBar1->addAction(FileOpen);
  ToolBar1->addAction(FileSave);
  ToolBar1->addAction(FilePrint);
  ToolBar1->addSeparator();
  ToolBar1->addAction(ToolsKontrahenci);
  ToolBar1->addAction(ToolsTowary);
  ToolBar1->addSeparator();
  ToolBar1->addAction(ViewScaleDown);
  ToolBar1->addAction(ViewScaleUp);
  ToolBar1->addSeparator();
  ToolBar1->addAction(ToolsSettings);
  ToolBar1->addAction(HelpContents);
}

void TfrmMain::AddFileCommand(QAction* action) {
  const QList<QAction*> items = mnuPlik->actions();
  const qsizetype at = items.indexOf(FileSaveAs);
  mnuPlik->insertAction(at + 1 < items.size() ? items[at + 1] : nullptr, action);
  addAction(action);
}

void TfrmMain::CreateTabs() {
  tabDokument_ = new TabDokument(*context_);
  tabSprzedawca_ = new TabSprzedawca(*context_);
  tabNabywca_ = new TabNabywca(*context_);
  tabTowary_ = new TabTowary(*context_);
  tabPlatnosc_ = new TabPlatnosc(*context_);
  tabPodpisy_ = new TabPodpisy(*context_);
  for (DocumentTab* tab : std::initializer_list<DocumentTab*>{
           tabDokument_, tabSprzedawca_, tabNabywca_, tabTowary_, tabPlatnosc_, tabPodpisy_})
    pgcFaktura->addTab(tab, tab->Caption());
}

void TfrmMain::WireTabs() {
  connect(tabDokument_, &TabDokument::CurrencyClicked, this, &TfrmMain::btnWalutaClick);
  connect(tabDokument_, &TabDokument::AutoNumberingClicked, this,
          [this] { OpenSettings(static_cast<int>(TfrmSettings::Page::AutoNumbering)); });
  connect(tabSprzedawca_, &TabSprzedawca::InfoFrameToggled, this, [this] {
    if (isVisible()) ScrollBox1->RequestRepaint();
  });
  connect(tabNabywca_, &TabNabywca::DiscountChanged, this,
          [this] { tabPlatnosc_->ApplyFullyPaid(); });
  connect(tabNabywca_, &TabNabywca::SelectBuyerClicked, this, &TfrmMain::btnSelectBuyerClick);
  tabTowary_->Attach(program_);
  connect(tabTowary_, &TabTowary::HelpClicked, this, [this] {
    program_.frmInfo().ShowTopic(TfrmInfo::kTopicGoods, true);
  });
  connect(pgcFaktura, &QTabWidget::currentChanged, this, &TfrmMain::pgcFakturaChange);
}

void TfrmMain::AttachEnterKey() {
  static const char16_t* const kNames[] = {
      u"edtMiejsceWyst", u"dtpDataWyst",   u"dtpDataSprz",    u"edtNumer",
      u"edtSellerNIP",   u"edtBuyerNIP",   u"edtBuyerRabat",  u"edtTNazwa",
      u"cmbTPKWIU",      u"cmbTJM",        u"edtTCenaNetto",  u"cmbTStawkaVat",
      u"edtTIlosc",      u"edtTCenaBrutto", u"lbxTowary",     u"cmbFormaPlatnosci",
      u"edtZaplacono",   u"edtTermin",     u"dtpTermin",      u"cbxZaplacono",
      u"edtUpowWystaw",  u"edtUpowOdbioru", u"edtUwagiStale"};
  for (const char16_t* name : kNames) {
    QWidget* control = pgcFaktura->findChild<QWidget*>(QString::fromUtf16(name));
    if (!control) continue;
    enterControls_.insert(control);
    // The text field inside a combo box, a date picker or an up-down gets the keys.
    for (QLineEdit* inner : control->findChildren<QLineEdit*>()) enterControls_.insert(inner);
  }
}

void TfrmMain::FormCreate() {
  AppServices& services = program_.Services();
  setWindowTitle(ToQ(kAppTitle));
  document_->OnFileNameChange = [this](TFaktura&) { ApplyTitle(); };
  document_->OnChange = [this](TFaktura&) {
    ShowModified();
    UpdateActions();
  };
  tabTowary_->FillVatRates();
  tabPlatnosc_->ShowPaymentDays(*document_);
  Guarded([&] { qt::RestorePrinter(*printer_, PrinterSetupFile(), printerSetupType_); });
  services.contractors.Open(services.DataFile("kontrahenci.db"));
  services.goods.Open(services.DataFile("towary.db"));

  services.unitList = {"szt"};
  services.paymentFormList = {std::string("gotówka"_cp), "przelew"};
  services.autolists.Attach(&services.pkwiuList);
  services.autolists.Attach(&services.unitList);
  services.autolists.Attach(&services.paymentFormList);
  const bool listsRead =
      Guarded([&] { services.autolists.Load(services.DataFile("autolists.dt")); });
  for (AutoList list : {AutoList::Pkwiu, AutoList::Unit, AutoList::PaymentForm})
    ShowListItems(list);
  // An unreadable lists file leaves the designed size and the invoice as the default kind.
  if (!listsRead) return;
  Guarded([&] {
    TMainWindowState& state = services.settings.MainWindow;
    if (!state.Load(services.store)) return;
    if (state.MainFormLeft || state.MainFormTop)
      move(state.MainFormLeft.value_or(x()), state.MainFormTop.value_or(y()));
    resize(state.MainFormWidth, state.MainFormHeight);
    // Only an invoice or a bill can start a run.
    defaultDoc_ = state.DefaultDoc == 1 ? 1 : 0;
  });
}

void TfrmMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shown_) return;
  shown_ = true;
  FormShow();
}

void TfrmMain::FormShow() {
  ScrollBox1->SetScaleStep(PreviewScale::kFitWidth);
  fileCommands_->StartFirstDocument();
  RefreshFromDocument();
  ShowPage(Page::Dokument);
  ScrollBox1->StartTimer();
}

void TfrmMain::closeEvent(QCloseEvent* event) {
  if (fileCommands_->MayDiscardChanges())
    event->accept();
  else
    event->ignore();
}

void TfrmMain::FormDestroy() {
  AppServices& services = program_.Services();
  ScrollBox1->Stop();
  Guarded([&] {
    TMainWindowState& state = services.settings.MainWindow;
    state.MainFormLeft = pos().x();
    state.MainFormTop = pos().y();
    state.MainFormWidth = width();
    state.MainFormHeight = height();
    state.DefaultDoc = static_cast<int32_t>(document_->Kind());
    state.Save(services.store);
  });
  Guarded([&] { services.autolists.Save(); });
  document_->OnChange = nullptr;
  document_->OnFileNameChange = nullptr;
  // The document stores the defaults for the next run as it goes.
  drawing_.reset();
  document_.reset();
}

std::string TfrmMain::PrinterSetupFile() const {
  return program_.Services().DataFile("PrinterSetup.cfg");
}

void TfrmMain::RefreshFromDocument() {
  const TFaktura& doc = *document_;
  context_->refreshing = true;
  tabDokument_->LoadFields(doc);
  tabSprzedawca_->LoadFields(doc);
  tabNabywca_->LoadFields(doc);
  // The item list and the entry fields hold no document field; their own handlers run.
  context_->refreshing = false;
  tabTowary_->LoadLines(doc);
  context_->refreshing = true;
  tabPlatnosc_->LoadFields(doc);
  tabPodpisy_->LoadFields(doc);
  context_->refreshing = false;
  tabDokument_->LoadType(doc);
  tabDokument_->ApplyEnabling(doc);
  tabTowary_->ShowVatPart(TabTowary::VatPartApplies(doc));
  ApplyTitle();
  ShowModified();
  UpdateActions();
}

void TfrmMain::ShowPage(Page page) {
  DocumentTab* const tabs[] = {tabDokument_, tabSprzedawca_, tabNabywca_,
                               tabTowary_,   tabPlatnosc_,   tabPodpisy_};
  pgcFaktura->setCurrentWidget(tabs[static_cast<int>(page)]);
}

void TfrmMain::NextTab() {
  const int count = pgcFaktura->count();
  int index = pgcFaktura->currentIndex();
  for (int step = 0; step < count; ++step) {
    index = (index + 1) % count;
    if (pgcFaktura->isTabVisible(index)) {
      pgcFaktura->setCurrentIndex(index);
      return;
    }
  }
}

void TfrmMain::pgcFakturaChange(int index) {
  if (pgcFaktura->widget(index) == tabTowary_ && program_.AllWindowsCreated())
    program_.frmInfo().ShowTopic(TfrmInfo::kTopicGoods, false);
}

void TfrmMain::ApplySettings(const TAppSettings& settings) {
  tabSprzedawca_->cbxShowInfoFrame->setChecked(settings.ShowInfoFrame);
  pgcFaktura->setTabVisible(pgcFaktura->indexOf(tabSprzedawca_), !settings.HideSellerPage);
  dialogFolder_ = ToQ(settings.FolderFaktur);
  if (isVisible()) ScrollBox1->RequestRepaint();
}

TextList& TfrmMain::ListOf(AutoList list) {
  AppServices& services = program_.Services();
  switch (list) {
    case AutoList::Pkwiu: return services.pkwiuList;
    case AutoList::Unit: return services.unitList;
    case AutoList::PaymentForm: break;
  }
  return services.paymentFormList;
}

QComboBox* TfrmMain::ComboOf(AutoList list) {
  switch (list) {
    case AutoList::Pkwiu: return tabTowary_->cmbTPKWIU;
    case AutoList::Unit: return tabTowary_->cmbTJM;
    case AutoList::PaymentForm: break;
  }
  return tabPlatnosc_->cmbFormaPlatnosci;
}

void TfrmMain::RememberListText(AutoList list, const std::string& text) {
  Guarded([&] { program_.Services().autolists.Remember(&ListOf(list), text); });
  ShowListItems(list);
}

void TfrmMain::ShowListItems(AutoList list) {
  QComboBox* combo = ComboOf(list);
  const QString text = combo->currentText();
  const QSignalBlocker block(combo);
  combo->clear();
  for (const std::string& item : ListOf(list)) combo->addItem(ToQ(item));
  combo->setCurrentIndex(-1);
  combo->setEditText(text);
}

std::string TfrmMain::CaptionText() const { return FromQ(windowTitle()); }

void TfrmMain::ApplyTitle() {
  QString name;
  if (document_->FileName().empty()) {
    switch (document_->Kind()) {
      case DocumentKind::Invoice: name = u"[Nowa faktura]"_s; break;
      case DocumentKind::Bill: name = u"[Nowy rachunek]"_s; break;
      case DocumentKind::Correction: name = u"[Nowa korekta]"_s; break;
      case DocumentKind::CorrectionNote: name = u"[Nowa nota]"_s; break;
    }
  } else {
    name = QFileInfo(PathToQ(document_->FileName())).fileName();
  }
  setWindowTitle(u"Bilvox - "_s + name);
}

void TfrmMain::ShowModified() {
  StatusPanel1->setText(document_->Modified() ? u"Zmodyfikowany"_s : QString());
}

void TfrmMain::UpdateActions() {
  FileNewKorekta->setEnabled(document_->Kind() == DocumentKind::Invoice);
}

void TfrmMain::btnWalutaClick() {
  std::string code = document_->CurrencyCode();
  Currency rate = document_->ExchangeRate();
  if (!program_.frmWaluta().Execute(code, rate)) return;
  document_->SetCurrency(code);
  document_->SetExchangeRate(rate);
}

void TfrmMain::btnSelectBuyerClick() {
  const TKontrahentRec* record = program_.frmKontrahenci().Select();
  if (!record) return;
  tabNabywca_->ShowContractor(*record);
  tabPodpisy_->edtUpowOdbioru->setText(ToQ(record->receivingPerson));
}

void TfrmMain::OpenSettings(int page) {
  if (!program_.frmSettings().Execute(static_cast<TfrmSettings::Page>(page))) return;
  tabDokument_->edtNumer->setText(ToQ(document_->Number()));
  ScrollBox1->RequestRepaint();
}

bool TfrmMain::event(QEvent* event) {
  // Hints go to the first panel of the status bar.
  if (event->type() == QEvent::StatusTip) {
    StatusPanel0->setText(static_cast<QStatusTipEvent*>(event)->tip());
    return true;
  }
  return QMainWindow::event(event);
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride) {
    auto* key = static_cast<QKeyEvent*>(event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget && widget->window() == this) {
      const QKeySequence pressed(key->keyCombination());
      for (QAction* action : actions())
        if (!action->shortcut().isEmpty() && action->shortcut() == pressed) return true;
    }
    return false;
  }
  if (watched == pgcFaktura->tabBar() &&
      (event->type() == QEvent::MouseMove || event->type() == QEvent::HoverMove)) {
    const QPoint at = event->type() == QEvent::MouseMove
                          ? static_cast<QMouseEvent*>(event)->position().toPoint()
                          : static_cast<QHoverEvent*>(event)->position().toPoint();
    const int index = pgcFaktura->tabBar()->tabAt(at);
    if (index >= 0) StatusPanel0->setText(pgcFaktura->widget(index)->statusTip());
    return false;
  }
  if (event->type() == QEvent::KeyPress && enterControls_.contains(watched)) {
    auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
        (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
      // On the goods tab Enter presses "Dodaj"; elsewhere it moves to the next tab.
      QPushButton* add = tabTowary_->btnTAdd;
      if (pgcFaktura->currentWidget() == tabTowary_ && add->isVisible() && add->isEnabled())
        add->click();
      else
        NextTab();
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void TfrmMain::wheelEvent(QWheelEvent* event) {
  ScrollBox1->ScrollByWheel(event->angleDelta().y());
  event->accept();
}

void TfrmMain::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TfrmMain::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.isEmpty() || !urls.first().isLocalFile()) return;
  event->acceptProposedAction();
  // Only the first file is taken.
  fileCommands_->OpenFromOutside(PathFromQ(urls.first().toLocalFile()));
}

}  // namespace bilvox
