#include "editor/number_text.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>

#include "errors/app_error.h"

namespace {

__extension__ typedef unsigned __int128 Wide;

constexpr int kSignificantDigits = 8;
constexpr int kMaxDecimals = 2;

std::string WideDigits(Wide value) {
  std::string digits;
  do {
    digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(value % 10)));
    value /= 10;
  } while (value != 0);
  return digits;
}

int DigitCount(Wide value) {
  int count = 0;
  while (value != 0) {
    value /= 10;
    ++count;
  }
  return count;
}

Wide PowerOfTen(int exponent) {
  Wide result = 1;
  for (int i = 0; i < exponent; ++i) result *= 10;
  return result;
}

// A finite float split exactly as mantissa * 2^exponent.
struct ExactFloat {
  std::uint32_t mantissa;
  int exponent;
};

ExactFloat Split(std::uint32_t bits) {
  const int biased = static_cast<int>((bits >> 23) & 0xFF);
  const std::uint32_t fraction = bits & 0x7FFFFF;
  if (biased == 0) return {fraction, -149};  // denormal
  return {fraction | 0x800000u, biased - 150};
}

// floor(value * 10^decimals + 1/2): the value rounded half-up to `decimals`
// decimals, as an integer count of 10^-decimals units. Only called for values
// below 10^9, so the product always fits.
Wide RoundToDecimals(ExactFloat v, int decimals) {
  const Wide scaled = static_cast<Wide>(v.mantissa) * PowerOfTen(decimals);
  if (v.exponent >= 0) return scaled << v.exponent;
  const int shift = -v.exponent;
  // scaled < 2^31, so beyond this shift the value is below one half unit.
  if (shift > 64) return 0;
  return (scaled + (static_cast<Wide>(1) << (shift - 1))) >> shift;
}

Wide IntegerPart(ExactFloat v) {
  if (v.exponent >= 0) return static_cast<Wide>(v.mantissa) << v.exponent;
  if (-v.exponent >= 32) return 0;
  return v.mantissa >> -v.exponent;
}

// Exponent form of an integer value with more than 8 digits.
std::string ExponentForm(Wide integer, bool negative, char separator) {
  int exponent = DigitCount(integer) - 1;
  const Wide unit = PowerOfTen(exponent + 1 - kSignificantDigits);
  Wide digits = integer / unit;
  if ((integer % unit) * 2 >= unit) ++digits;
  if (digits == PowerOfTen(kSignificantDigits)) {
    digits /= 10;
    ++exponent;
  }
  std::string text = WideDigits(digits);
  while (text.size() > 1 && text.back() == '0') text.pop_back();
  std::string result = negative ? "-" : "";
  result += text[0];
  if (text.size() > 1) {
    result += separator;
    result.append(text, 1, std::string::npos);
  }
  return result + "E" + std::to_string(exponent);
}

