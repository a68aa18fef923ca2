#include "errors/user_message.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "errors/app_error.h"

namespace {

TEST(UserMessage, AddsAPeriodOnlyAfterCharactersThatSortAfterIt) {
  // Letters, digits and "/" sort after "."; "." itself, "!", "'" and blanks do not.
  for (const char* text : {"File not found", "I/O error 32", "path a/", "Gr\xc3\xbc\xc3\x9f"}) {
    EXPECT_EQ(UserMessage(text), std::string(text) + '.') << text;
  }
  for (const char* text : {"Done.", "Stop!", "value '-'", "trailing ", ""}) {
    EXPECT_EQ(UserMessage(text), text) << text;
  }
  // Every exception reads the same way, the program's own or the library's.
  EXPECT_EQ(UserMessage(InOutError(2)), "File not found.");
  EXPECT_EQ(UserMessage(std::out_of_range("Read beyond end of file")), "Read beyond end of file.");
}

}  // namespace
