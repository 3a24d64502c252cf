// TAboutBox: the about window with the program's name, version and address.
#pragma once

#include <QDialog>

namespace bilvox {

class TProgram;

class TAboutBox : public QDialog {
 public:
  explicit TAboutBox(TProgram& program);
  // Shows the window modally.
  void Execute();
};

}  // namespace bilvox
