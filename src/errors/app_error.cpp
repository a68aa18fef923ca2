#include "errors/app_error.h"

InOutError::InOutError(int code) : AppError(MessageFor(code)), code_(code) {}

InOutError::InOutError(int code, bool unlisted)
    : AppError(unlisted ? "I/O error " + std::to_string(code) : MessageFor(code)),
      code_(code),
      unlisted_(unlisted) {}

InOutError InOutError::Unlisted(int system_number) { return InOutError(system_number, true); }

std::string InOutError::MessageFor(int code) {
  switch (code) {
    case 2:
      return "File not found";
    case 3:
      return "Invalid filename";
    case 4:
      return "Too many open files";
    case 5:
      return "File access denied";
    case 100:
      return "Read beyond end of file";
    case 101:
      return "Disk full";
    case 106:
      return "Invalid numeric input";
    default:
      return "I/O error " + std::to_string(code);
  }
}
