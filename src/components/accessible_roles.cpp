#include "accessible_roles.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

#include "fields/column_list_accessible.h"
#include "fields/column_list_box.h"

namespace {

QAccessibleInterface* RoleFor(const QString& class_name, QObject* object) {
  auto* widget = qobject_cast<QWidget*>(object);
  if (widget == nullptr) return nullptr;
  if (class_name == QLatin1String("ColumnListBox")) {
    return new ColumnListAccessible(static_cast<ColumnListBox*>(widget));
  }
  if (class_name == QLatin1String("TwoChoiceGroup")) {
    return new QAccessibleWidget(widget, QAccessible::Grouping);
  }
  if (class_name == QLatin1String("MapView")) {
    return new QAccessibleWidget(widget, QAccessible::Graphic);
  }
  // A window built on a plain widget is still a window to the reader.
  if (class_name == QLatin1String("QWidget") && widget->isWindow()) {
    return new QAccessibleWidget(widget, QAccessible::Window);
  }
  return nullptr;
}

}  // namespace

void InstallAccessibleRoles() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  QAccessible::installFactory(RoleFor);
}
