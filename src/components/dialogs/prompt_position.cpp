#include "dialogs/prompt_position.h"

namespace {

// One axis of the rule; ends are exclusive (start + length).
int PlaceOnAxis(int activeStart, int activeLength, int promptLength, int screenEnd) {
  int start = activeStart + (activeLength - promptLength) / 2;  // int division truncates toward 0
  if (start + promptLength > screenEnd) start = activeStart + activeLength - promptLength;
  return start < 0 ? 0 : start;
}

}  // namespace

QPoint PromptPosition(const QRect& active, const QSize& promptSize, const QRect& screen) {
  return {
      PlaceOnAxis(active.x(), active.width(), promptSize.width(), screen.x() + screen.width()),
      PlaceOnAxis(active.y(), active.height(), promptSize.height(), screen.y() + screen.height())};
}
