#include "preview.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QScrollBar>
#include <QWheelEvent>

#include "common/error.h"
#include "common/error_report.h"
#include "document/faktura.h"
#include "printout/page.h"
#include "printout/texts.h"
#include "qt_canvas.h"
#include "qt_text.h"

using namespace Qt::StringLiterals;

namespace bilvox {

TPaintBox::TPaintBox(QWidget* parent) : QWidget(parent) {
  setObjectName(u"pbxFaktura"_s);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPaintBox::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  QRegion rest(event->rect());
  if (image_ && !image_->isNull()) {
    const QRect from = event->rect().intersected(image_->rect());
    if (!from.isEmpty()) painter.drawImage(from.topLeft(), *image_, from);
    rest -= QRegion(image_->rect());
  }
  for (const QRect& r : rest) painter.fillRect(r, palette().window());
}

TPreviewArea::TPreviewArea(TFaktura& document, PageDrawing& drawing, QWidget* parent)
    : QScrollArea(parent), document_(document), drawing_(drawing) {
  setObjectName(u"ScrollBox1"_s);
  // A scroll bar that comes and goes would change the width the page fits to.
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  content_ = new QWidget;
  content_->setAutoFillBackground(true);
  box_ = new TPaintBox(content_);
  box_->move(5, 5);
  box_->SetImage(shown_);
  setWidget(content_);
  viewport()->installEventFilter(this);
  timer_ = new QTimer(this);
  timer_->setObjectName(u"tmrFaktura"_s);
  timer_->setInterval(500);
  connect(timer_, &QTimer::timeout, this, [this] { RefreshNow(); });
  SetScaleStep(0);
}

void TPreviewArea::SetScaleStep(int step) {
  scale_.SetStep(step, viewport()->width());
  const QSize size(scale_.BoxWidth(), scale_.BoxHeight());
  if (box_->size() != size) {
    box_->resize(size);
    content_->resize(size.width() + 5, size.height() + 5);
  }
  // In fit-width mode every resize of the viewport comes here; one that keeps the width
  // keeps the resolution, and the picture already shown stays right.
  if (scale_.Dpi() == drawnDpi_) return;
  drawnDpi_ = scale_.Dpi();
  resized_ = true;
  ScheduleDraw();
}

void TPreviewArea::ZoomIn() {
  const int step = scale_.StepUp();
  if (step != scale_.Step()) SetScaleStep(step);
}

void TPreviewArea::ZoomOut() {
  const int step = scale_.StepDown();
  if (step != scale_.Step()) SetScaleStep(step);
}

void TPreviewArea::StartTimer() { timer_->start(); }

void TPreviewArea::Stop() {
  timer_->stop();
  stopped_ = true;
}

void TPreviewArea::RequestRepaint() {
  requested_ = true;
  ScheduleDraw();
}

void TPreviewArea::ScheduleDraw() {
  if (scheduled_) return;
  scheduled_ = true;
  QTimer::singleShot(0, this, [this] {
    scheduled_ = false;
    RefreshNow();
  });
}

bool TPreviewArea::RefreshNow() {
  if (stopped_ || busy_ || drawing_.Printing() || !window()->isVisible()) return false;
  const bool changed = document_.TakeChanged();
  if (!changed && !requested_ && !resized_) return false;
  // A failure is reported once for every change or request, not again for a new zoom.
  const bool report = changed || requested_ || !failing_;
  requested_ = resized_ = false;
  Draw(report);
  return true;
}

void TPreviewArea::Draw(bool report) {
  busy_ = true;
  QImage& back = shown_ == &images_[0] ? images_[1] : images_[0];
  const QSize size(scale_.BoxWidth(), scale_.BoxHeight());
  if (back.size() != size) back = QImage(size, QImage::Format_RGB32);
  back.fill(palette().color(QPalette::Window));
  std::string failure;
  {
    QPainter painter(&back);
    QtCanvas canvas(painter);
    SelectTexts(document_.DocLanguage());
    try {
      drawing_.Draw(canvas, scale_.Dpi(), Text(TextKey::MarkOriginal));
    } catch (const Error& e) {
      failure = e.Message();
    }
  }
  ++drawCount_;
  // A failed drawing replaces the picture only when the last good one has another size.
  if (failure.empty() || back.size() != shown_->size()) {
    shown_ = &back;
    box_->SetImage(shown_);
    box_->update();
  }
  const bool wasFailing = failing_;
  failing_ = !failure.empty();
  if (failing_) {
    emit DrawingFailed(ToQMultiline(WithClosingStop(failure)));
    if (report) ShowCommandError(Error(failure));
  } else if (wasFailing) {
    emit DrawingFailed(QString());
  }
  busy_ = false;
}

void TPreviewArea::ScrollByWheel(int delta) {
  QScrollBar* bar = verticalScrollBar();
  bar->setValue(bar->value() - delta / 2);
}

bool TPreviewArea::eventFilter(QObject* watched, QEvent* event) {
  if (watched == viewport()) {
    if (event->type() == QEvent::Resize && scale_.FitWidth()) {
      SetScaleStep(PreviewScale::kFitWidth);
    } else if (event->type() == QEvent::Wheel) {
      ScrollByWheel(static_cast<QWheelEvent*>(event)->angleDelta().y());
      return true;
    }
  }
  return QScrollArea::eventFilter(watched, event);
}

}  // namespace bilvox
