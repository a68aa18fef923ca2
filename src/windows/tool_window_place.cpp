#include "windows/tool_window_place.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>

void PlaceBesideEditor(QWidget& tool) {
  const QWidget* editor = tool.parentWidget();
  if (editor == nullptr || editor->screen() == nullptr) return;
  const QRect screen = editor->screen()->availableGeometry();
  const QRect frame = editor->frameGeometry();
  const int width = tool.frameGeometry().width();
  constexpr int kGap = 8;
  int left = frame.right() + kGap;
  if (left + width > screen.right()) left = frame.left() - kGap - width;
  if (left < screen.left()) left = screen.right() - width;
  left = std::max(left, screen.left());
  const int top =
      std::clamp(frame.top(), screen.top(),
                 std::max(screen.top(), screen.bottom() - tool.frameGeometry().height()));
  tool.move(left, top);
}
