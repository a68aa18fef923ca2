#include "errors/user_message.h"

std::string UserMessage(const std::exception& error) { return UserMessage(error.what()); }

std::string UserMessage(std::string_view message) {
  std::string text(message);
  // Byte-wise on UTF-8: a non-ASCII character ends in a byte above 0x7F.
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
  return text;
}
