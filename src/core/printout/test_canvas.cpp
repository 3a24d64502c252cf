#include "printout/test_canvas.h"

namespace bilvox {

std::vector<const CanvasCall*> TestCanvas::Texts() const {
  std::vector<const CanvasCall*> texts;
  for (const CanvasCall& c : Calls())
    if (c.kind == CanvasCall::Kind::Text) texts.push_back(&c);
  return texts;
}

const CanvasCall* TestCanvas::FindText(std::string_view text) const {
  for (const CanvasCall& c : Calls())
    if (c.kind == CanvasCall::Kind::Text && c.text == text) return &c;
  return nullptr;
}

}  // namespace bilvox
