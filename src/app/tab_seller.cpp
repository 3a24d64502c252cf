#include "tab_seller.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "dialogs.h"
#include "document/faktura.h"
#include "qt_text.h"
#include "settings/settings.h"
#include "widgets.h"

using namespace Qt::StringLiterals;

namespace bilvox {

const QString kLogoFilter =
    u"Pliki graficzne (*.jpg;*.jpeg;*.bmp;*.emf;*.wmf)|*.jpg;*.jpeg;*.bmp;*.emf;*.wmf|"
    "Obrazy JPEG (*.jpg;*.jpeg)|*.jpg;*.jpeg|Bitmapy (*.bmp)|*.bmp|"
    "Metapliki (*.wmf;*.emf)|*.emf;*.wmf"_s;

TabSprzedawca::TabSprzedawca(EditContext& context)
    : DocumentTab(context, u"tshSprzedawca"_s, u"Dane sprzedawcy"_s) {
  grpSprzedawca = Make<QGroupBox>(this, u"grpSprzedawca"_s, u"Dane sprzedawcy"_s);
  mmoSellerName = MakeMemo(grpSprzedawca, u"mmoSellerName"_s);
  SetHint(mmoSellerName, u"Nazwa sprzedawca (nazwa firmy lub imię i nazwisko)"_s);
  lblSellerName = MakeLabel(grpSprzedawca, u"lblSellerName"_s, u"Nazwa"_s, mmoSellerName);
  mmoSellerAddress = MakeMemo(grpSprzedawca, u"mmoSellerAddress"_s);
  SetHint(mmoSellerAddress, u"Adres sprzedawcy (siedziba firmy)"_s);
  lblSellerAddress =
      MakeLabel(grpSprzedawca, u"lblSellerAddress"_s, u"Adres (siedziba)"_s, mmoSellerAddress);
  edtSellerNIP = MakeEdit(grpSprzedawca, u"edtSellerNIP"_s);
  SetHint(edtSellerNIP, u"Numer identyfikacji podatkowej"_s);
  lblSellerNIP = MakeLabel(grpSprzedawca, u"lblSellerNIP"_s, u"NIP"_s, edtSellerNIP);
  edtLogoFileName = Make<QLineEdit>(grpSprzedawca, u"edtLogoFileName"_s);
  edtLogoFileName->setReadOnly(true);
  SetHint(edtLogoFileName, u"Ścieżka dostępu do pliku graficznego logo"_s);
  lblLogo = MakeLabel(grpSprzedawca, u"lblLogo"_s, u"Logo"_s, edtLogoFileName);
  btnLogoBrowse = Make<QPushButton>(grpSprzedawca, u"btnLogoBrowse"_s, u"&Przeglądaj..."_s);
  SetHint(btnLogoBrowse, u"Wybiera plik zawierający grakię logo"_s, true);
  btnLogoClear = Make<QPushButton>(grpSprzedawca, u"btnLogoClear"_s, u"&Wyczyść"_s);
  SetHint(btnLogoClear, u"Usuwa ścieżkę do aktywnego pliku logo  "_s, true);
  // Name and address side by side, the tax number beside them; the logo's path and buttons
  // in a row below, so that the two memos keep the width of a company's name.
  auto* seller = new QGridLayout(grpSprzedawca);
  seller->addWidget(lblSellerName, 0, 0);
  seller->addWidget(mmoSellerName, 1, 0, 2, 1, Qt::AlignTop);
  seller->addWidget(lblSellerAddress, 0, 1);
  seller->addWidget(mmoSellerAddress, 1, 1, 2, 1, Qt::AlignTop);
  seller->addWidget(lblSellerNIP, 0, 2);
  seller->addWidget(edtSellerNIP, 1, 2, Qt::AlignTop);
  FitWidthTo(edtSellerNIP, u"000-000-00-00"_s);
  edtSellerNIP->setMaximumWidth(edtSellerNIP->minimumWidth());
  auto* logo = new QHBoxLayout;
  logo->addWidget(lblLogo);
  logo->addWidget(edtLogoFileName, 1);
  logo->addWidget(btnLogoBrowse);
  logo->addWidget(btnLogoClear);
  seller->addLayout(logo, 3, 0, 1, 3);
  // An address line ("ul. Głogowska 12") should not wrap; a name wraps more gracefully.
  seller->setColumnStretch(0, 2);
  seller->setColumnStretch(1, 3);

  cbxShowInfoFrame = Make<QCheckBox>(this, u"cbxShowInfoFrame"_s,
                                     u"Pokaż ramkę informacyjną sprzedawcy"_s);
  SetHint(cbxShowInfoFrame, u"Umieszcza na dokumencie dodatkowe informacje i logo firmy"_s);
  mmoInfoText1 = MakeMemo(this, u"mmoInfoText1"_s, false);
  SetHint(mmoInfoText1, u"Informacje o sprzedawcy"_s);
  mmoInfoText2 = MakeMemo(this, u"mmoInfoText2"_s, false);
  SetHint(mmoInfoText2, u"Informacje o sprzedawcy"_s);
  auto* info = new QGridLayout;
  info->addWidget(cbxShowInfoFrame, 0, 0, 1, 2);
  info->addWidget(mmoInfoText1, 1, 0);
  info->addWidget(mmoInfoText2, 1, 1);

  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(6, 6, 6, 6);
  row->addWidget(grpSprzedawca, 3);
  row->addLayout(info, 2);
  Wire();
}

QString TabSprzedawca::Caption() const { return u"Sprzedawca"_s; }

void TabSprzedawca::Wire() {
  BindMemo(mmoSellerName, &TFaktura::SetSellerName);
  BindMemo(mmoSellerAddress, &TFaktura::SetSellerAddress);
  BindTaxNumber(edtSellerNIP, &TFaktura::SetSellerNIP);
  connect(btnLogoBrowse, &QPushButton::clicked, this, &TabSprzedawca::btnLogoBrowseClick);
  connect(btnLogoClear, &QPushButton::clicked, this, [this] {
    Doc().SetLogoFileName("");
    edtLogoFileName->clear();
  });
  BindMemo(mmoInfoText1, &TFaktura::SetInfoText1);
  BindMemo(mmoInfoText2, &TFaktura::SetInfoText2);
  connect(cbxShowInfoFrame, &QCheckBox::toggled, this, [this](bool on) {
    // Not a document field: the setting in memory, stored with the other settings.
    context_.settings.App.ShowInfoFrame = on;
    emit InfoFrameToggled();
  });
}

void TabSprzedawca::btnLogoBrowseClick() {
  FileDialogRequest request;
  request.caption = u"Wybierz logo firmy"_s;
  request.filter = kLogoFilter;
  request.proposedFile = PathToQ(Doc().LogoFileName());
  const std::optional<QString> path = context_.dialogs.OpenPicture(window(), request);
  if (!path) return;
  Doc().SetLogoFileName(PathFromQ(*path));
  edtLogoFileName->setText(PathToQ(Doc().LogoFileName()));
}

void TabSprzedawca::LoadFields(const TFaktura& doc) {
  SetMemoText(mmoSellerName, doc.SellerName());
  SetMemoText(mmoSellerAddress, doc.SellerAddress());
  edtSellerNIP->setText(ToQ(doc.SellerNIP()));
  SetFieldValid(edtSellerNIP, NipValid(doc.SellerNIP()));
  SetMemoText(mmoInfoText1, doc.InfoText1());
  SetMemoText(mmoInfoText2, doc.InfoText2());
  edtLogoFileName->setText(PathToQ(doc.LogoFileName()));
}

}  // namespace bilvox
