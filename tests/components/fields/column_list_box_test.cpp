#include "fields/column_list_box.h"

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QImage>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include "fields/row_text.h"

using namespace Qt::StringLiterals;

namespace {

const QColor kMenu(200, 200, 200);
const QColor kMenuText(0, 0, 0);
const QColor kHighlight(0, 0, 160);
const QColor kHighlightText(255, 255, 0);

// A list shaped like the record list, with colours the pixel checks can tell apart.
struct ListFixture {
  ColumnListBox list;

  ListFixture() {
    list.setSections({{QStringLiteral("Rec#"), 40},
                      {QStringLiteral("Class"), 40},
                      {QStringLiteral("Type"), 40},
                      {QStringLiteral("Object Name"), 140}});
    QPalette colours = list.palette();
    colours.setColor(QPalette::Window, kMenu);
    colours.setColor(QPalette::WindowText, kMenuText);
    colours.setColor(QPalette::Highlight, kHighlight);
    colours.setColor(QPalette::HighlightedText, kHighlightText);
    list.setPalette(colours);
    list.resize(265, 169);
    list.show();
  }

  QImage Rows() { return list.viewport()->grab().toImage(); }
};

QColor At(const QImage& image, int x, int y) { return image.pixelColor(x, y); }

int Count(const QImage& image, const QRect& area, const QColor& colour) {
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) count += At(image, x, y) == colour;
  }
  return count;
}

// True when some pixel of the rectangle differs from `background`.
bool HasInk(const QImage& image, const QRect& area, const QColor& background) {
  return Count(image, area, background) < area.width() * area.height();
}

TEST(RowText, SplitsAtEverySemicolonAndKnowsBlankRows) {
  const std::pair<const char*, const char*> splits[] = {{"12;3;4;Tree", "12|3|4|Tree"},
                                                        {"1;;3;x", "1||3|x"},
                                                        {"1;2;", "1|2"},
                                                        {"1;;", "1|"},
                                                        {" a ; b", " a | b"},
                                                        {"1;2;3;Big;Rock", "1|2|3|Big|Rock"}};
  for (const auto& [row, parts] : splits) {
    EXPECT_EQ(SplitRowText(QString::fromLatin1(row)).join(u'|'), QString::fromLatin1(parts)) << row;
  }
  for (const char* blank : {"", "   ", " \t\r\n\x01 "})
    EXPECT_TRUE(IsBlankRowText(QString::fromLatin1(blank)));
  EXPECT_FALSE(IsBlankRowText(QStringLiteral(" x ")));
  EXPECT_FALSE(IsBlankRowText(QStringLiteral(";")));
}

TEST(ColumnListBox, DrawsGridLinesOfAllSectionsOverTheWholeHeight) {
  ListFixture f;
  f.list.setRows({QStringLiteral("1;2")});
  const QImage image = f.Rows();
  const int bottom = image.height() - 1;
  for (int x : {39, 79, 119, 259}) {
    EXPECT_EQ(At(image, x, 3), kMenuText) << x;
    EXPECT_EQ(At(image, x, bottom), kMenuText) << x;  // far below the only row
  }
  EXPECT_EQ(At(image, 38, 40), kMenu);
  EXPECT_EQ(At(image, 40, 40), kMenu);
  // Horizontal line along the row's bottom pixel row only.
  EXPECT_EQ(At(image, 20, 15), kMenuText);
  EXPECT_EQ(At(image, 200, 15), kMenuText);
  EXPECT_EQ(At(image, 20, 14), kMenu);
  EXPECT_EQ(At(image, 20, 31), kMenu);
  // The cells without a part stay empty.
  EXPECT_FALSE(HasInk(image, QRect(80, 0, 39, 15), kMenu));
  EXPECT_FALSE(HasInk(image, QRect(120, 0, 139, 15), kMenu));
  // Text starts two pixels into its cell and one below the row's top.
  EXPECT_TRUE(HasInk(image, QRect(2, 1, 36, 14), kMenu));
  EXPECT_FALSE(HasInk(image, QRect(0, 0, 2, 15), kMenu));
  EXPECT_FALSE(HasInk(image, QRect(0, 0, 39, 1), kMenu));
  EXPECT_TRUE(HasInk(image, QRect(42, 1, 36, 14), kMenu));
}

