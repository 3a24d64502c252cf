// The four pages of the settings window. Each page puts the settings in memory into its
// controls and takes them back, so the window only assembles the pages and decides when.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QStringList>
#include <QWidget>
#include <array>
#include <functional>

#include "settings/registry.h"
#include "settings/settings_form.h"

namespace bilvox {

class FileDialogs;
class TSettings;

// An edit box with its up-down: the up-down carries the `upd...` name, its text field the
// `edt...` name. The value stays within the range; a text that is not a number leaves the
// last valid value.
class TUpDownEdit : public QSpinBox {
 public:
  TUpDownEdit(QWidget* parent, const QString& upDownName, const QString& editName,
              SettingRange range);
  QLineEdit* Edit() const { return lineEdit(); }
};

// A panel showing a colour; a click asks for another one.
class TColorPanel : public QFrame {
 public:
  TColorPanel(QWidget* parent, const QString& name);
  ColorRef Color() const { return color_; }
  void SetColor(ColorRef color);
  std::function<void()> onClick;

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  ColorRef color_ = 0;
};

// "Ogólne": the folder of documents, the automatic save, the seller page, and the legal basis
// of exempt sales that KSeF invoices name.
class TshGeneral : public QWidget {
 public:
  TshGeneral(QWidget* parent, FileDialogs& dialogs);
  void Put(const TSettings& settings);
  void Take(TSettings& settings) const;

  QGroupBox* grpZapisywanie;
  QLabel* Label27;
  QLineEdit* edtFolderFaktur;
  QPushButton* btnFolderBrowse;
  QPushButton* btnFolderClear;
  QCheckBox* cbxAutoZapisFaktur;
  QGroupBox* grpOpcjeWidoku;
  QCheckBox* cbxHideSellerPage;
  QGroupBox* grpKSeF;
  QLabel* lblKSeFPodstawaZwolnienia;
  QLineEdit* edtKSeFPodstawaZwolnienia;
  QPushButton* btnKSeFPodstawaDomyslna;

 private:
  void edtFolderFakturChange();
  void btnFolderBrowseClick();

  FileDialogs& dialogs_;
};

// "Wygląd": what the printout shows, its colours and its font.
class TshView : public QWidget {
 public:
  TshView(QWidget* parent, FileDialogs& dialogs);
  void Put(const TSettings& settings);
  void Take(TSettings& settings) const;

  // The typefaces offered: installed scalable fonts that are not symbol fonts, by name.
  static QStringList InstalledFonts();

  QGroupBox* grpWyglad;
  QCheckBox* cbxShowInfoFrame;
  QCheckBox* cbxShowFooter;
  QCheckBox* cbxShowUwagi;
  QLabel* Label15;
  TUpDownEdit* updTabTowDist;
  QLineEdit* edtTabTowDist;
  QLabel* Label14;
  QLabel* Label22;
  QComboBox* cmbTemplate;
  QLabel* Label24;
  TUpDownEdit* updLogoWidth;
  QLineEdit* edtLogoWidth;
  QLabel* Label25;
  QCheckBox* cbxLogoWidthAuto;

  QGroupBox* grpKolory;
  QLabel* Label9;
  TColorPanel* pnlLinesColor;
  QLabel* Label10;
  TColorPanel* pnlHdrFillColor;
  QLabel* Label19;
  TColorPanel* pnlHdrTextColor;
  QLabel* Label8;
  TColorPanel* pnlShadowColor;
  QCheckBox* cbxShowShadows;
  QLabel* Label23;
  QPushButton* btnColors;
  QMenu* ppmColors;

  QGroupBox* grpCzcionka;
  QComboBox* cmbFontName;
  QLabel* Label20;
  TUpDownEdit* updFontSize;
  QLineEdit* Edit2;

 private:
  void cbxLogoWidthAutoClick();
  void PanelClick(TColorPanel* panel);
  void btnColorsClick();
  void ChooseColorSet(const ColorSet& set);

  FileDialogs& dialogs_;
};

// "Numerowanie": the three numbering schemes, each with an example of the number it gives.
class TshAutoNumbering : public QWidget {
 public:
  explicit TshAutoNumbering(QWidget* parent);
  void Put(const TSettings& settings);
  void Take(TSettings& settings) const;

  // One row of the grid: invoices, bills, corrections.
  struct Row {
    QLabel* caption = nullptr;
    QLineEdit* edtPrefix = nullptr;
    QLineEdit* edtNumber = nullptr;
    TUpDownEdit* updNumWidth = nullptr;
    QLineEdit* edtNumWidth = nullptr;
    QLineEdit* edtSufix = nullptr;
    QLabel* lblExample = nullptr;
  };
  std::array<Row, kNumberedKindCount> rows;

  QGroupBox* grpNumerowanie;
  QPushButton* btnHelpAutoNum;

 private:
  // Each example shows the number its row's typed texts give.
  void ShowExamples();
};

// "Listy wyboru": the remembered entries of the three lists, with "Usuń" under each.
class TshLists : public QWidget {
 public:
  explicit TshLists(QWidget* parent);

  QListWidget* lbxPKWIU;
  QListWidget* lbxJM;
  QListWidget* lbxFormyPlatnosci;
  QPushButton* btnDelPKWIU;
  QPushButton* btnDelJM;
  QPushButton* btnDelFormyPlatnosci;

  static void PutItems(QListWidget* list, const QStringList& items);
  static QStringList Items(const QListWidget* list);
};

}  // namespace bilvox
