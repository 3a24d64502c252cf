#include "print_select.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QResizeEvent>

#include "main_window.h"
#include "print_commands.h"
#include "program.h"
#include "widgets.h"

using namespace Qt::StringLiterals;

namespace bilvox {

namespace {

// The background: a sheet of paper's pale blue, lighter towards the bottom.
QPixmap BackgroundPicture() {
  QPixmap picture(32, 256);
  QPainter painter(&picture);
  QLinearGradient shade(0, 0, 0, 256);
  shade.setColorAt(0, QColor(0xD6, 0xE4, 0xF4));
  shade.setColorAt(1, QColor(0xFA, 0xFC, 0xFF));
  painter.fillRect(picture.rect(), shade);
  return picture;
}

}  // namespace

TSheetSelectWindow::TSheetSelectWindow(TProgram& program, const QString& name)
    : QDialog(&program.frmMain()), program_(program) {
  setObjectName(name);
  setWindowTitle(u"Wybór stron"_s);
  Image1 = Make<QLabel>(this, u"Image1"_s);
  Image1->setPixmap(BackgroundPicture());
  Image1->setScaledContents(true);
  Image1->lower();
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(16, 12, 16, 16);
  Label1 = Make<QLabel>(this, u"Label1"_s, u"Wybierz strony do wydruku"_s);
  QFont bold = Label1->font();
  bold.setBold(true);
  Label1->setFont(bold);
  column->addWidget(Label1);
  column->addSpacing(6);
  buttons_ = new QVBoxLayout;
  buttons_->setSpacing(6);
  column->addLayout(buttons_);
  btnAll = nullptr;
  btnCancel = nullptr;
}

QPushButton* TSheetSelectWindow::AddButton(const QString& name, const QString& caption) {
  auto* button = Make<QPushButton>(this, name, caption);
  button->setMinimumWidth(220);
  buttons_->addWidget(button);
  if (!btnAll) {
    btnAll = button;
    button->setDefault(true);
  }
  return button;
}

QPushButton* TSheetSelectWindow::AddPrintButton(const QString& name, const QString& caption,
                                                SheetChoice choice) {
  QPushButton* button = AddButton(name, caption);
  connect(button, &QPushButton::clicked, this, [this, choice] {
    TfrmMain& main = program_.frmMain();
    if (main.PrintCommands().PrintSheets(RequestForSheets(choice, main.Document()), this))
      accept();
  });
  return button;
}

void TSheetSelectWindow::AddCancelButton(const QString& caption) {
  buttons_->addSpacing(6);
  btnCancel = AddButton(u"btnCancel"_s, caption);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool TSheetSelectWindow::Execute() {
  adjustSize();
  setFixedSize(size());
  CentreOver(this, &program_.frmMain());
  btnAll->setFocus();
  return exec() == QDialog::Accepted;
}

void TSheetSelectWindow::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  Image1->setGeometry(rect());
}

TfrmPrintSelect::TfrmPrintSelect(TProgram& program)
    : TSheetSelectWindow(program, u"frmPrintSelect"_s) {
  AddPrintButton(u"btnAll"_s, u"Drukuj oryginał i kopię"_s, SheetChoice::Both);
  btnOryginal = AddPrintButton(u"btnOryginal"_s, u"Tylko oryginał"_s, SheetChoice::Original);
  btnKopia = AddPrintButton(u"btnKopia"_s, u"Tylko kopię"_s, SheetChoice::Copy);
  btnSelfCopy =
      AddPrintButton(u"btnSelfCopy"_s, u"Na papierze samokopiującym"_s, SheetChoice::SelfCopy);
  AddCancelButton(u"Anuluj wydruk"_s);
}

}  // namespace bilvox
