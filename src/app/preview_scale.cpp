#include "preview_scale.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "printout/page.h"

namespace bilvox {

namespace {
constexpr std::array<int, 8> kPresets = {30, 50, 75, 100, 140, 200, 300, 500};
}

int PreviewScale::Preset(int step) {
  if (step < kMinStep) step = kMinStep;
  if (step > kMaxStep) step = kMaxStep;
  return kPresets[static_cast<size_t>(step - kMinStep)];
}

void PreviewScale::SetStep(int step, int innerWidth) {
  step_ = step;
  // 210 mm across the area less a margin, to the nearest integer (halves to even).
  if (step_ == kFitWidth)
    fitDpi_ = std::max(1, static_cast<int>(std::nearbyint((innerWidth - 30) * 25.4 / 210)));
}

int PreviewScale::Dpi() const { return FitWidth() ? fitDpi_ : Preset(step_); }

int PreviewScale::StepUp() const {
  if (!FitWidth()) return step_ < kMaxStep ? step_ + 1 : step_;
  for (int s = kMinStep; s <= kMaxStep; ++s)
    if (Preset(s) >= fitDpi_) return s;
  return step_;
}

int PreviewScale::StepDown() const {
  if (!FitWidth()) return step_ > kMinStep ? step_ - 1 : step_;
  for (int s = kMaxStep; s >= kMinStep; --s)
    if (Preset(s) <= fitDpi_) return s;
  return step_;
}

int PreviewScale::PageWidth() const { return bilvox::PageWidth(Dpi()); }
int PreviewScale::PageHeight() const { return bilvox::PageHeight(Dpi()); }

}  // namespace bilvox
