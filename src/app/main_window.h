// TfrmMain: the program's only editing window. Its six tabs show the fields of the one
// current document and write every edit straight into it; below them the preview shows the
// printed page. The menus, the toolbar and the actions reach the other windows.
#pragma once

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QSet>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <memory>
#include <string>

#include "document_tab.h"
#include "printout/printer_setup.h"
#include "registers/autolists.h"

class QComboBox;
class QPrinter;

namespace bilvox {

class PageDrawing;
class TAppSettings;
class TFaktura;
class TFileCommands;
class TPreviewArea;
class TPrintCommands;
class TProgram;
class TabDokument;
class TabNabywca;
class TabPlatnosc;
class TabPodpisy;
class TabSprzedawca;
class TabTowary;

class TfrmMain : public QMainWindow {
  Q_OBJECT
 public:
  explicit TfrmMain(TProgram& program);
  ~TfrmMain() override;

  // The one document of the run, its page drawing and the printer.
  TFaktura& Document() { return *document_; }
  PageDrawing& Drawing() { return *drawing_; }
  QPrinter& Printer() { return *printer_; }
  SetupType& PrinterSetupType() { return printerSetupType_; }
  std::string PrinterSetupFile() const;

  TProgram& Program() { return program_; }
  TFileCommands& FileCommands() { return *fileCommands_; }
  TPrintCommands& PrintCommands() { return *printCommands_; }
  TPreviewArea& Preview() { return *ScrollBox1; }

  // Copies the whole document into the controls (after start-up, a new or an opened document).
  void RefreshFromDocument();
  // The tabs, by the order of the tab control.
  enum class Page { Dokument, Sprzedawca, Nabywca, Towary, Platnosc, Podpisy };
  void ShowPage(Page page);
  TabSprzedawca& SprzedawcaTab() { return *tabSprzedawca_; }
  TabTowary& TowaryTab() { return *tabTowary_; }
  TabPlatnosc& PlatnoscTab() { return *tabPlatnosc_; }

  // The settings applied to the window: the information-frame box, the seller tab, the
  // folder the file dialogs start in; the preview is drawn again.
  void ApplySettings(const TAppSettings& settings);
  const QString& DialogFolder() const { return dialogFolder_; }

  // The autocomplete lists of the three combo boxes: moves a text to the top of its list,
  // saves the lists and shows the new order in the combo box.
  enum class AutoList { Pkwiu, Unit, PaymentForm };
  void RememberListText(AutoList list, const std::string& text);
  // Shows a list's items in its combo box again (after the lists changed elsewhere).
  void ShowListItems(AutoList list);

  // The window caption as message boxes use it (Windows-1250).
  std::string CaptionText() const;
  // The default document kind (0 invoice, 1 bill).
  int DefaultDocumentKind() const { return defaultDoc_; }

  // Enabling of the actions by the document's state.
  void UpdateActions();

  // Adds a command to the "Plik" menu after "Zapisz jako..." (its shortcut works in the
  // whole window).
  void AddFileCommand(QAction* action);

  // Actions, menus and the status bar.
  QAction* FileNewFaktura;
  QAction* FileNewRachunek;
  QAction* FileNewKorekta;
  QAction* FileOpen;
  QAction* FileSave;
  QAction* FileSaveAs;
  QAction* FilePrint;
  QAction* FilePrinterSettings;
  QAction* FileExit;
  QAction* ViewScaleUp;
  QAction* ViewScaleDown;
  QAction* ViewFitWidth;
  QAction* ToolsKontrahenci;
  QAction* ToolsTowary;
  QAction* ToolsSettings;
  QAction* HelpContents;
  QAction* HelpAbout;
  QMenu* mnuPlik;
  QMenu* mnuNowyDokument;
  QMenu* mnuWidok;
  QMenu* mnuNarzedzia;
  QMenu* mnuPomoc;
  QToolBar* ToolBar1;
  QTabWidget* pgcFaktura;
  TPreviewArea* ScrollBox1;
  QStatusBar* StatusBar1;
  QLabel* StatusPanel0;  // the long hint of what is under the mouse
  QLabel* StatusPanel1;  // "Zmodyfikowany"
  QLabel* StatusPanel2;

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void FormCreate();
  void FormShow();
  void FormDestroy();
  void CreateActions();
  void CreateMenus();
  void CreateTabs();
  void WireTabs();
  void AttachEnterKey();
  void ApplyTitle();
  void ShowModified();
  void NextTab();
  TextList& ListOf(AutoList list);
  QComboBox* ComboOf(AutoList list);

  // Handlers of the buttons that reach other windows.
  void btnWalutaClick();
  void btnSelectBuyerClick();
  void OpenSettings(int page);
  void pgcFakturaChange(int index);

  TProgram& program_;
  std::unique_ptr<EditContext> context_;
  std::unique_ptr<TFaktura> document_;
  std::unique_ptr<PageDrawing> drawing_;
  std::unique_ptr<QPrinter> printer_;
  SetupType printerSetupType_ = SetupType::stSaved;  // as the set-up component starts
  std::unique_ptr<TFileCommands> fileCommands_;
  std::unique_ptr<TPrintCommands> printCommands_;
  TabDokument* tabDokument_ = nullptr;
  TabSprzedawca* tabSprzedawca_ = nullptr;
  TabNabywca* tabNabywca_ = nullptr;
  TabTowary* tabTowary_ = nullptr;
  TabPlatnosc* tabPlatnosc_ = nullptr;
  TabPodpisy* tabPodpisy_ = nullptr;
  QSet<QObject*> enterControls_;  // Enter in these moves to the next tab
  QString dialogFolder_;
  int defaultDoc_ = 0;
  bool shown_ = false;
  bool destroyed_ = false;
};

}  // namespace bilvox
