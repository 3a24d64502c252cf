#include "print_select2.h"

#include "main_window.h"
#include "print_commands.h"
#include "program.h"

using namespace Qt::StringLiterals;

namespace bilvox {

TfrmPrintSelect2::TfrmPrintSelect2(TProgram& program)
    : TSheetSelectWindow(program, u"frmPrintSelect2"_s) {
  AddPrintButton(u"btnAll"_s, u"&Drukuj dwa egzemplarze"_s, SheetChoice::Both);
  btnOryginal =
      AddPrintButton(u"btnOryginal"_s, u"Drukuj &jeden egzemplarz"_s, SheetChoice::Original);
  btnPrinterSettings = AddButton(u"btnPrinterSettings"_s, u"&Ustawienia drukarki..."_s);
  connect(btnPrinterSettings, &QPushButton::clicked, this,
          [this] { program_.frmMain().PrintCommands().PrinterSettings(this); });
  AddCancelButton(u"&Anuluj wydruk"_s);
}

}  // namespace bilvox
