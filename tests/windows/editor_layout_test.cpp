// The editor window's widgets against its layout table: position and size of
// every widget (labels by position), in client coordinates (inside the group
// box, relative to it), and the painting and tab orders.

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "fields/column_list_box.h"
#include "fields/masked_edit.h"
#include "lettering/shadow_button.h"
#include "lettering/shadow_group_box.h"
#include "window_fixture.h"

namespace {

struct Placed {
  const char* name;
  int left, top, width, height;  // width 0: a label, checked by position only
  int max_length = 0;            // fields only
};

const Placed kClientWidgets[] = {
    {"LMDImage1", 288, 56, 489, 489},
    {"LMDLabel1", 8, 0, 265, 25},
    {"LMDSimpleLabel4", 288, 8, 0, 0},
    {"LMDSimpleLabel12", 288, 32, 0, 0},
    {"LMDSimpleLabel5", 504, 8, 0, 0},
    {"LMDLabel2", 8, 376, 265, 20},
    {"LMDDrawEdge2", 280, 0, 3, 553},
    {"LMDDrawEdge3", 0, 0, 657, 3},
    {"LMDLabelFill1", 296, 64, 465, 353},
    {"LMDLB1", 8, 24, 265, 169},
    {"LMDGroupBox1", 0, 232, 265, 137},
    {"LMDButton2", 8, 200, 97, 25},
    {"removeobj", 152, 200, 121, 25},
    {"me4", 360, 8, 129, 17, 19},
    {"me5", 384, 32, 409, 20, 73},
    {"Edit1", 576, 8, 57, 21},
    {"lb2", 8, 400, 265, 145},
};

const Placed kGroupWidgets[] = {
    {"LMDSimpleLabel1", 8, 24, 0, 0},   {"ME1", 56, 24, 49, 17, 6},
    {"LMDSimpleLabel2", 112, 24, 0, 0}, {"ME2", 144, 24, 33, 17, 6},
    {"LMDSimpleLabel3", 184, 24, 0, 0}, {"ME3", 216, 24, 33, 17, 6},
    {"LMDSimpleLabel6", 8, 48, 0, 0},   {"me6", 56, 48, 65, 17, 11},
    {"LMDSimpleLabel7", 136, 48, 0, 0}, {"me7", 184, 48, 65, 17, 11},
    {"LMDSimpleLabel8", 8, 72, 0, 0},   {"me8", 56, 72, 65, 17, 11},
    {"LMDSimpleLabel9", 136, 72, 0, 0}, {"me9", 184, 72, 65, 17, 11},
    {"LMDSimpleLabel10", 8, 96, 0, 0},  {"me10", 48, 96, 33, 17, 11},
    {"lmdrg1", 112, 96, 137, 29},
};

void CheckPlaced(QWidget* parent, const Placed (&table)[17]) {
  int previous_index = -1;
  const QObjectList children = parent->children();
  for (const Placed& p : table) {
    SCOPED_TRACE(p.name);
    auto* widget =
        parent->findChild<QWidget*>(QString::fromLatin1(p.name), Qt::FindDirectChildrenOnly);
    ASSERT_NE(widget, nullptr);
    if (p.width == 0) {
      EXPECT_EQ(widget->pos(), QPoint(p.left, p.top));
    } else {
      EXPECT_EQ(widget->geometry(), QRect(p.left, p.top, p.width, p.height));
    }
    if (p.max_length != 0) {
      EXPECT_EQ(qobject_cast<MaskedEdit*>(widget)->maxLength(), p.max_length);
    }
    // Painting order: later rows lie on top.
    const int index = static_cast<int>(children.indexOf(widget));
    EXPECT_GT(index, previous_index);
    previous_index = index;
  }
}

}  // namespace

TEST_F(EditorWindowTest, WidgetsSitWhereTheLayoutTableSaysInItsOrder) {
  StartRun();
  OpenEditor();
  CheckPlaced(form6_->centralWidget(), kClientWidgets);
  CheckPlaced(form6_->Widget(TEditorWidget::PlacementGroup), kGroupWidgets);
  EXPECT_EQ(form6_->frameGeometry(), QRect(289, 157, 807, 603));
  EXPECT_TRUE(form6_->RecordCountBox()->isReadOnly());

  // Tab order: Name, Description, then Class ... Density; the rest is skipped.
  QStringList order;
  QWidget* at = form6_->FieldWidget(TField::Name);
  for (int i = 0; i < 9; ++i) {
    order << at->objectName();
    do {
      at = at->nextInFocusChain();
    } while (!(at->focusPolicy() & Qt::TabFocus) || !at->isVisibleTo(form6_.get()) ||
             !at->isEnabled());
  }
  EXPECT_EQ(order.join(u' '), QStringLiteral("me4 me5 ME2 ME3 me6 me7 me8 me9 me10"));
  EXPECT_FALSE(form6_->ContentsList()->focusPolicy() & Qt::TabFocus);
  EXPECT_FALSE(form6_->FieldWidget(TField::RecordNo)->focusPolicy() & Qt::TabFocus);
  EXPECT_FALSE(form6_->Button(TCommand::AddObject)->focusPolicy() & Qt::TabFocus);

  // The menu bar.
  QStringList top;
  for (QAction* action : form6_->menuBar()->actions()) top << action->text();
  EXPECT_EQ(top.join(u'|'), QStringLiteral("Open|Save|Edit|Notes|Change Folders|About"));
  EXPECT_EQ(form6_->findChild<QMenu*>(QStringLiteral("Open1"))->defaultAction(),
            form6_->Action(TCommand::OpenLoFile));
  EXPECT_TRUE(form6_->Action(TCommand::OpenLoFile)->font().bold());
  // Only "Open a Lo File" is a default item.
  EXPECT_EQ(form6_->findChild<QMenu*>(QStringLiteral("ChangeFolders1"))->defaultAction(), nullptr);
  EXPECT_FALSE(form6_->Action(TCommand::LoFolder)->font().bold());
  EXPECT_EQ(form6_->Action(TCommand::LoFolder)->text(), QStringLiteral("Lo Files Location"));
  EXPECT_EQ(form6_->Action(TCommand::ObjdatFolder)->text(),
            QStringLiteral("OBJDAT Folder Location"));
}
