#include "widgets.h"

#include <QBoxLayout>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QTextCursor>
#include <QTextDocument>
#include <QValidator>

#include "qt_text.h"

using namespace Qt::StringLiterals;

namespace bilvox {

namespace {

// Where the cursor at position in text stands once the characters Windows-1250 cannot store
// are dropped: back by those before it.
int PositionWithoutForeign(const QString& text, int position) {
  int removedBefore = 0;
  for (int i = 0; i < text.size() && i < position; ++i)
    if (!InCp1250(text[i])) ++removedBefore;
  return std::max(0, position - removedBefore);
}

// Drops every character Windows-1250 cannot store as it is typed or pasted.
class Cp1250Validator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& pos) const override {
    const QString kept = WithoutForeignCharacters(input);
    if (kept.size() != input.size()) {
      pos = PositionWithoutForeign(input, pos);
      input = kept;
    }
    return Acceptable;
  }
};

}  // namespace

void SetHint(QWidget* widget, const QString& hint, bool tooltip) {
  const qsizetype bar = hint.indexOf(u'|');
  widget->setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
  if (tooltip) widget->setToolTip(bar < 0 ? hint : hint.left(bar));
}

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text, QWidget* buddy) {
  QLabel* label = Make<QLabel>(parent, name, text);
  if (buddy) label->setBuddy(buddy);
  return label;
}

QLineEdit* MakeEdit(QWidget* parent, const QString& name) {
  QLineEdit* edit = Make<QLineEdit>(parent, name);
  edit->setValidator(new Cp1250Validator(edit));
  return edit;
}

QPlainTextEdit* MakeMemo(QWidget* parent, const QString& name, bool wrap, int lines) {
  QPlainTextEdit* memo = Make<QPlainTextEdit>(parent, name);
  const int margins = 2 * (memo->frameWidth() + static_cast<int>(memo->document()->documentMargin()));
  memo->setMaximumHeight(lines * memo->fontMetrics().lineSpacing() + margins + 2);
  memo->setTabChangesFocus(true);
  memo->setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
  return memo;
}

namespace {
// Combo boxes as wide as the layout makes them, not as their longest item.
void Narrow(QComboBox* combo) {
  combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  combo->setMinimumContentsLength(6);
}
}  // namespace

void FitWidthTo(QLineEdit* field, const QString& sample) {
  // The text, the field's frame and its text margins, and the cursor.
  const QMargins margins = field->textMargins();
  field->setMinimumWidth(field->fontMetrics().horizontalAdvance(sample) + margins.left() +
                         margins.right() + 2 * field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) +
                         8);
}

QComboBox* MakeList(QWidget* parent, const QString& name, const QStringList& items) {
  QComboBox* combo = Make<QComboBox>(parent, name);
  Narrow(combo);
  combo->addItems(items);
  return combo;
}

QComboBox* MakeEditableCombo(QWidget* parent, const QString& name, const QStringList& items) {
  QComboBox* combo = Make<QComboBox>(parent, name);
  Narrow(combo);
  combo->setEditable(true);
  combo->setInsertPolicy(QComboBox::NoInsert);
  combo->addItems(items);
  combo->setValidator(new Cp1250Validator(combo));
  combo->setCurrentIndex(-1);
  return combo;
}

QDateEdit* MakeDatePicker(QWidget* parent, const QString& name) {
  QDateEdit* date = Make<QDateEdit>(parent, name);
  date->setCalendarPopup(true);
  date->setDisplayFormat(u"yyyy-MM-dd"_s);
  date->setMinimumDate(QDate(100, 1, 1));
  return date;
}

std::string MemoText(QPlainTextEdit* memo) {
  QString text = memo->toPlainText();
  const QString kept = WithoutForeignCharacters(text);
  if (kept.size() != text.size()) {
    const int position = PositionWithoutForeign(text, memo->textCursor().position());
    {
      const QSignalBlocker block(memo);
      memo->setPlainText(kept);
    }
    QTextCursor cursor = memo->textCursor();
    cursor.setPosition(position);
    memo->setTextCursor(cursor);
    text = kept;
  }
  return FromQMultiline(text);
}

void SetMemoText(QPlainTextEdit* memo, const std::string& cp1250) {
  const QString text = ToQMultiline(cp1250);
  if (memo->toPlainText() != text) memo->setPlainText(text);
}

void CentreOver(QWidget* window, const QWidget* over) {
  const QRect main = over->frameGeometry();
  window->move(main.left() + (main.width() - window->width()) / 2,
               main.top() + (main.height() - window->height()) / 2);
}

void AddOkCancel(QDialog* dialog, QBoxLayout* layout) {
  auto* buttons = new QDialogButtonBox(dialog);
  QPushButton* ok = buttons->addButton(u"OK"_s, QDialogButtonBox::AcceptRole);
  ok->setObjectName(u"btnOk"_s);
  ok->setDefault(true);
  QPushButton* cancel = buttons->addButton(u"Anuluj"_s, QDialogButtonBox::RejectRole);
  cancel->setObjectName(u"btnCancel"_s);
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  layout->addWidget(buttons);
}

void SetFieldValid(QWidget* field, bool valid) {
  QPalette palette = field->palette();
  palette.setColor(QPalette::Base, valid ? QColor(255, 255, 255) : QColor(255, 208, 192));
  field->setPalette(palette);
}

}  // namespace bilvox
