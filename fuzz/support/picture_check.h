// The logo pictures: decoded by the reader of their format and, when that succeeds, drawn
// stretched into a few rectangles as the page drawing does.
#pragma once

#include <string_view>

#include "common/error.h"
#include "document/picture.h"
#include "support/checking_canvas.h"

namespace bilvox::fuzz {

template <class Decode>
void CheckPicture(std::string_view bytes, Decode decode) {
  Picture picture;
  try {
    picture = decode(bytes);
  } catch (const Error&) {
    return;
  }
  Require(!picture.Empty(), "a picture read without error is empty");
  Require(picture.Width() > 0 && picture.Height() > 0, "a picture without a size");
  if (picture.kind() == Picture::Kind::Raster) CheckingCanvas::CheckImage(picture.Raster());
  CheckingCanvas canvas;
  for (const Rect& r : {Rect{100, 200, 400, 350}, Rect{0, 0, 1, 1}, Rect{-50, 10, 4700, 6600}})
    canvas.DrawPicture(r, picture);
}

}  // namespace bilvox::fuzz
