// The two copy-selection windows ("Wybór stron") of the print command. Both show the label
// "Wybierz strony do wydruku" over a decorative picture and a column of buttons; a print
// button carries out its print request and closes the window with OK only when the sheets
// were printed (a cancelled PDF file dialog or a failed job leaves the window open).
//
// TfrmPrintSelect serves documents issued up to 2013-01-01: original and copy, the original,
// the copy, or one sheet on self-copying paper, each sheet with its mark.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "printout/print_job.h"

namespace bilvox {

class TProgram;

// What both windows share: caption, label, picture, placement over the main window and the
// print buttons.
class TSheetSelectWindow : public QDialog {
 public:
  // Shows the window modally, centred over the main window with `btnAll` focused; true when
  // it closed with OK.
  bool Execute();

  QLabel* Image1;
  QLabel* Label1;
  QPushButton* btnAll;
  QPushButton* btnCancel;

 protected:
  TSheetSelectWindow(TProgram& program, const QString& name);
  // A button of the column; the first one made is `btnAll`, the default.
  QPushButton* AddButton(const QString& name, const QString& caption);
  // A print button's request: prints the chosen sheets, then closes with OK.
  QPushButton* AddPrintButton(const QString& name, const QString& caption, SheetChoice choice);
  // The cancel button closes the window with Cancel (so do Escape and the close box).
  void AddCancelButton(const QString& caption);

  void resizeEvent(QResizeEvent* event) override;

  TProgram& program_;

 private:
  QVBoxLayout* buttons_;
};

class TfrmPrintSelect : public TSheetSelectWindow {
 public:
  explicit TfrmPrintSelect(TProgram& program);

  QPushButton* btnOryginal;
  QPushButton* btnKopia;
  QPushButton* btnSelfCopy;
};

}  // namespace bilvox
