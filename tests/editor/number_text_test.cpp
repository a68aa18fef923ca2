#include "editor/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "errors/app_error.h"

namespace {

// ---- An independent reference: exact decimal expansion with digit strings ----

// Decimal digits (most significant first) times a small factor.
std::string MultiplyDigits(const std::string& digits, long long factor) {
  std::string result(digits.size(), '0');
  long long carry = 0;
  for (std::size_t i = digits.size(); i-- > 0;) {
    const long long value = (digits[i] - '0') * factor + carry;
    result[i] = static_cast<char>('0' + value % 10);
    carry = value / 10;
  }
  while (carry != 0) {
    result.insert(result.begin(), static_cast<char>('0' + carry % 10));
    carry /= 10;
  }
  return result;
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

// |value| as integer digits and fraction digits, exactly.
struct Decimal {
  std::string integer;   // no leading zeros, empty for 0
  std::string fraction;  // exact, may be long
};

Decimal ExactDecimal(float value) {
  std::uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  const int biased = static_cast<int>((bits >> 23) & 0xFF);
  std::uint32_t mantissa = bits & 0x7FFFFF;
  int exponent = -149;
  if (biased != 0) {
    mantissa |= 0x800000;
    exponent = biased - 150;
  }
  std::string digits = std::to_string(mantissa);
  if (exponent >= 0) {
    for (int i = 0; i < exponent; i += 30) {
      digits = MultiplyDigits(digits, 1LL << std::min(30, exponent - i));
    }
    return {StripLeadingZeros(digits), ""};
  }
  // m / 2^k = m * 5^k / 10^k
  const std::size_t k = static_cast<std::size_t>(-exponent);
  for (std::size_t i = 0; i < k; i += 13) {
    long long power = 1;
    for (std::size_t j = i; j < std::min(k, i + 13); ++j) power *= 5;
    digits = MultiplyDigits(digits, power);
  }
  if (digits.size() <= k) digits.insert(0, k - digits.size() + 1, '0');
  return {StripLeadingZeros(digits.substr(0, digits.size() - k)), digits.substr(digits.size() - k)};
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
  const Decimal exact = ExactDecimal(value);
  const int integer_digits = static_cast<int>(exact.integer.size());
  if (integer_digits > 8) {
    std::string top = exact.integer.substr(0, 8);
    int exponent = integer_digits - 1;
    if (exact.integer[8] >= '5') top = IncrementDigits(top);
    if (top.size() > 8) {
      top.pop_back();
      ++exponent;
    }
    return ReferenceExponentForm(top, exponent, negative, separator);
  }
  const int decimals = std::min(2, 8 - integer_digits);
  std::string fraction = exact.fraction + std::string(3, '0');
  std::string digits = exact.integer + fraction.substr(0, static_cast<std::size_t>(decimals));
  if (fraction[static_cast<std::size_t>(decimals)] >= '5') digits = IncrementDigits(digits);
  digits += std::string(static_cast<std::size_t>(2 - decimals), '0');
  digits = StripLeadingZeros(digits);
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
  // Every exponent, random mantissas, both signs.
  for (int i = 0; i < 60000; ++i) {
    const std::uint32_t bits = static_cast<std::uint32_t>(random());
    if (((bits >> 23) & 0xFF) != 0xFF) values.push_back(FromBits(bits));
  }
  // Denormals.
  for (int i = 0; i < 3000; ++i) {
    values.push_back(FromBits((static_cast<std::uint32_t>(random()) & 0x807FFFFF)));
  }
  // Exact ties at the third decimal (n + k/8) and the floats around them.
  for (int n = 0; n < 5000; n += 7) {
    for (int eighth = 1; eighth < 8; eighth += 2) {
      const float tie = static_cast<float>(n) + static_cast<float>(eighth) / 8.0f;
      for (float v : {tie, std::nextafter(tie, 0.0f), std::nextafter(tie, 1e9f)}) {
        values.push_back(v);
        values.push_back(-v);
      }
    }
  }
  // Typical game values: two-decimal numbers as typed.
  for (int cents = -200000; cents <= 200000; cents += 37) {
    values.push_back(static_cast<float>(cents) / 100.0f);
  }
  // Where the form changes: around 1E6, 1E7, 1E8 and 1E9.
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
  values.push_back(std::numeric_limits<float>::denorm_min());
  return values;
}

TEST(NumberText, FixedFormMatchesExactDecimalReference) {
  const std::vector<float> values = InterestingFloats();
  ASSERT_GT(values.size(), 100000u);
  int mismatches = 0;
  for (float value : values) {
    const std::string with_point = ReferenceFixed(value, '.');
    std::string with_comma = with_point;
    for (char& c : with_comma) c = c == '.' ? ',' : c;
    for (const auto& [separator, expected] : {std::pair{'.', with_point}, {',', with_comma}}) {
      const std::string actual = FormatFixed2(value, separator);
      if (actual != expected && ++mismatches <= 10) {
        ADD_FAILURE() << std::hexfloat << value << ": got " << actual << ", expected " << expected;
      }
    }
  }
  EXPECT_EQ(mismatches, 0);
}

TEST(NumberText, FixedFormExamples) {
  EXPECT_EQ(FormatFixed2(1.5f, '.'), "1.50");
  EXPECT_EQ(FormatFixed2(0.125f, '.'), "0.13");
  EXPECT_EQ(FormatFixed2(-0.375f, '.'), "-0.38");
  EXPECT_EQ(FormatFixed2(1.005f, '.'), "1.00");  // the nearest float lies below 1.005
  EXPECT_EQ(FormatFixed2(12345678.0f, '.'), "12345678.00");
  EXPECT_EQ(FormatFixed2(1234567.8f, ','), "1234567,80");  // 8 significant digits: one decimal
  EXPECT_EQ(FormatFixed2(-0.001f, '.'), "0.00");
  EXPECT_EQ(FormatFixed2(-0.0f, '.'), "0.00");
  EXPECT_EQ(FormatFixed2(0.0f, ','), "0,00");
  EXPECT_EQ(FormatFixed2(123456789.0f, '.'), "1.2345679E8");
  EXPECT_EQ(FormatFixed2(1e9f, '.'), "1E9");
  EXPECT_EQ(FormatFixed2(-1.5e9f, ','), "-1,5E9");
  EXPECT_EQ(FormatFixed2(std::numeric_limits<float>::max(), '.'), "3.4028235E38");
  EXPECT_EQ(FormatFixed2(std::numeric_limits<float>::denorm_min(), '.'), "0.00");
}

TEST(NumberText, InfinitiesAndNotANumbers) {
  EXPECT_EQ(FormatFixed2(std::numeric_limits<float>::infinity(), '.'), "INF");
  EXPECT_EQ(FormatFixed2(-std::numeric_limits<float>::infinity(), '.'), "-INF");
  EXPECT_EQ(FormatFixed2(FromBits(0x7FC00000), '.'), "NAN");
  EXPECT_EQ(FormatFixed2(FromBits(0xFFC00001), '.'), "NAN");
  for (std::uint32_t bits : {0x7F800001u, 0x7FBFFFFFu, 0xFF800123u}) {
    try {
      FormatFixed2(FromBits(bits), '.');
      ADD_FAILURE() << "no error for signalling NaN " << std::hex << bits;
    } catch (const FloatError& error) {
      EXPECT_STREQ(error.what(), "Invalid floating point operation");
    }
  }
}

std::string IntegerError(const std::string& text) {
  try {
    ParseInteger(text);
  } catch (const ConvertError& error) {
    return error.what();
  }
  return "accepted";
}

TEST(NumberText, IntegerReadBack) {
  EXPECT_EQ(ParseInteger("0"), 0);
  EXPECT_EQ(ParseInteger("  42"), 42);
  EXPECT_EQ(ParseInteger("+7"), 7);
  EXPECT_EQ(ParseInteger("-2147483648"), -2147483647 - 1);
  EXPECT_EQ(ParseInteger("2147483647"), 2147483647);
  EXPECT_EQ(ParseInteger("000012"), 12);
  EXPECT_EQ(ParseByte("300"), 44);
  EXPECT_EQ(ParseByte("-1"), 255);
  EXPECT_EQ(ParseByte("256"), 0);
  EXPECT_EQ(IntegerError(""), "'' is not a valid integer value");
  EXPECT_EQ(IntegerError("2.5"), "'2.5' is not a valid integer value");
  for (const char* text : {"12 ", "-", "+", " ", "1-", "--1", "2147483648", "-2147483649",
                           "99999999999", "1e3", "0x10", "$10", "\t5"}) {
    EXPECT_EQ(IntegerError(text), "'" + std::string(text) + "' is not a valid integer value");
  }
}

std::string FloatTextError(const std::string& text, char separator) {
  try {
    ParseFloat(text, separator);
  } catch (const ConvertError& error) {
    return error.what();
  }
  return "accepted";
}

TEST(NumberText, FloatReadBackShapes) {
  EXPECT_EQ(ParseFloat("1.5", '.'), 1.5f);
  EXPECT_EQ(ParseFloat("  -2,25  ", ','), -2.25f);
  EXPECT_EQ(ParseFloat("+3", '.'), 3.0f);
  EXPECT_EQ(ParseFloat(".", '.'), 0.0f);
  EXPECT_EQ(ParseFloat(",5", ','), 0.5f);
  EXPECT_EQ(ParseFloat("5.", '.'), 5.0f);
  EXPECT_EQ(ParseFloat("1.2345679E8", '.'), 123456792.0f);
  EXPECT_EQ(ParseFloat("25e-1", '.'), 2.5f);
  EXPECT_EQ(ParseFloat("1E+2", '.'), 100.0f);
  EXPECT_EQ(ParseFloat("1e-60", '.'), 0.0f);  // underflow is masked
  EXPECT_TRUE(std::signbit(ParseFloat("-0.00", '.')));
  EXPECT_EQ(FloatTextError("", '.'), "'' is not a valid floating point value");
  for (const char* text : {"INF", "NAN", "-", "1.5", "1..5", "1,5,", "1E", "e5", "1.2.3", "- 1",
                           "1 2", "0x1p3", "inf"}) {
    // With "," as separator "." is just another foreign character.
    EXPECT_EQ(FloatTextError(text, ','),
              "'" + std::string(text) + "' is not a valid floating point value")
        << text;
  }
  try {
    ParseFloat("1E39", '.');
    ADD_FAILURE() << "1E39 accepted";
  } catch (const FloatError& error) {
    EXPECT_STREQ(error.what(), "Floating point overflow");
  }
}

// glibc's strtof (C locale: no QApplication in this binary) is the reference
// for rounding decimal texts to the nearest single.
TEST(NumberText, FloatReadBackRoundsToNearestSingle) {
  std::mt19937 random(7);
  std::vector<std::string> texts;
  for (int i = 0; i < 40000; ++i) {
    const unsigned long long digits = random() % 100000000000ull;
    const int point = static_cast<int>(random() % 12);
    std::string text = std::to_string(digits);
    if (point < static_cast<int>(text.size())) text.insert(text.size() - point, ".");
    if (random() % 2) text.insert(0, "-");
    texts.push_back(text);
  }
  for (const char* text : {"16777217", "0.1", "3.4028235e38", "1.17549435e-38", "1.4e-45", "7e-46",
                           "7.1e-46", "1.00000005960464477539"}) {
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
