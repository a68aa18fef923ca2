#pragma once

#include "editor/editor_view.h"

class EditorWidgets;
class QWidget;

// Shows the editor's view state on the editor window's widgets: each change
// of the view updates exactly the widgets of the member that changed. It
// never calls the editor.
class EditorPresenter {
 public:
  EditorPresenter(QWidget& window, const EditorWidgets& widgets, const TEditorView& view)
      : window_(window), widgets_(widgets), view_(view) {}

  void Present(TViewMember member);
  // Every member, as after the window is built.
  void PresentAll();

 private:
  QWidget& window_;
  const EditorWidgets& widgets_;
  const TEditorView& view_;
};