TEST(ColumnListBox, BlankRowsHaveNoGridLines) {
  ListFixture f;
  f.list.setRows({QStringLiteral("   "), QString()});
  EXPECT_FALSE(HasInk(f.Rows(), f.list.viewport()->rect(), kMenu));
  f.list.setSelectedRow(0);
  const QImage selected = f.Rows();
  EXPECT_FALSE(HasInk(selected, QRect(0, 0, 261, 16), kHighlight));
  EXPECT_FALSE(HasInk(selected, QRect(0, 16, 261, 100), kMenu));
}

TEST(ColumnListBox, ClipsEachPartToItsCellAndShowsNoPartBeyondTheLastSection) {
  ListFixture f;
  f.list.setRows({QStringLiteral("1;2;3;Big")});
  const QImage four = f.Rows();
  f.list.setRows({QStringLiteral("1;2;3;Big;Rock;More")});
  EXPECT_EQ(f.Rows(), four);

  const QString wide(30, u'W');
  f.list.setRows({QStringLiteral("1;") + wide + QStringLiteral(";;x")});
  QImage image = f.Rows();
  EXPECT_TRUE(HasInk(image, QRect(42, 1, 36, 14), kMenu));
  // Cell 2 holds the empty part: nothing of cell 1's text spills into it.
  EXPECT_FALSE(HasInk(image, QRect(80, 0, 39, 15), kMenu));

  // A narrower section cuts its text further and moves the grid lines.
  f.list.setRows({QStringLiteral("1;2;3;") + wide});
  f.list.setSectionWidth(3, 30);
  image = f.Rows();
  EXPECT_EQ(At(image, 149, 40), kMenuText);
  EXPECT_EQ(At(image, 259, 40), kMenu);
  EXPECT_FALSE(HasInk(image, QRect(150, 0, 100, 15), kMenu));
  EXPECT_TRUE(HasInk(image, QRect(122, 1, 26, 14), kMenu));
}

TEST(ColumnListBox, SelectedRowUsesHighlightColours) {
  ListFixture f;
  f.list.setRows({QStringLiteral("1;2;3;a"), QStringLiteral("4;5;6;b")});
  f.list.setSelectedRow(1);
  const QImage image = f.Rows();
  EXPECT_EQ(At(image, 30, 20), kHighlight);
  EXPECT_EQ(At(image, 30, 4), kMenu);
  EXPECT_GT(Count(image, QRect(2, 17, 36, 14), kHighlightText), 0);
  // Grid lines cross the highlighted row too.
  EXPECT_EQ(At(image, 39, 20), kMenuText);
  EXPECT_EQ(At(image, 100, 31), kMenuText);
}

TEST(ColumnListBox, SectionsCannotBeMadeWiderThanTheirWidth) {
  ListFixture f;
  f.list.setSectionWidth(3, 200);
  EXPECT_EQ(f.list.sectionWidth(3), 140);
  f.list.header()->resizeSection(0, 90);
  EXPECT_EQ(f.list.sectionWidth(0), 40);
  f.list.setSectionWidth(1, -5);
  EXPECT_EQ(f.list.sectionWidth(1), 0);
  f.list.setSectionWidth(1, 40);

  // Dragging the border of "Object Name": narrower works, wider stops at 140.
  QWidget* header = f.list.header()->viewport();
  const int y = f.list.header()->height() / 2;
  QTest::mousePress(header, Qt::LeftButton, {}, QPoint(259, y));
  QTest::mouseMove(header, QPoint(199, y));
  QTest::mouseRelease(header, Qt::LeftButton, {}, QPoint(199, y));
  EXPECT_EQ(f.list.sectionWidth(3), 80);
  QTest::mousePress(header, Qt::LeftButton, {}, QPoint(199, y));
  QTest::mouseMove(header, QPoint(255, y));
  QTest::mouseMove(header, QPoint(330, y));
  QTest::mouseRelease(header, Qt::LeftButton, {}, QPoint(330, y));
  EXPECT_EQ(f.list.sectionWidth(3), 140);
  EXPECT_EQ(f.list.header()->height(), 17);
}

TEST(ColumnListBox, EveryClickOnARowIsAChoice) {
  ListFixture f;
  f.list.setRows({QStringLiteral("0;1;2;a"), QStringLiteral("1;1;2;b"), QStringLiteral("2;1;2;c")});
  QSignalSpy chosen(&f.list, &ColumnListBox::rowChosen);
  QWidget* rows = f.list.viewport();
  QTest::mouseClick(rows, Qt::LeftButton, {}, QPoint(50, 20));
  QTest::mouseClick(rows, Qt::LeftButton, {}, QPoint(150, 24));
  ASSERT_EQ(chosen.count(), 2);
  EXPECT_EQ(chosen[0][0].toInt(), 1);
  EXPECT_EQ(chosen[1][0].toInt(), 1);
  EXPECT_EQ(f.list.selectedRow(), 1);

  QTest::mouseClick(rows, Qt::LeftButton, {}, QPoint(50, 3 * 16 + 4));  // below the last row
  QTest::mouseClick(rows, Qt::RightButton, {}, QPoint(50, 4));
  EXPECT_EQ(chosen.count(), 2);
  EXPECT_EQ(f.list.selectedRow(), 1);
}

