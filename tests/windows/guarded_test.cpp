#include "windows/guarded.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "dialogs/error_box.h"

namespace {

struct GuardedShown {
  QString caption;
  QString text;
};

// Captures what the box would show instead of opening it.
class CapturedBoxes {
 public:
  CapturedBoxes() {
    previous_ = SetErrorBoxPresenter([this](const QString& caption, const QString& text) {
      shown.push_back({caption, text});
    });
  }
  ~CapturedBoxes() { SetErrorBoxPresenter(previous_); }

  std::vector<GuardedShown> shown;

 private:
  ErrorBoxPresenter previous_;
};

// Stands for the program's own error type: a runtime_error with a UTF-8 message.
class SomeAppError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

TEST(Guarded, ShowsTheFailureAndEndsTheAction) {
  CapturedBoxes boxes;
  bool after = false;
  guarded([&] {
    throw SomeAppError("'\xc3\xa4' is not a valid integer value");
    after = true;
  });
  guarded([] { throw std::out_of_range("Read beyond end of file"); });
  guarded([] { throw 42; });
  bool ran = false;
  guarded([&] { ran = true; });

  EXPECT_FALSE(after);
  EXPECT_TRUE(ran);
  ASSERT_EQ(boxes.shown.size(), 3u);
  EXPECT_EQ(boxes.shown[0].text, QStringLiteral("'\u00e4' is not a valid integer value."));
  EXPECT_EQ(boxes.shown[1].text, QStringLiteral("Read beyond end of file."));
  EXPECT_EQ(boxes.shown[2].text, QStringLiteral("Unknown error."));
}

}  // namespace
