#include <gtest/gtest.h>
#include <sys/stat.h>

#include "common/binio.h"
#include "common/cp1250.h"
#include "common/dates.h"
#include "common/error.h"
#include "common/files.h"
#include "common/json.h"
#include "support/temp_dir.h"

namespace bilvox {
namespace {

TEST(Cp1250, PolishLettersAndEuroRoundTripThroughUtf8) {
  const std::string utf8 = "Zażółć gęślą jaźń ĄĆĘŁŃÓŚŹŻ €";
  auto cp = FromUtf8(utf8);
  ASSERT_TRUE(cp.has_value());
  EXPECT_EQ(cp->size(), 29u);  // one byte per character
  EXPECT_EQ(static_cast<unsigned char>(cp->back()), 0x80);
  EXPECT_EQ(ToUtf8(*cp), utf8);
  EXPECT_EQ("ł"_cp, std::string_view("\xB3"));
}

TEST(Cp1250, EveryByteSurvivesTheRoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  auto back = FromUtf8(ToUtf8(all));
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(*back, all);
}

TEST(Cp1250, UnrepresentableAndMalformedTextIsRefused) {
  char32_t bad = 0;
  EXPECT_FALSE(FromUtf8("Привет", &bad).has_value());
  EXPECT_EQ(bad, U'П');
  EXPECT_FALSE(FromUtf8("\xC5").has_value());         // cut sequence
  EXPECT_FALSE(FromUtf8("\xC0\x80").has_value());     // overlong
  EXPECT_FALSE(FromUtf8("\xED\xA0\x80").has_value()); // surrogate
  EXPECT_EQ(FromUtf8Lossy("aПb"), "a?b");
}

TEST(Dates, DayNumbersMatchTheDocumentCalendar) {
  EXPECT_EQ(DayNumber(1899, 12, 30), 0);
  EXPECT_EQ(DayNumber(1900, 1, 1), 2);
  EXPECT_EQ(DayNumber(2000, 1, 1), 36526);
  EXPECT_EQ(CalendarDate(int64_t{36526}), (Ymd{2000, 1, 1}));
  EXPECT_EQ(CalendarDate(TDate{-0.5}), (Ymd{1899, 12, 29}));
  EXPECT_EQ(CalendarDate(static_cast<TDate>(DayNumber(2024, 2, 29))), (Ymd{2024, 2, 29}));
  EXPECT_FALSE(ParseIsoDate("2023-02-29").has_value());
  EXPECT_FALSE(ParseIsoDate("2023-2-28").has_value());
  EXPECT_EQ(IsoDateText(*ParseIsoDate("0987-01-09")), "0987-01-09");
}

TEST(Dates, InstalledClockWinsOverTheEnvironment) {
  SetClock([] { return Ymd{2010, 12, 31}; });
  EXPECT_EQ(TodayYmd(), (Ymd{2010, 12, 31}));
  SetClock(nullptr);
  EXPECT_EQ(TodayYmd(), (Ymd{2027, 3, 5}));  // BILVOX_TODAY of the test run
}

TEST(ByteReader, LengthsBeyondTheDataAreErrorsNotAllocations) {
  ByteWriter w;
  w.U16(8);
  w.String("abc");
  w.I32(0x7FFFFFFF);  // a count far beyond what follows
  ByteReader r(w.Data());
  EXPECT_EQ(r.U16(), 8);
  EXPECT_EQ(r.String(), "abc");
  EXPECT_THROW(r.String(), Error);

  ByteWriter neg;
  neg.I32(-1);
  ByteReader rn(neg.Data());
  EXPECT_THROW(rn.String(), Error);

  ByteReader empty("");
  EXPECT_THROW(empty.U8(), Error);
}

TEST(ByteReader, ReadsLittleEndianValues) {
  ByteWriter w;
  w.I64(-2);
  w.F64(0.5);
  w.I32(-7);
  ByteReader r(w.Data());
  EXPECT_EQ(w.Data().substr(0, 2), std::string("\xFE\xFF", 2));
  EXPECT_EQ(r.I64(), -2);
  EXPECT_EQ(r.F64(), 0.5);
  EXPECT_EQ(r.I32(), -7);
  EXPECT_TRUE(r.AtEnd());
}

TEST(ReplaceFile, KeepsTheOldFileWhenTheNewOneCannotBeWritten) {
  testing::TempDir dir;
  const std::string path = dir.File("a.bin");
  ReplaceFile(path, "first");
  EXPECT_EQ(ReadWholeFile(path), "first");
  ReplaceFile(path, "second, longer");
  EXPECT_EQ(ReadWholeFile(path), "second, longer");

  if (geteuid() != 0) {  // root ignores folder permissions
    chmod(dir.path().c_str(), 0500);
    EXPECT_THROW(ReplaceFile(path, "third"), Error);
    chmod(dir.path().c_str(), 0700);
    EXPECT_EQ(ReadWholeFile(path), "second, longer");
  }
  EXPECT_THROW(ReplaceFile(dir.path(), "x"), Error);  // a folder is never replaced
  EXPECT_THROW(ReadWholeFile(dir.File("missing")), Error);
}

TEST(Json, ParsesWhatItWrites) {
  Json o = Json::MakeObject();
  o.Set("text", "Łódź\r\n\"cytat\"");
  o.Set("qty", 0.1);
  o.Set("list", Json(Json::Array{Json(true), Json(), Json(-3)}));
  std::string err;
  auto back = Json::Parse(o.Dump(2), &err);
  ASSERT_TRUE(back) << err;
  EXPECT_EQ(back->Dump(), o.Dump());
  EXPECT_EQ(back->Find("qty")->AsNumber(), 0.1);
  EXPECT_FALSE(Json::Parse("{\"a\":1,}").has_value());
  EXPECT_FALSE(Json::Parse(std::string(1000, '[')).has_value());
  EXPECT_EQ(Json::Parse("\"\\u0141\\ud83d\\ude00\"")->AsString(), "Ł😀");
  // Only UTF-8 is read, and only UTF-8 written (a file name may hold any bytes); whole
  // numbers are written in full.
  EXPECT_FALSE(Json::Parse("{\"a\xB1\": 1}").has_value());
  EXPECT_EQ(Json("a\xB1\xEA" "b").Dump(), "\"a\xEF\xBF\xBD\xEF\xBF\xBD" "b\"");
  EXPECT_EQ(Json(100000).Dump(), "100000");
  EXPECT_EQ(Json(-9007199254740992.0).Dump(), "-9007199254740992");
  EXPECT_EQ(Json(1e300).Dump(), "1e+300");
}

}  // namespace
}  // namespace bilvox
