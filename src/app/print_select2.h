// TfrmPrintSelect2 ("Wybór stron"): the choice of sheets for documents issued after
// 2013-01-01, two identical copies or one, with the printer set-up at hand.
#pragma once

#include "print_select.h"

namespace bilvox {

class TfrmPrintSelect2 : public TSheetSelectWindow {
 public:
  explicit TfrmPrintSelect2(TProgram& program);

  QPushButton* btnOryginal;
  // Opens the printer set-up; the window stays open.
  QPushButton* btnPrinterSettings;
};

}  // namespace bilvox
