// The "Podpisy/Uwagi" tab: the persons authorised to issue and to receive the document,
// the remarks and the standing remark.
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "document_tab.h"

namespace bilvox {

class TabPodpisy : public DocumentTab {
 public:
  explicit TabPodpisy(EditContext& context);
  QString Caption() const override;

  // Window refresh, step 6 (this tab's part).
  void LoadFields(const TFaktura& doc);

  QGroupBox* grpOsoby;
  QLabel* lblUpowWystaw;
  QLineEdit* edtUpowWystaw;
  QLabel* lblUpowOdbioru;
  QLineEdit* edtUpowOdbioru;
  QGroupBox* grpUwagi;
  QPlainTextEdit* mmoUwagi;
  QLineEdit* edtUwagiStale;

 private:
  void Wire();
};

}  // namespace bilvox
