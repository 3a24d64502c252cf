// Vector pictures (WMF with or without the placeable header, and EMF) read into a list of
// shapes, and their playback stretched into a rectangle on any canvas.
//
// Reading runs the pictures' drawing records through a model of the drawing state (mapping
// mode, window and viewport, world transform, selected pen, brush and font, saved states,
// paths), so the shapes come out in one fixed coordinate space: the picture's reference
// space, of which the frame is the part that is stretched into the destination.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "printout/canvas.h"

namespace bilvox {

struct PointD {
  double x = 0;
  double y = 0;
};

class Metafile {
 public:
  struct Pen {
    ColorRef color = kBlack;
    double width = 0;       // in reference units; ignored for a cosmetic pen
    bool cosmetic = true;   // one device pixel wide at any size
  };
  struct Font {
    std::string face = "Arial";  // Windows-1250
    double height = 16;          // in reference units
    bool cellHeight = false;     // height of the whole line box rather than of the characters
    bool bold = false;
    bool italic = false;
    bool underline = false;
  };
  // Text alignment of a text shape's reference point (the system's TA_ values).
  enum TextAlign : unsigned {
    kAlignRight = 2, kAlignCenter = 6, kAlignBottom = 8, kAlignBaseline = 24,
  };

  struct Shape {
    enum class Kind { Polyline, Polygon, Rectangle, Ellipse, Text, Image };
    Kind kind = Kind::Polyline;
    std::vector<std::vector<PointD>> rings;  // polyline: rings[0]; polygon: every ring
    PointD a, b;  // rectangle, ellipse, image: opposite corners; text: reference point in a
    std::optional<Pen> pen;
    std::optional<ColorRef> fill;
    bool winding = false;
    std::string text;  // Windows-1250
    Font font;
    ColorRef textColor = kBlack;
    unsigned align = 0;
    std::shared_ptr<const RasterImage> image;
  };

  // Reads a WMF or EMF picture. Throws Error "Nieprawidłowy format pliku." for anything
  // that is not a complete, consistent picture of either format.
  static std::shared_ptr<const Metafile> Parse(std::string_view bytes);

  // The part of the reference space that is stretched into the destination rectangle.
  double frameLeft = 0, frameTop = 0, frameWidth = 1, frameHeight = 1;
  // The frame's size in pixels at 96 dpi.
  double naturalWidth = 1, naturalHeight = 1;
  std::vector<Shape> shapes;
};

// Draws the picture's frame stretched into the destination rectangle.
void PlayMetafile(Canvas& canvas, const Metafile& metafile, const Rect& dest);

}  // namespace bilvox
