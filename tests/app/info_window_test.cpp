// The information window: the goods-list topic on the first visit to the goods tab, switched
// off and on again by its box, and shown on demand by "?".
#include <QTabWidget>

#include "app/app_fixture.h"
#include "common/app_info.h"
#include "info_window.h"

namespace bilvox::testing {
namespace {

using namespace Qt::StringLiterals;

class InfoWindowTest : public AppTest {
 protected:
  TfrmInfo& Info() { return program->frmInfo(); }
  void VisitGoodsTab() {
    auto* tabs = Control<QTabWidget>(u"pgcFaktura");
    tabs->setCurrentIndex(0);
    tabs->setCurrentIndex(3);
  }
};

TEST_F(InfoWindowTest, GoodsTopicCanBeSwitchedOffAndStillShownOnDemand) {
  Start();
  VisitGoodsTab();
  ASSERT_TRUE(Info().isVisible());
  EXPECT_EQ(Info().CurrentTopic(), TfrmInfo::kTopicGoods);
  EXPECT_EQ(Info().lblTitle->text(), u"Posługiwanie się listą towarów"_s);
  EXPECT_TRUE(Info().mmoInfo->toPlainText().startsWith(u"1. Wykorzystaj pola"_s));
  EXPECT_FALSE(Info().chbDisableInfo->isChecked());

  Info().chbDisableInfo->setChecked(true);
  Click(Info().Button1);
  EXPECT_FALSE(Info().isVisible());
  EXPECT_EQ(store.Get(kKeySettings, "DisableInfoOptions").integer, TfrmInfo::kTopicGoods);
  EXPECT_EQ(store.Get(kKeySettings, "Version").integer, kAppVersionNumber);

  VisitGoodsTab();
  EXPECT_FALSE(Info().isVisible());
  Click(Control(u"btnHelpTowary"));
  ASSERT_TRUE(Info().isVisible());
  EXPECT_TRUE(Info().chbDisableInfo->isChecked());

  Info().chbDisableInfo->setChecked(false);
  Info().reject();  // Escape or the close box
  EXPECT_EQ(store.Get(kKeySettings, "DisableInfoOptions").integer, 0);
  VisitGoodsTab();
  EXPECT_TRUE(Info().isVisible());
  Info().move(123, 45);
  Stop();
  EXPECT_EQ(store.Get(kKeySettings, "InfoFormLeft").integer, 123);
}

TEST_F(InfoWindowTest, ChoicesStoredWithoutAVersionAreNotTrusted) {
  store.SetInteger(kKeySettings, "DisableInfoOptions", TfrmInfo::kTopicGoods);
  Start();
  VisitGoodsTab();
  EXPECT_TRUE(Info().isVisible());
}

}  // namespace
}  // namespace bilvox::testing
