#include <gtest/gtest.h>

#include <limits>

#include "common/cp1250.h"
#include "common/dates.h"
#include "common/error.h"
#include "settings/file_store.h"
#include "settings/numbering.h"
#include "settings/settings.h"
#include "support/temp_dir.h"

namespace bilvox {
namespace {

TEST(Numbering, NumbersAreBuiltFromTodaysDate) {
  EXPECT_EQ(BuildNumber("F", 7, 3, "/%m/%r"), "F007/03/27");
  EXPECT_EQ(BuildNumber("FV/%R/", 12, 1, ""), "FV/2027/12");
  EXPECT_EQ(BuildNumber("", 12345, 4, ""), "12345");  // never cut
  EXPECT_EQ(BuildNumber("", -5, 3, ""), "-005");
  EXPECT_EQ(FormatCounter(1, 1000000000).size(), size_t(kMaxNumberWidth));
  EXPECT_EQ(BuildNumber("%M-", 1, 1, ""), "MAR-1");
}

TEST(Numbering, PercentCodesAreConsumedWithTheirLetter) {
  EXPECT_EQ(ExpandDateCodes("%"), "");
  EXPECT_EQ(ExpandDateCodes("A%xB"), "AB");
  EXPECT_EQ(ExpandDateCodes("%%m"), "m");
  EXPECT_EQ(ExpandDateCodes("x%"), "x");
  EXPECT_EQ(ExpandDateCodes("%m%M%r%R"), "03MAR272027");
}

TEST(Numbering, MonthNamesArePolishWithOnlyAsciiLettersInCapitals) {
  SetClock([] { return Ymd{2031, 10, 31}; });
  EXPECT_EQ(ExpandDateCodes("%M"), "PAź"_cp);
  SetClock([] { return Ymd{2031, 1, 2}; });
  EXPECT_EQ(ExpandDateCodes("%M/%m/%r"), "STY/01/31");
  SetClock(nullptr);
  EXPECT_EQ(PolishShortMonthName(5), "maj");
}

TEST(Numbering, TypedTextsFallBackToOne) {
  EXPECT_EQ(PreviewNumber("R", "", "4", "/%r"), "R0001/27");
  EXPECT_EQ(PreviewNumber("R", "12a", "x", ""), "R1");
  EXPECT_EQ(PreviewNumber("R", "99999999999", "2", ""), "R01");
  EXPECT_EQ(IntegerFromText(" +42", 1), 42);
  EXPECT_EQ(IntegerFromText("-7", 1), -7);
  EXPECT_EQ(IntegerFromText("+-7", 1), 1);
  EXPECT_EQ(IntegerFromText("7 ", 1), 1);
}

class CounterTest : public ::testing::Test {
 protected:
  testing::TempDir dir;
  FileSettingsStore store{dir.File("registry.reg")};
  TSettings settings;
};

TEST_F(CounterTest, KindsCountIndependentlyAndEveryAdvanceIsStored) {
  settings.AdvanceCounter(1, store);
  EXPECT_EQ(settings.GenerateNumber(0), "F1/03/27");
  EXPECT_EQ(settings.GenerateNumber(1), "R2/03/27");
  TSettings read;
  ASSERT_TRUE(read.Load(store));
  EXPECT_EQ(read.Numbering.Schemes[1].Number, 2);
  EXPECT_EQ(read.Numbering.Schemes[0].Number, 1);

  // Another kind changes no counter but still writes both groups.
  settings.App.FontName = "Tahoma";
  settings.AdvanceCounter(3, store);
  EXPECT_EQ(settings.GenerateNumber(3), "");
  ASSERT_TRUE(read.Load(store));
  EXPECT_EQ(read.App.FontName, "Tahoma");
  EXPECT_EQ(read.Numbering.Schemes[1].Number, 2);
}

TEST_F(CounterTest, OnlyAnUnprintedDocumentWithTheProposedNumberAdvances) {
  std::string number = settings.GenerateNumber(0);
  EXPECT_TRUE(settings.CounterAdvances(0, false, number));
  EXPECT_FALSE(settings.CounterAdvances(0, true, number));   // printed before
  EXPECT_FALSE(settings.CounterAdvances(1, false, number));  // another kind's number
  EXPECT_FALSE(settings.CounterAdvances(0, false, "f1/03/27"));
  settings.AdvanceCounter(0, store);
  EXPECT_FALSE(settings.CounterAdvances(0, false, number));  // saved, then printed
  SetClock([] { return Ymd{2027, 4, 1}; });
  EXPECT_FALSE(settings.CounterAdvances(0, false, "F2/03/27"));  // numbered in March
  SetClock(nullptr);
}

TEST_F(CounterTest, ACounterAtItsLimitRefusesToWrapAround) {
  settings.Numbering.Schemes[2].Number = std::numeric_limits<int32_t>::max();
  ASSERT_TRUE(settings.Save(store));  // the counter moves on from what is stored
  EXPECT_THROW(settings.AdvanceCounter(2, store), Error);
  EXPECT_EQ(settings.Numbering.Schemes[2].Number, std::numeric_limits<int32_t>::max());
  EXPECT_EQ(settings.GenerateNumber(2), "K2147483647/03/27");
}

}  // namespace
}  // namespace bilvox
