// The preview: zoom steps and fit width, resizing, the wheel, one redraw for a burst of
// edits, and a page too full to print reported once for each change.
#include <QScrollBar>
#include <QWheelEvent>

#include "app/app_fixture.h"
#include "preview.h"
#include "preview_scale.h"

namespace bilvox::testing {
namespace {

using namespace Qt::StringLiterals;

TEST(PreviewScaleTest, FitWidthAndZoomSteps) {
  PreviewScale scale;
  scale.SetStep(PreviewScale::kFitWidth, 800);
  EXPECT_EQ(scale.Dpi(), 93);
  EXPECT_EQ(scale.PageWidth(), 769);
  EXPECT_EQ(scale.PageHeight(), 1087);
  EXPECT_EQ(scale.BoxWidth(), 781);
  EXPECT_EQ(scale.BoxHeight(), 1099);
  EXPECT_EQ(PreviewScale::Preset(scale.StepUp()), 100);
  EXPECT_EQ(PreviewScale::Preset(scale.StepDown()), 75);

  scale.SetStep(PreviewScale::kFitWidth, 857);  // fit width exactly 100
  ASSERT_EQ(scale.Dpi(), 100);
  EXPECT_EQ(scale.StepUp(), 0);
  EXPECT_EQ(scale.StepDown(), 0);

  scale.SetStep(PreviewScale::kFitWidth, 60);  // below 30 dpi: nowhere to zoom out
  EXPECT_EQ(scale.StepDown(), PreviewScale::kFitWidth);
  scale.SetStep(PreviewScale::kFitWidth, 4200);  // above 500 dpi: nowhere to zoom in
  EXPECT_EQ(scale.StepUp(), PreviewScale::kFitWidth);

  scale.SetStep(PreviewScale::kMinStep, 800);
  EXPECT_EQ(scale.Dpi(), 30);
  EXPECT_EQ(scale.StepDown(), PreviewScale::kMinStep);
  scale.SetStep(PreviewScale::kMaxStep, 800);
  EXPECT_EQ(scale.Dpi(), 500);
  EXPECT_EQ(scale.StepUp(), PreviewScale::kMaxStep);
}

class PreviewTest : public AppTest {
 protected:
  TPreviewArea& Preview() { return Main().Preview(); }
};

TEST_F(PreviewTest, FitWidthFollowsTheWindowAndAPresetDoesNot) {
  Start();
  Preview().RefreshNow();
  EXPECT_TRUE(Preview().Scale().FitWidth());
  const int width = Preview().PaintBox()->width();
  EXPECT_EQ(Preview().Scale().BoxWidth(), width);
  Main().resize(Main().width() + 200, Main().height());
  QApplication::processEvents();
  EXPECT_GT(Preview().PaintBox()->width(), width + 150);
  EXPECT_EQ(Preview().Image().size(), Preview().PaintBox()->size());
  // A change of height alone keeps the resolution: no new drawing of the page.
  const int drawn = Preview().DrawCount();
  Main().resize(Main().width(), Main().height() + 100);
  QApplication::processEvents();
  EXPECT_EQ(Preview().DrawCount(), drawn);

  Main().ViewScaleUp->trigger();
  EXPECT_FALSE(Preview().Scale().FitWidth());
  const QSize preset = Preview().PaintBox()->size();
  Main().resize(Main().width() - 150, Main().height());
  QApplication::processEvents();
  EXPECT_EQ(Preview().PaintBox()->size(), preset);

  // One notch of the wheel scrolls 60 pixels.
  QScrollBar* bar = Preview().verticalScrollBar();
  bar->setValue(200);
  QWheelEvent wheel(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, 120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(Preview().viewport(), &wheel);
  EXPECT_EQ(bar->value(), 140);
}

TEST_F(PreviewTest, BurstOfEditsGivesOneRedraw) {
  Start();
  Preview().RefreshNow();
  const int drawn = Preview().DrawCount();
  const QImage before = Preview().Image().copy();
  TypeText(Control(u"mmoBuyerName"), u"Hurtownia Żak"_s);
  EXPECT_EQ(Preview().DrawCount(), drawn);
  EXPECT_TRUE(Preview().RefreshNow());
  EXPECT_FALSE(Preview().RefreshNow());
  EXPECT_EQ(Preview().DrawCount(), drawn + 1);
  EXPECT_NE(Preview().Image(), before);
}

TEST_F(PreviewTest, OverfullPageIsReportedOncePerChange) {
  Start();
  for (int i = 0; i < 80; ++i)
    Doc().AddLine("Towar", "", 7, false, Currency::Of(10), 1, "", "", "szt");
  Preview().RefreshNow();
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].icon, MsgIcon::Error);
  EXPECT_FALSE(Preview().RefreshNow());  // no change, no new drawing and no new box
  Main().ViewScaleDown->trigger();       // a new zoom draws again, quietly
  QApplication::processEvents();
  EXPECT_EQ(messages.messages.size(), 1u);
  TypeText(Control(u"edtMiejsceWyst"), u"X"_s);
  Preview().RefreshNow();
  EXPECT_EQ(messages.messages.size(), 2u);
}

}  // namespace
}  // namespace bilvox::testing
