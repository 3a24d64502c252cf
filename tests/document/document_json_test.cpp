#include <gtest/gtest.h>

#include <limits>

#include "common/json.h"
#include "document/document_json.h"
#include "document/faktura.h"
#include "support/recording_messages.h"

namespace bilvox {
namespace {

// Values a damaged or hostile file can hold still give JSON that reads back.
TEST(DocumentJson, ValuesNoDocumentShouldHoldStillGiveValidJson) {
  testing::RecordingMessages messages;
  TFaktura doc;
  FakturaFields& f = doc.Fields();
  f.Kind = static_cast<DocumentKind>(200);
  f.DocLanguage = -7;
  f.IssueDate = std::numeric_limits<double>::quiet_NaN();
  f.SaleDate = 1e300;
  f.PaymentDueDate = 46450.75;  // a time of day: the day is shown
  doc.AppendLine().Quantity = std::numeric_limits<double>::quiet_NaN();
  for (int i = 0; i < 2; ++i) {
    TTowar& huge = doc.AppendLine();
    huge.Quantity = i == 0 ? std::numeric_limits<double>::infinity() : 1e300;
    huge.PricePLN = Currency::Of(1000);
  }

  const std::string text = DocumentToJson(doc, 8).Dump(2);
  std::optional<Json> json = Json::Parse(text);
  ASSERT_TRUE(json) << text;
  EXPECT_TRUE(json->Find("IssueDate")->IsNull());
  EXPECT_TRUE(json->Find("SaleDate")->IsNull());
  EXPECT_EQ(json->Find("PaymentDueDate")->AsString(), "2027-03-04");
  EXPECT_EQ(json->Find("Kind")->AsNumber(), 200);
  EXPECT_TRUE(json->Find("Lines")->AsArray()[0].Find("Quantity")->IsNull());
  // Amounts beyond the range of money stop at its limit instead of wrapping to negative.
  const std::string total = json->Find("Sums")->AsArray()[6].Find("GrossSum")->AsString();
  EXPECT_EQ(total.find('-'), std::string::npos) << total;
  EXPECT_EQ(json->Find("AmountInWords")->AsString().rfind("minus", 0), std::string::npos);
}

}  // namespace
}  // namespace bilvox
