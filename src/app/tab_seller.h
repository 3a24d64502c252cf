// The "Sprzedawca" tab: the seller, the logo and the texts of the information frame.
#pragma once

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QObject>
#include <QPlainTextEdit>
#include <QPushButton>

#include "document_tab.h"

namespace bilvox {

class TabSprzedawca : public DocumentTab {
  Q_OBJECT
 public:
  explicit TabSprzedawca(EditContext& context);
  QString Caption() const override;

  // Window refresh, step 3.
  void LoadFields(const TFaktura& doc);

  // The logo dialog; the document loads the chosen picture.
  void btnLogoBrowseClick();

  QGroupBox* grpSprzedawca;
  QLabel* lblSellerName;
  QPlainTextEdit* mmoSellerName;
  QLabel* lblSellerAddress;
  QPlainTextEdit* mmoSellerAddress;
  QLabel* lblSellerNIP;
  QLineEdit* edtSellerNIP;
  QLabel* lblLogo;
  QLineEdit* edtLogoFileName;
  QPushButton* btnLogoBrowse;
  QPushButton* btnLogoClear;
  QCheckBox* cbxShowInfoFrame;
  QPlainTextEdit* mmoInfoText1;
  QPlainTextEdit* mmoInfoText2;

 signals:
  // The information-frame box changed the setting: the preview is to be drawn again.
  void InfoFrameToggled();

 private:
  void Wire();
};

// The filter of the logo dialog.
extern const QString kLogoFilter;

}  // namespace bilvox
