#include "document_tab.h"

#include "document/faktura.h"
#include "qt_text.h"
#include "widgets.h"

namespace bilvox {

DocumentTab::DocumentTab(EditContext& context, const QString& name, const QString& hint)
    : context_(context) {
  setObjectName(name);
  SetHint(this, hint);
}

void DocumentTab::BindEdit(QLineEdit* edit, TextSetter set) {
  connect(edit, &QLineEdit::textChanged, this, [this, set](const QString& text) {
    if (Editing()) (Doc().*set)(FromQ(text));
  });
}

void DocumentTab::BindMemo(QPlainTextEdit* memo, TextSetter set) {
  connect(memo, &QPlainTextEdit::textChanged, this, [this, memo, set] {
    if (Editing()) (Doc().*set)(MemoText(memo));
  });
}

void DocumentTab::BindTaxNumber(QLineEdit* edit, TextSetter set) {
  connect(edit, &QLineEdit::textChanged, this, [this, edit, set](const QString& text) {
    if (!Editing()) return;
    const std::string nip = FromQ(text);
    (Doc().*set)(nip);
    SetFieldValid(edit, NipValid(nip));
  });
}

}  // namespace bilvox
