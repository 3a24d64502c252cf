#include "settings_window.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "common/error.h"
#include "common/error_report.h"
#include "info_window.h"
#include "main_window.h"
#include "program.h"
#include "qt_text.h"
#include "settings_pages.h"
#include "widgets.h"

using namespace Qt::StringLiterals;

namespace bilvox {

namespace {

QStringList ToQStringList(const TextList& list) {
  QStringList items;
  for (const std::string& item : list) items << ToQ(item);
  return items;
}

TextList ToTextList(const QStringList& items) {
  TextList list;
  for (const QString& item : items) list.push_back(FromQ(item));
  return list;
}

}  // namespace

TfrmSettings::TfrmSettings(TProgram& program) : QDialog(&program.frmMain()), program_(program) {
  setObjectName(u"frmSettings"_s);
  setWindowTitle(u"Ustawienia"_s);

  FileDialogs& dialogs = program.Services().dialogs;
  pgcSettings = Make<QTabWidget>(this, u"pgcSettings"_s);
  tshGeneral = new TshGeneral(pgcSettings, dialogs);
  tshView = new TshView(pgcSettings, dialogs);
  tshAutoNumbering = new TshAutoNumbering(pgcSettings);
  tshLists = new TshLists(pgcSettings);
  pgcSettings->addTab(tshGeneral, u"Ogólne"_s);
  pgcSettings->addTab(tshView, u"Wygląd"_s);
  pgcSettings->addTab(tshAutoNumbering, u"Numerowanie"_s);
  pgcSettings->addTab(tshLists, u"Listy wyboru"_s);

  btnOk = Make<QPushButton>(this, u"btnOk"_s, u"OK"_s);
  btnOk->setDefault(true);
  btnCancel = Make<QPushButton>(this, u"btnCancel"_s, u"Anuluj"_s);
  btnApply = Make<QPushButton>(this, u"btnApply"_s, u"Zastosuj"_s);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(btnOk);
  buttons->addWidget(btnCancel);
  buttons->addWidget(btnApply);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pgcSettings, 1);
  layout->addLayout(buttons);
  setFixedSize(sizeHint().expandedTo(QSize(502, 325)));

  connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(btnApply, &QPushButton::clicked, this, &TfrmSettings::ApplyControls);
  connect(pgcSettings, &QTabWidget::currentChanged, this, &TfrmSettings::pgcSettingsChange);
  connect(tshAutoNumbering->btnHelpAutoNum, &QPushButton::clicked, this,
          [this] { ShowNumberingInfo(true); });

  LoadSettings();
  ApplyToMainWindow();
}

TSettings& TfrmSettings::Settings() { return program_.Services().settings; }

void TfrmSettings::LoadSettings() {
  Guarded([&] { Settings().Load(program_.Services().store); });
}

void TfrmSettings::ApplyToMainWindow() { program_.frmMain().ApplySettings(Settings().App); }

bool TfrmSettings::Execute(Page page) {
  PutControls(page);
  executing_ = true;
  const int result = exec();
  executing_ = false;
  return result == QDialog::Accepted;
}

void TfrmSettings::ShowNonModal(Page page) {
  PutControls(page);
  CentreOver(this, &program_.frmMain());
  show();
  raise();
}

void TfrmSettings::PutControls(Page page) {
  tshGeneral->Put(Settings());
  tshView->Put(Settings());
  tshAutoNumbering->Put(Settings());
  const AppServices& services = program_.Services();
  TshLists::PutItems(tshLists->lbxPKWIU, ToQStringList(services.pkwiuList));
  TshLists::PutItems(tshLists->lbxJM, ToQStringList(services.unitList));
  TshLists::PutItems(tshLists->lbxFormyPlatnosci, ToQStringList(services.paymentFormList));
  const QSignalBlocker block(pgcSettings);
  pgcSettings->setCurrentIndex(static_cast<int>(page));
}

void TfrmSettings::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!executing_) return;
  // The controls show what memory held (the main window may have changed the information
  // frame); memory goes back to the stored settings until OK or "Zastosuj".
  CentreOver(this, &program_.frmMain());
  LoadSettings();
  ApplyToMainWindow();
  // The page's hint once the window is up, so that it opens over this window.
  QMetaObject::invokeMethod(
      this, [this] { if (isVisible()) pgcSettingsChange(pgcSettings->currentIndex()); },
      Qt::QueuedConnection);
}

bool TfrmSettings::ApplyControls() {
  tshGeneral->Take(Settings());
  tshView->Take(Settings());
  tshAutoNumbering->Take(Settings());
  const bool saved = Guarded([&] { Settings().Save(program_.Services().store); });
  ApplyToMainWindow();
  AppServices& services = program_.Services();
  services.pkwiuList = ToTextList(TshLists::Items(tshLists->lbxPKWIU));
  services.unitList = ToTextList(TshLists::Items(tshLists->lbxJM));
  services.paymentFormList = ToTextList(TshLists::Items(tshLists->lbxFormyPlatnosci));
  for (auto list : {TfrmMain::AutoList::Pkwiu, TfrmMain::AutoList::Unit,
                    TfrmMain::AutoList::PaymentForm})
    program_.frmMain().ShowListItems(list);
  return saved;
}

void TfrmSettings::accept() {
  // A store that cannot be written keeps the window open: nothing the user set is lost.
  if (ApplyControls()) QDialog::accept();
}

void TfrmSettings::pgcSettingsChange(int index) {
  if (executing_ && isVisible() && pgcSettings->widget(index) == tshAutoNumbering)
    ShowNumberingInfo(false);
}

void TfrmSettings::ShowNumberingInfo(bool onDemand) {
  TfrmInfo& info = program_.frmInfo();
  if (!onDemand && (info.DisabledTopics() & TfrmInfo::kTopicNumbering)) return;
  // Over this modal window the information window has to be modal as well, or it could not
  // be read and closed before this one closes. It is an ordinary window again once closed.
  if (QApplication::activeModalWidget() == this && !info.isModal()) {
    info.hide();
    info.setWindowModality(Qt::ApplicationModal);
    connect(
        &info, &QDialog::finished, &info, [&info] { info.setWindowModality(Qt::NonModal); },
        Qt::SingleShotConnection);
  }
  info.ShowTopic(TfrmInfo::kTopicNumbering, onDemand);
}

}  // namespace bilvox