[[noreturn]] void NotAFloat(const std::string& text) {
  throw ConvertError("'" + text + "' is not a valid floating point value");
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string FormatFixed2(float value, char separator) {
  std::uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  const bool negative = (bits >> 31) != 0;
  if (((bits >> 23) & 0xFF) == 0xFF) {
    const std::uint32_t fraction = bits & 0x7FFFFF;
    if (fraction == 0) return negative ? "-INF" : "INF";
    if ((fraction & 0x400000) == 0) throw FloatError("Invalid floating point operation");
    return "NAN";
  }
  const ExactFloat exact = Split(bits);
  const int integer_digits = DigitCount(IntegerPart(exact));
  if (integer_digits > kSignificantDigits) {
    return ExponentForm(IntegerPart(exact), negative, separator);
  }
  const int decimals = std::min(kMaxDecimals, kSignificantDigits - integer_digits);
  const Wide rounded = RoundToDecimals(exact, decimals);
  const Wide hundredths = rounded * PowerOfTen(kMaxDecimals - decimals);
  const Wide whole = hundredths / 100;
  if (DigitCount(whole) > kSignificantDigits) {
    return ExponentForm(whole, negative, separator);  // rounding carried into a 9th digit
  }
  const int cents = static_cast<int>(hundredths % 100);
  std::string text = (negative && hundredths != 0) ? "-" : "";
  text += WideDigits(whole);
  text += separator;
  text += static_cast<char>('0' + cents / 10);
  text += static_cast<char>('0' + cents % 10);
  return text;
}

std::string IntegerText(long long value) { return std::to_string(value); }

std::int32_t ParseInteger(const std::string& text) {
  std::size_t pos = 0;
  while (pos < text.size() && text[pos] == ' ') ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  const std::size_t digits_start = pos;
  std::int64_t magnitude = 0;
  const std::int64_t limit = negative ? std::int64_t{1} << 31 : (std::int64_t{1} << 31) - 1;
  bool too_large = false;
  while (pos < text.size() && IsDigit(text[pos])) {
    magnitude = magnitude * 10 + (text[pos] - '0');
    if (magnitude > limit) {
      too_large = true;
      magnitude = limit + 1;  // keeps the sum small; the text is refused below
    }
    ++pos;
  }
  if (pos == digits_start || pos != text.size() || too_large) {
    throw ConvertError("'" + text + "' is not a valid integer value");
  }
  return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

std::uint8_t ParseByte(const std::string& text) {
  return static_cast<std::uint8_t>(static_cast<std::uint32_t>(ParseInteger(text)) & 0xFF);
}

namespace {

enum class FloatRead { Number, NotANumber, Overflow };

FloatRead ReadFloatText(const std::string& text, char separator, float& value) {
  std::size_t pos = 0;
  auto skip_blanks = [&] {
    while (pos < text.size() && text[pos] == ' ') ++pos;
  };
  skip_blanks();
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  // Rebuild the number in the one form from_chars reads: digits "." digits "e" exponent.
  std::string integer_digits;
  std::string fraction_digits;
  bool has_separator = false;
  while (pos < text.size() && IsDigit(text[pos])) integer_digits += text[pos++];
  if (pos < text.size() && text[pos] == separator) {
    has_separator = true;
    ++pos;
    while (pos < text.size() && IsDigit(text[pos])) fraction_digits += text[pos++];
  }
  if (integer_digits.empty() && fraction_digits.empty() && !has_separator)
    return FloatRead::NotANumber;
  long long exponent = 0;
  if (pos < text.size() && (text[pos] == 'E' || text[pos] == 'e')) {
    ++pos;
    bool exponent_negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
      exponent_negative = text[pos] == '-';
      ++pos;
    }
    const std::size_t exponent_start = pos;
    while (pos < text.size() && IsDigit(text[pos])) {
      if (exponent < 100000) exponent = exponent * 10 + (text[pos] - '0');
      ++pos;
    }
    if (pos == exponent_start) return FloatRead::NotANumber;
    if (exponent_negative) exponent = -exponent;
  }
  skip_blanks();
  if (pos != text.size()) return FloatRead::NotANumber;

  const std::string digits = integer_digits + fraction_digits;
  const std::size_t first_nonzero = digits.find_first_not_of('0');
  float magnitude = 0.0f;
  if (first_nonzero != std::string::npos) {
    const std::string canonical =
        digits + "e" + std::to_string(exponent - static_cast<long long>(fraction_digits.size()));
    const auto result =
        std::from_chars(canonical.data(), canonical.data() + canonical.size(), magnitude);
    if (result.ec == std::errc::result_out_of_range) {
      // Decimal exponent of the leading digit tells overflow from underflow.
      const long long leading_exponent = static_cast<long long>(integer_digits.size()) -
                                         static_cast<long long>(first_nonzero) - 1 + exponent;
      if (leading_exponent > 0) return FloatRead::Overflow;
      magnitude = 0.0f;
    }
  }
  value = negative ? -magnitude : magnitude;
  return FloatRead::Number;
}

}  // namespace

float ParseFloat(const std::string& text, char separator) {
  float value = 0.0f;
  switch (ReadFloatText(text, separator, value)) {
    case FloatRead::NotANumber:
      NotAFloat(text);
    case FloatRead::Overflow:
      throw FloatError("Floating point overflow");
    case FloatRead::Number:
      break;
  }
  return value;
}

std::optional<float> TryParseFloat(const std::string& text, char separator) {
  float value = 0.0f;
  if (ReadFloatText(text, separator, value) != FloatRead::Number) return std::nullopt;
  return value;
}
