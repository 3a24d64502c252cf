#include "printout/canvas.h"

#include "printout/metafile.h"

namespace bilvox {

int FontSpec::EmPixels() const {
  // Rounded like the system's MulDiv: halves away from zero.
  long long n = static_cast<long long>(points) * dpi;
  long long q = (n >= 0 ? n + 36 : n - 36) / 72;
  return static_cast<int>(q);
}

void Canvas::DrawPicture(const Rect& r, const Picture& picture) {
  switch (picture.kind()) {
    case Picture::Kind::None:
      return;
    case Picture::Kind::Raster:
      DrawImage(r, picture.Raster());
      return;
    case Picture::Kind::Metafile:
      if (picture.Vector()) PlayMetafile(*this, *picture.Vector(), r);
      return;
  }
}

}  // namespace bilvox
