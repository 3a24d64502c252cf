// TfrmInfo ("Informacja"): a small window that explains a part of the program the first
// time the user reaches it. Each explanation is a topic with a bit value; the user can stop a
// topic from appearing by itself, and the help buttons still show it on demand. The topics
// switched off and the window's position are kept in the settings store.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <cstdint>

namespace bilvox {

class TProgram;

class TfrmInfo : public QDialog {
 public:
  // The topics.
  static constexpr int32_t kTopicCorrection = 8;   // issuing a correcting invoice
  static constexpr int32_t kTopicGoods = 16;       // working with the goods list
  static constexpr int32_t kTopicNumbering = 32;   // automatic numbering settings

  explicit TfrmInfo(TProgram& program);
  ~TfrmInfo() override;

  // Shows a topic without making the window modal (an open window just changes its
  // contents). A topic offered by itself (not on demand) is not shown when switched off.
  void ShowTopic(int32_t topic, bool onDemand);

  int32_t CurrentTopic() const { return topic_; }
  int32_t DisabledTopics() const { return disabled_; }

  QLabel* lblTitle;
  QPlainTextEdit* mmoInfo;
  QCheckBox* chbDisableInfo;
  QPushButton* Button1;

 protected:
  // Every way of closing (the button, Escape, the close box) ends here.
  void done(int result) override;

 private:
  TProgram& program_;
  int32_t topic_ = 0;
  int32_t disabled_ = 0;
};

}  // namespace bilvox
