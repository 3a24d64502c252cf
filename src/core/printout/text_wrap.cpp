#include "printout/text_wrap.h"

namespace bilvox {
namespace {

bool IsBlank(char c) { return c == ' '; }

// Widths grow with the text: a longer piece is never narrower than its beginning. So the
// break of a line is searched for by halving, and a long rest is never measured whole, which
// keeps wrapping close to linear in the length of the text however long its lines or words.
void WrapParagraph(Canvas& canvas, std::string_view p, int width, std::vector<WrappedLine>& out) {
  if (p.empty()) {
    out.push_back({p, 0});
    return;
  }
  auto widthOf = [&](size_t from, size_t length) { return canvas.TextWidth(p.substr(from, length)); };
  size_t pos = 0;
  std::vector<size_t> ends;
  while (pos < p.size()) {
    const size_t rest = p.size() - pos;
    // A length of the rest known to be too wide: pieces twice as long each time, until one
    // is too wide or the whole rest fits.
    size_t tooWide = 0;
    for (size_t probe = 64;; probe *= 2) {
      if (probe >= rest) {
        const int w = widthOf(pos, rest);
        if (w <= width) {
          out.push_back({p.substr(pos), w});
          return;
        }
        tooWide = rest;
        break;
      }
      if (widthOf(pos, probe) > width) {
        tooWide = probe;
        break;
      }
    }
    // The last end of a word (a blank after a non-blank) whose line still fits.
    ends.clear();
    for (size_t e = pos + 1; e - pos < tooWide; ++e)
      if (IsBlank(p[e]) && !IsBlank(p[e - 1])) ends.push_back(e);
    size_t best = 0;
    int bestWidth = 0;
    size_t lo = 0, hi = ends.size();  // ends[0..lo) fit, ends[hi..) do not
    while (lo < hi) {
      const size_t mid = lo + (hi - lo) / 2;
      const int w = widthOf(pos, ends[mid] - pos);
      if (w <= width) {
        lo = mid + 1;
        best = ends[mid];
        bestWidth = w;
      } else {
        hi = mid;
      }
    }
    if (best == 0) {
      // The first word alone is too wide: break it after the last character that fits,
      // keeping at least one.
      size_t k = 1;
      int kWidth = widthOf(pos, 1);
      size_t lo2 = 2, hi2 = tooWide;  // lengths below lo2 fit (or are the one kept)
      while (lo2 < hi2) {
        const size_t mid = lo2 + (hi2 - lo2) / 2;
        const int w = widthOf(pos, mid);
        if (w <= width) {
          k = mid;
          kWidth = w;
          lo2 = mid + 1;
        } else {
          hi2 = mid;
        }
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
