#include "document_tab.h"

#include "widgets.h"

namespace bilvox {

DocumentTab::DocumentTab(EditContext& context, const QString& name, const QString& hint)
    : context_(context) {
  setObjectName(name);
  SetHint(this, hint);
}

}  // namespace bilvox
