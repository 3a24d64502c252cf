// The page preview below the tabs: the scrolling area `ScrollBox1` holding the paint box
// `pbxFaktura`, the zoom, and the redraw timer `tmrFaktura`.
//
// The page is drawn only into an off-screen picture, never in a paint event: the timer looks
// every 500 ms whether the document changed and redraws the picture then, so a burst of edits
// gives one redraw; zooming and explicit repaint requests redraw at the next turn of the event
// loop. Painting copies the picture. Two pictures are kept for the whole run, so a drawing
// that fails leaves the last good page on screen.
#pragma once

#include <QImage>
#include <QScrollArea>
#include <QString>
#include <QTimer>
#include <QWidget>

#include "preview_scale.h"

namespace bilvox {

class PageDrawing;
class TFaktura;

// The paint box: shows the picture it is given.
class TPaintBox : public QWidget {
 public:
  explicit TPaintBox(QWidget* parent);
  void SetImage(const QImage* image) { image_ = image; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const QImage* image_ = nullptr;
};

class TPreviewArea : public QScrollArea {
  Q_OBJECT
 public:
  TPreviewArea(TFaktura& document, PageDrawing& drawing, QWidget* parent);

  // Zoom: a step -3..4 or PreviewScale::kFitWidth; zooming in and out by one step.
  void SetScaleStep(int step);
  void ZoomIn();
  void ZoomOut();
  const PreviewScale& Scale() const { return scale_; }

  // Starts the redraw timer (at the window's first showing); Stop ends all drawing for good
  // (the window is going, and the document with it).
  void StartTimer();
  void Stop();
  // Asks for a redraw at the next turn of the event loop, even without a change of the
  // document (settings, the information-frame box).
  void RequestRepaint();
  // The timer's work, at once: redraws when the document changed or a redraw is pending.
  // Returns whether the page was drawn.
  bool RefreshNow();

  // The picture on screen, and how often a page was drawn (for tests).
  const QImage& Image() const { return *shown_; }
  int DrawCount() const { return drawCount_; }
  TPaintBox* PaintBox() const { return box_; }
  QTimer* Timer() const { return timer_; }

  // Scrolls as the window's wheel handler does: half the wheel's delta, upward for a
  // positive delta.
  void ScrollByWheel(int delta);

 signals:
  // The page could not be drawn (the message), or can again (an empty text).
  void DrawingFailed(const QString& message);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ScheduleDraw();
  void Draw(bool report);

  TFaktura& document_;
  PageDrawing& drawing_;
  PreviewScale scale_;
  QWidget* content_;
  TPaintBox* box_;
  QTimer* timer_;
  QImage images_[2];
  QImage* shown_ = &images_[0];
  int drawnDpi_ = 0;        // the resolution of the picture shown or about to be drawn
  bool resized_ = false;    // the zoom changed: redraw at the new size
  bool requested_ = false;  // a redraw was asked for
  bool scheduled_ = false;  // a redraw is queued for the next turn of the event loop
  bool busy_ = false;       // drawing, or showing the failure (the timer may tick meanwhile)
  bool failing_ = false;    // the last drawing failed
  bool stopped_ = false;
  int drawCount_ = 0;
};

}  // namespace bilvox
