#pragma once

#include "editor/editor_view.h"

class EditorMap;
class EditorWidgets;
class QWidget;
class TUndoCommands;

// Shows the editor's view state on the editor window's widgets: each change
// of the view updates exactly the widgets of the member that changed, and
// the map hears of every change. It also shows what Undo and Redo would do.
// It never calls the editor.
class EditorPresenter {
 public:
  EditorPresenter(QWidget& window, const EditorWidgets& widgets, const TEditorView& view,
                  EditorMap& map, const TUndoCommands& history)
      : window_(window), widgets_(widgets), view_(view), map_(map), history_(history) {}

  void Present(TViewMember member);
  // Every member, as after the window is built.
  void PresentAll();
  // "Undo Save of record 7"; plain "Undo", disabled, when there is nothing.
  void PresentHistory();

 private:
  QWidget& window_;
  const EditorWidgets& widgets_;
  const TEditorView& view_;
  EditorMap& map_;
  const TUndoCommands& history_;
};
