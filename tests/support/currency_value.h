// Currency values written in plain form ("12.34", "-0.5"), for the tables of the tests.
#pragma once

#include <gtest/gtest.h>

#include "document/money.h"

namespace bilvox::test_support {

inline Currency Amount(const char* text) {
  Currency c;
  EXPECT_TRUE(ParseFixed(text, c)) << text;
  return c;
}

}  // namespace bilvox::test_support
