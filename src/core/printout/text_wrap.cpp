#include "printout/text_wrap.h"

namespace bilvox {
namespace {

bool IsBlank(char c) { return c == ' '; }

void WrapParagraph(Canvas& canvas, std::string_view p, int width, std::vector<WrappedLine>& out) {
  if (p.empty()) {
    out.push_back({p, 0});
    return;
  }
  size_t pos = 0;
  while (pos < p.size()) {
    std::string_view rest = p.substr(pos);
    int restWidth = canvas.TextWidth(rest);
    if (restWidth <= width) {
      out.push_back({rest, restWidth});
      return;
    }
    // The last end of a word (a blank after a non-blank) whose line still fits.
    size_t best = 0;
    int bestWidth = 0;
    for (size_t e = pos + 1; e < p.size(); ++e) {
      if (!IsBlank(p[e]) || IsBlank(p[e - 1])) continue;
      int w = canvas.TextWidth(p.substr(pos, e - pos));
      if (w > width) break;
      best = e;
      bestWidth = w;
    }
    if (best == 0) {
      // The first word alone is too wide: break it after the last character that fits.
      size_t k = 1;
      int kWidth = canvas.TextWidth(p.substr(pos, 1));
      while (pos + k < p.size()) {
        int w = canvas.TextWidth(p.substr(pos, k + 1));
        if (w > width) break;
        ++k;
        kWidth = w;
      }
      best = pos + k;
      bestWidth = kWidth;
    }
    out.push_back({p.substr(pos, best - pos), bestWidth});
    pos = best;
    while (pos < p.size() && IsBlank(p[pos])) ++pos;
  }
}

}  // namespace

std::vector<WrappedLine> WrapText(Canvas& canvas, std::string_view text, int width) {
  std::vector<WrappedLine> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = start;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    WrapParagraph(canvas, text.substr(start, end - start), width, lines);
    if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n')
      ++end;
    start = end + 1;
  }
  return lines;
}

}  // namespace bilvox
