// Amounts written as text in tests: C("12.34").
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "document/money.h"

namespace bilvox::testing {

inline Currency C(std::string_view text) {
  Currency c;
  EXPECT_TRUE(ParseFixed(std::string(text), c)) << text;
  return c;
}

}  // namespace bilvox::testing
