// The line entry's coupled prices and the reading of a typed price or quantity.
#include <gtest/gtest.h>

#include "common/error.h"
#include "document/line_entry.h"
#include "support/money_text.h"
#include "words/money_text.h"
#include "words/number_input.h"

namespace bilvox {
namespace {

using testing::C;

constexpr int k23 = 7, kExempt = 4, kNotSubject = 5;

TEST(LineEntryTest, GrossAndNetFollowEachOtherThroughTheRate) {
  EXPECT_EQ(EntryGrossFromNet(C("100"), k23), C("123"));
  EXPECT_EQ(EntryNetFromGross(C("123"), k23), C("100"));
  EXPECT_EQ(MoneyText(EntryNetFromGross(C("123"), k23), true), "100,00");
  EXPECT_EQ(EntryGrossFromNet(C("0.01"), k23), C("0.01"));
  EXPECT_EQ(EntryGrossFromNet(C("10.005"), k23), C("12.31"));
  EXPECT_EQ(EntryNetFromGross(C("100"), k23), C("81.3008"));
  // The exempt and not-subject rates, and no rate at all, count as 0 %.
  for (int index : {kExempt, kNotSubject, -1, 6 + 10}) {
    EXPECT_EQ(EntryNetFromGross(C("50"), index), C("50")) << index;
    EXPECT_EQ(EntryGrossFromNet(C("50.005"), index), C("50.01")) << index;
  }
  EXPECT_EQ(EntryGrossFromNet(C("-10.005"), k23), C("-12.31"));
}

TEST(LineEntryTest, TypedNumbersOrTheSystemMessage) {
  EXPECT_EQ(ReadEntryPrice(" 12,345 "), C("12.345"));
  EXPECT_DOUBLE_EQ(ReadEntryQuantity("1,5"), 1.5);
  EXPECT_DOUBLE_EQ(ReadEntryQuantity("-2.25"), -2.25);
  // The shortest form of a small quantity reads back as the same number.
  EXPECT_DOUBLE_EQ(ReadEntryQuantity(GeneralNumberText(0.00001)), 0.00001);
  for (const char* bad : {"", "abc", "1,2,3", "inf", "nan", "1e", "1e999", "0x10", "1 5"})
    EXPECT_EQ(ParseQuantityInput(bad), std::nullopt) << bad;
  try {
    ReadEntryPrice("12 zl");
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.Message(), "'12 zl' is not a valid floating point value");
  }
  EXPECT_THROW(ReadEntryQuantity("dwa"), Error);
}

}  // namespace
}  // namespace bilvox
