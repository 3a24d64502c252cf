#include "about_box.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/app_info.h"
#include "main_window.h"
#include "program.h"
#include "qt_text.h"
#include "widgets.h"

using namespace Qt::StringLiterals;

namespace bilvox {

TAboutBox::TAboutBox(TProgram& program) : QDialog(&program.frmMain()) {
  setObjectName(u"AboutBox"_s);
  setWindowTitle(u"O programie"_s);
  auto* layout = new QVBoxLayout(this);
  QLabel* name = Make<QLabel>(this, u"ProductName"_s, ToQ(kAppTitle));
  QFont big = name->font();
  big.setPointSizeF(big.pointSizeF() * 1.6);
  big.setBold(true);
  name->setFont(big);
  layout->addWidget(name);
  layout->addWidget(Make<QLabel>(this, u"Version"_s, u"Wersja "_s + ToQ(kAppVersion)));
  layout->addWidget(Make<QLabel>(
      this, u"Comments"_s, u"Faktury VAT, rachunki, faktury korygujące i pro forma."_s));
  QLabel* address = Make<QLabel>(this, u"Address"_s, ToQ(kProjectAddress));
  address->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(address);
  QPushButton* ok = Make<QPushButton>(this, u"OKButton"_s, u"OK"_s);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  layout->addWidget(ok, 0, Qt::AlignRight);
}

void TAboutBox::Execute() {
  CentreOver(this, parentWidget());
  exec();
}

}  // namespace bilvox
