// Word wrapping of a text for a given width, measured on a canvas. Every canvas wraps alike
// because this is the only place that decides where lines break.
#pragma once

#include <string_view>
#include <vector>

#include "printout/canvas.h"

namespace bilvox {

struct WrappedLine {
  std::string_view text;  // a view into the wrapped text
  int width = 0;          // its advance width in the canvas's current font
};

// Breaks the text into lines no wider than `width`:
// - CR LF, a lone LF and a lone CR end a line; a break at the very end of the text adds no
//   empty line after it, an empty text has no lines at all;
// - otherwise a line ends at the last blank where the words before it still fit; the blanks
//   at such a break are dropped, blanks before a hard break or at the start of a text stay;
// - a word wider than the width on its own is broken after the last character that fits
//   (at least one character per line), as the system's word-breaking text drawing does.
std::vector<WrappedLine> WrapText(Canvas& canvas, std::string_view text, int width);

}  // namespace bilvox
