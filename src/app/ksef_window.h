// TfrmKSeF ("Eksport do KSeF"): what a correcting invoice needs for KSeF and its file does
// not hold: the issue date of the corrected invoice and, when that invoice went through KSeF,
// its KSeF number. The date field starts empty, so nothing is exported with a date the user
// never gave.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <optional>
#include <string>

#include "common/dates.h"

namespace bilvox {

class TfrmKSeF : public QDialog {
 public:
  explicit TfrmKSeF(QWidget* parent);

  // What the user answered.
  struct Answer {
    Ymd correctedIssueDate;
    std::string correctedKsefNumber;  // Windows-1250; empty when issued outside KSeF
  };

  // Shows the window modally for the corrected invoice's number (Windows-1250), with the
  // fields filled from `previous` when given. The answer on OK; nothing on Cancel.
  std::optional<Answer> Execute(const std::string& correctedNumber,
                                const std::optional<Answer>& previous);

  QLabel* lblInfo;
  QLabel* lblNrFaKorygowanej;
  QLineEdit* edtNrFaKorygowanej;
  QLabel* lblDataFaKorygowanej;
  QLineEdit* edtDataFaKorygowanej;
  QLabel* lblNrKSeF;
  QLineEdit* edtNrKSeF;

  void accept() override;

 private:
  // The typed date ("2027-02-14" or "14.02.2027"); nothing when it is no date.
  std::optional<Ymd> TypedDate() const;
};

}  // namespace bilvox
