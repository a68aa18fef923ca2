// The editor window as built from its layout table: every role reaches a
// widget, no two visible widgets overlap, fields take their lengths and
// labels from the field table, and the tab and menu orders.

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <set>

#include "fields/column_list_box.h"
#include "fields/list_find_field.h"
#include "fields/masked_edit.h"
#include "fields/two_choice_group.h"
#include "lettering/shadow_button.h"
#include "window_fixture.h"

namespace {

// Decorations that lie under or around other widgets by design.
bool IsDecoration(const QWidget* widget) {
  static const std::set<QString> kUnder = {
      QStringLiteral("LMDImage1"), QStringLiteral("LMDDrawEdge2"), QStringLiteral("LMDDrawEdge3"),
      QStringLiteral("LMDLabelFill1")};
  return kUnder.contains(widget->objectName());
}

// Pairs of visible widgets of `parent` that take input (labels and titles
// sit at the fixed pixels of the layout, which other fonts may overrun) and
// overlap, as "a/b".
QStringList Overlaps(const QWidget* parent) {
  QList<QWidget*> shown;
  for (QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (child->isVisible() && !child->isWindow() && !IsDecoration(child) &&
        child->focusPolicy() != Qt::NoFocus) {
      shown << child;
    }
  }
  QStringList overlaps;
  for (qsizetype i = 0; i < shown.size(); ++i) {
    for (qsizetype j = i + 1; j < shown.size(); ++j) {
      if (shown[i]->geometry().intersects(shown[j]->geometry())) {
        overlaps << shown[i]->objectName() + u'/' + shown[j]->objectName();
      }
    }
  }
  return overlaps;
}

}  // namespace

// The label's text ends before its field begins.
static void FitsBefore(const QLabel* label, const QWidget* field) {
  EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->text()), field->x() - label->x())
      << label->text().toStdString();
}

TEST_F(EditorWindowTest, EveryRoleHasItsWidgetAndNoneCoversAnother) {
  Open();  // the map in place of the placeholder
  std::set<QString> names;
  for (std::size_t i = 0; i < kEditorWidgetCount; ++i) {
    QWidget* widget = form6_->Widget(static_cast<TEditorWidget>(i));
    ASSERT_NE(widget, nullptr) << "role " << i;
    EXPECT_FALSE(widget->objectName().isEmpty()) << "role " << i;
    EXPECT_TRUE(names.insert(widget->objectName()).second) << widget->objectName().toStdString();
  }
  for (std::size_t i = 0; i < kCommandCount; ++i) {
    const auto command = static_cast<TCommand>(i);
    EXPECT_NE(form6_->Action(command) == nullptr, form6_->Button(command) == nullptr)
        << "command " << i << " has one menu item or one button";
  }
  for (const TFieldInfo& info : kFieldTable) {
    SCOPED_TRACE(info.label);
    if (info.kind == TFieldKind::Choice) {
      EXPECT_EQ(form6_->StateGroup()->objectName(), QStringLiteral("lmdrg1"));
      continue;
    }
    MaskedEdit* field = form6_->FieldWidget(info.field);
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->maxLength(), static_cast<int>(info.max_length));
    // Its label names it and stands before it, on its line.
    const QWidget* parent = field->parentWidget();
    QLabel* label = nullptr;
    for (QLabel* candidate : parent->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
      if (candidate->text() == QString::fromLatin1(info.label)) label = candidate;
    }
    ASSERT_NE(label, nullptr);
    EXPECT_LT(label->x(), field->x());
    EXPECT_EQ(label->y(), field->y());
    FitsBefore(label, field);
  }
  FitsBefore(static_cast<QLabel*>(form6_->Widget(TEditorWidget::RecordCountLabel)),
             form6_->RecordCountBox());
  EXPECT_EQ(Overlaps(form6_->centralWidget()), QStringList());
  EXPECT_EQ(Overlaps(form6_->Widget(TEditorWidget::PlacementGroup)), QStringList());
  EXPECT_EQ(form6_->frameGeometry(), QRect(289, 157, 807, 603));
  EXPECT_TRUE(form6_->RecordCountBox()->isReadOnly());
  // The find fields belong to their lists.
  EXPECT_EQ(form6_->Widget(TEditorWidget::ContentsFind)->parentWidget(), form6_->ContentsList());
  EXPECT_EQ(form6_->Widget(TEditorWidget::CatalogueFind)->parentWidget(), form6_->CatalogueList());

  // Tab order: Name, Description, then Class ... Density and the state choice
  // (its two buttons, one stop), the map and its grid chooser, round to Name;
  // the rest is skipped.
  QStringList order;
  QWidget* at = form6_->FieldWidget(TField::Name);
  for (int i = 0; i < 14; ++i) {
    const QString name =
        at->objectName().isEmpty() ? at->parentWidget()->objectName() : at->objectName();
    if (order.isEmpty() || order.back() != name) order << name;
    do {
      at = at->nextInFocusChain();
    } while (!(at->focusPolicy() & Qt::TabFocus) || !at->isVisibleTo(form6_.get()) ||
             !at->isEnabled());
  }
  EXPECT_EQ(order.join(u' '),
            QStringLiteral("me4 me5 ME2 ME3 me6 me7 me8 me9 me10 lmdrg1 LoMap MapGridStep me4"));
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
