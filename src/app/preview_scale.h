// The zoom of the page preview: a resolution in pixels per inch, either one of eight preset
// steps or "fit width", computed from the width of the preview area.
#pragma once

namespace bilvox {

class PreviewScale {
 public:
  static constexpr int kMinStep = -3;
  static constexpr int kMaxStep = 4;
  static constexpr int kFitWidth = 5;

  // The preset resolution of a step -3..4 (30, 50, 75, 100, 140, 200, 300, 500).
  static int Preset(int step);

  // Sets a step (-3..4, or kFitWidth); the fit-width resolution follows the inner width of
  // the preview area.
  void SetStep(int step, int innerWidth);
  int Step() const { return step_; }
  bool FitWidth() const { return step_ == kFitWidth; }
  // The resolution in use: the fit-width one in fit-width mode, else the preset.
  int Dpi() const;

  // The step zooming in or out goes to; the same step when there is nowhere to go.
  int StepUp() const;
  int StepDown() const;

  // The sheet at the current resolution (A4, 210 × 297 mm), and the paint box around it
  // with room for the page's shadow.
  int PageWidth() const;
  int PageHeight() const;
  int BoxWidth() const { return PageWidth() + 12; }
  int BoxHeight() const { return PageHeight() + 12; }

 private:
  int step_ = 0;
  int fitDpi_ = 100;
};

}  // namespace bilvox