TEST(ColumnListBox, SelectionKeysChooseRowsWhileFocused) {
  ListFixture f;
  QStringList rows;
  for (int i = 0; i < 30; ++i) rows << QStringLiteral("%1;0;0;x").arg(i);
  f.list.setRows(rows);
  f.list.setFocus();
  QSignalSpy chosen(&f.list, &ColumnListBox::rowChosen);
  const auto press = [&](Qt::Key key) {
    QTest::keyClick(&f.list, key);
    return chosen.isEmpty() ? -2 : chosen.takeLast()[0].toInt();
  };
  EXPECT_EQ(press(Qt::Key_Down), 0);
  EXPECT_EQ(press(Qt::Key_Down), 1);
  EXPECT_EQ(press(Qt::Key_End), 29);
  // The chosen row is scrolled into view.
  EXPECT_LE(f.list.rowRect(29).bottom(), f.list.viewport()->height() - 1);
  EXPECT_GE(f.list.rowRect(29).top(), 0);
  EXPECT_EQ(press(Qt::Key_Down), 29);  // already last: still a choice
  EXPECT_EQ(press(Qt::Key_Home), 0);
  EXPECT_EQ(press(Qt::Key_Up), 0);
  EXPECT_EQ(press(Qt::Key_PageDown), 8);  // nine rows fit: a page less one
  EXPECT_EQ(press(Qt::Key_PageUp), 0);
  EXPECT_EQ(press(Qt::Key_A), -2);
  EXPECT_EQ(f.list.selectedRow(), 0);

  f.list.clearRows();
  EXPECT_EQ(press(Qt::Key_Down), -2);
}

TEST(ColumnListBox, ChangesFromCodeRaiseNothing) {
  ListFixture f;
  QSignalSpy chosen(&f.list, &ColumnListBox::rowChosen);
  f.list.setRows({QStringLiteral("a"), QStringLiteral("b")});
  f.list.setSelectedRow(1);
  f.list.addRow(QStringLiteral("c"));  // adding keeps the selection
  EXPECT_EQ(f.list.selectedRow(), 1);
  EXPECT_EQ(f.list.rows(), (QStringList{u"a"_s, u"b"_s, u"c"_s}));
  f.list.setSelectedRow(3);  // no such row
  EXPECT_EQ(f.list.selectedRow(), -1);
  f.list.setSelectedRow(0);
  f.list.clearRows();
  EXPECT_EQ(f.list.selectedRow(), -1);
  EXPECT_EQ(chosen.count(), 0);
}

TEST(ColumnListBox, ScrollsVerticallyOnlyAndBringsASelectionMadeWhileHiddenIntoView) {
  for (int selected : {2, 25}) {
    ColumnListBox list;
    list.setSections({{QStringLiteral("Rec#"), 40}, {QStringLiteral("Object Name"), 140}});
    list.resize(265, 169);
    QStringList rows;
    for (int i = 0; i < 30; ++i) rows << QStringLiteral("%1;x").arg(i);
    list.setRows(rows);
    list.setSelectedRow(selected);
    list.show();
    QCoreApplication::processEvents();
    const QRect shown = list.rowRect(selected);
    EXPECT_GE(shown.top(), 0) << selected;
    EXPECT_LE(shown.bottom(), list.viewport()->height() - 1) << selected;
    // No needless scrolling.
    if (selected == 2) {
      EXPECT_EQ(list.rowAt(QPoint(5, 5)), 0);
    }
    EXPECT_TRUE(list.verticalScrollBar()->isVisible());
    EXPECT_FALSE(list.horizontalScrollBar()->isVisible());
    // The header follows the narrower viewport.
    EXPECT_EQ(list.header()->width(), list.viewport()->width());
  }
  ListFixture f;
  f.list.setRows({QStringLiteral("1"), QStringLiteral("2")});
  QCoreApplication::processEvents();
  EXPECT_FALSE(f.list.verticalScrollBar()->isVisible());
}

}  // namespace
