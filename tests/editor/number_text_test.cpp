#include "editor/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "support/lo_files.h"

namespace {

// ---- An independent reference: rounding done on exact decimal digit strings ----

// |value| exactly: a float has at most 149 fraction bits, so 160 decimals lose
// nothing (glibc prints the exact binary value; this binary keeps the C locale).
std::string ExactDecimal(float value) {
  char buffer[256];
  std::snprintf(buffer, sizeof buffer, "%.160f", std::fabs(static_cast<double>(value)));
  return buffer;
}

// Adds one to the last digit, carrying; may grow by one digit.
std::string IncrementDigits(std::string digits) {
  for (std::size_t i = digits.size(); i-- > 0;) {
    if (digits[i] != '9') {
      ++digits[i];
      return digits;
    }
    digits[i] = '0';
  }
  return "1" + digits;
}

std::string StripLeadingZeros(std::string digits) {
  const std::size_t first = digits.find_first_not_of('0');
  return first == std::string::npos ? "" : digits.substr(first);
}

std::string ReferenceExponentForm(std::string significant, int exponent, bool negative,
                                  char separator) {
  while (significant.size() > 1 && significant.back() == '0') significant.pop_back();
  std::string text = negative ? "-" : "";
  text += significant[0];
  if (significant.size() > 1) text += separator + significant.substr(1);
  return text + "E" + std::to_string(exponent);
}

std::string ReferenceFixed(float value, char separator) {
  const bool negative = std::signbit(value);
  const std::string exact = ExactDecimal(value);
  const std::size_t point = exact.find('.');
  const std::string integer = StripLeadingZeros(exact.substr(0, point));
  const std::string fraction = exact.substr(point + 1);
  const int integer_digits = static_cast<int>(integer.size());
  if (integer_digits > 8) {
    std::string top = integer.substr(0, 8);
    int exponent = integer_digits - 1;
    if (integer[8] >= '5') top = IncrementDigits(top);
    if (top.size() > 8) {
      top.pop_back();
      ++exponent;
    }
    return ReferenceExponentForm(top, exponent, negative, separator);
  }
  const std::size_t decimals = static_cast<std::size_t>(std::min(2, 8 - integer_digits));
  std::string digits = integer + fraction.substr(0, decimals);
  if (fraction[decimals] >= '5') digits = IncrementDigits(digits);
  digits = StripLeadingZeros(digits + std::string(2 - decimals, '0'));
  if (digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');
  const std::string whole = digits.substr(0, digits.size() - 2);
  if (whole.size() > 8) {
    return ReferenceExponentForm(whole.substr(0, 8), static_cast<int>(whole.size()) - 1, negative,
                                 separator);
  }
  const bool zero = digits.find_first_not_of('0') == std::string::npos;
  return (negative && !zero ? "-" : "") + whole + separator + digits.substr(digits.size() - 2);
}

float FromBits(std::uint32_t bits) {
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

std::vector<float> InterestingFloats() {
  std::vector<float> values;
  std::mt19937 random(20240607);
  // Every exponent with random mantissas and both signs, then denormals.
  for (int i = 0; i < 60000; ++i) {
    const auto bits = static_cast<std::uint32_t>(random());
    if (((bits >> 23) & 0xFF) != 0xFF) values.push_back(FromBits(bits));
  }
  for (int i = 0; i < 3000; ++i) values.push_back(FromBits(random() & 0x807FFFFF));
  // Exact ties at the third decimal (n + k/8) and the floats on either side.
  for (int n = 0; n < 5000; n += 7) {
    for (int eighth = 1; eighth < 8; eighth += 2) {
      const float tie = static_cast<float>(n) + static_cast<float>(eighth) / 8.0f;
      for (float v : {tie, std::nextafter(tie, 0.0f), std::nextafter(tie, 1e9f)}) {
        values.push_back(v);
        values.push_back(-v);
      }
    }
  }
  // Two-decimal numbers as typed, and where the form changes (1E6 ... 1E9).
  for (int cents = -200000; cents <= 200000; cents += 37) values.push_back(cents / 100.0f);
  for (float edge : {1e6f, 1e7f, 99999999.0f, 1e8f, 1e9f, 16777216.0f}) {
    float up = edge;
    float down = edge;
    for (int i = 0; i < 2000; ++i) {
      values.push_back(up);
      values.push_back(-down);
      up = std::nextafter(up, std::numeric_limits<float>::max());
      down = std::nextafter(down, 0.0f);
    }
  }
  values.push_back(std::numeric_limits<float>::max());
  return values;
}

TEST(NumberText, FixedFormMatchesExactDecimalReference) {
  const std::vector<float> values = InterestingFloats();
  int mismatches = 0;
  for (float value : values) {
    for (char separator : {'.', ','}) {
      const std::string expected = ReferenceFixed(value, separator);
      const std::string actual = FormatFixed2(value, separator);
      if (actual != expected && ++mismatches <= 10) {
        ADD_FAILURE() << std::hexfloat << value << ": got " << actual << ", expected " << expected;
      }
    }
  }
  EXPECT_EQ(mismatches, 0);
}

// The forms users see, as examples (the reference above covers the rest).
TEST(NumberText, FixedFormExamplesAndSpecialValues) {
  for (const auto& [value, text] : {std::pair{1.5f, "1.50"},
                                    {0.125f, "0.13"},
                                    {-0.375f, "-0.38"},
                                    {1.005f, "1.00"},
                                    {12345678.0f, "12345678.00"},
                                    {-0.001f, "0.00"},
                                    {123456789.0f, "1.2345679E8"},
                                    {1e9f, "1E9"},
                                    {std::numeric_limits<float>::infinity(), "INF"},
                                    {-std::numeric_limits<float>::infinity(), "-INF"},
                                    {FromBits(0xFFC00001), "NAN"}}) {
    EXPECT_EQ(FormatFixed2(value, '.'), text);
  }
  EXPECT_EQ(FormatFixed2(-1.5e9f, ','), "-1,5E9");
  for (std::uint32_t bits : {0x7F800001u, 0x7FBFFFFFu, 0xFF800123u}) {  // signalling NaNs
    EXPECT_EQ(MessageOf([&] { FormatFixed2(FromBits(bits), '.'); }),
              "Invalid floating point operation");
  }
}

TEST(NumberText, IntegerReadBack) {
  for (const auto& [text, value] : {std::pair{"0", 0},
                                    {"  42", 42},
                                    {"+7", 7},
                                    {"000012", 12},
                                    {"-2147483648", -2147483647 - 1},
                                    {"2147483647", 2147483647}}) {
    EXPECT_EQ(ParseInteger(text), value) << text;
  }
  EXPECT_EQ(ParseByte("300"), 44);
  EXPECT_EQ(ParseByte("-1"), 255);
  for (const char* text : {"", "2.5", "12 ", "-", "+", " ", "1-", "--1", "2147483648",
                           "-2147483649", "99999999999", "1e3", "0x10", "$10", "\t5"}) {
    EXPECT_EQ(MessageOf([&] { ParseInteger(text); }),
              "'" + std::string(text) + "' is not a valid integer value");
  }
}

TEST(NumberText, FloatReadBackShapes) {
  for (const auto& [text, value] : {std::pair{"  -2,25  ", -2.25f},
                                    {"+3", 3.0f},
                                    {",", 0.0f},
                                    {",5", 0.5f},
                                    {"5,", 5.0f},
                                    {"25e-1", 2.5f},
                                    {"1E+2", 100.0f},
                                    {"1e-60", 0.0f}}) {  // underflow is masked
    EXPECT_EQ(ParseFloat(text, ','), value) << text;
  }
  EXPECT_TRUE(std::signbit(ParseFloat("-0.00", '.')));
  // With "," as separator "." is just another foreign character.
  for (const char* text :
       {"", "INF", "NAN", "-", "1.5", "1,,5", "1,5,", "1E", "e5", "- 1", "1 2", "0x1p3", "inf"}) {
    EXPECT_EQ(MessageOf([&] { ParseFloat(text, ','); }),
              "'" + std::string(text) + "' is not a valid floating point value");
  }
  EXPECT_EQ(MessageOf([&] { ParseFloat("1E39", '.'); }), "Floating point overflow");
}

// glibc's strtof (C locale: no QApplication in this binary) is the reference
// for rounding decimal texts to the nearest single.
TEST(NumberText, FloatReadBackRoundsToNearestSingle) {
  std::mt19937 random(7);
  std::vector<std::string> texts = {"16777217", "0.1",   "3.4028235e38", "1.17549435e-38",
                                    "1.4e-45",  "7e-46", "7.1e-46",      "1.00000005960464477539"};
  for (int i = 0; i < 40000; ++i) {
    std::string text = std::to_string(random() % 100000000000ull);
    const std::size_t point = random() % 12;
    if (point < text.size()) text.insert(text.size() - point, ".");
    if (random() % 2) text.insert(0, "-");
    texts.push_back(text);
  }
  for (const std::string& text : texts) {
    const float expected = std::strtof(text.c_str(), nullptr);
    std::string with_comma = text;
    for (char& c : with_comma) c = c == '.' ? ',' : c;
    EXPECT_EQ(ParseFloat(text, '.'), expected) << text;
    EXPECT_EQ(ParseFloat(with_comma, ','), expected) << with_comma;
  }
}

}  // namespace
