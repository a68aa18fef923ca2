// Objects travelling through the editor window: Copy, Cut, Paste, Paste Here
// and Delete by menu and keys, between two files and through the clipboard's
// text, each checked down to the file's bytes.

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QTest>
#include <cmath>

#include "datafiles/lo_text.h"
#include "fields/column_list_box.h"
#include "fields/masked_edit.h"
#include "map/map_view.h"
#include "window_fixture.h"
#include "windows/editor_map.h"
#include "windows/object_clipboard.h"

namespace {

class ObjectTransferTest : public EditorWindowTest {
 protected:
  void SetUp() override {
    EditorWindowTest::SetUp();
    QGuiApplication::clipboard()->clear();
  }
  void Open() {
    EditorWindowTest::Open();
    list = form6_->ContentsList();
    map = form6_->Map()->View();
  }
  // A key pressed while `widget` has the focus.
  void Press(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(form6_.get()));
    widget->setFocus();
    QTest::keyClick(widget, key, modifiers);
  }
  // Another copy of the program, running on another Lo file of `count`
  // numbered records: the clipboard is the desktop's.
  std::filesystem::path OpenOtherInAnotherRun(int count) {
    const std::filesystem::path other = files_.dir / "LoOther.dat";
    WriteBytes(other, LoFileBytes("Other", "Another level", NumberedRecords(count)));
    EndRun();
    StartRun();
    OpenEditor();
    OpenFile(other);
    list = form6_->ContentsList();
    map = form6_->Map()->View();
    return other;
  }
  static Bytes RecordIn(const Bytes& file, int index) { return Slice(file, 100 + 20 * index, 20); }
  static QByteArray OwnBytes() {
    return QGuiApplication::clipboard()->mimeData()->data(QString::fromLatin1(kRecordsMimeType));
  }
  static void PutText(const std::string& text) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
  }
  static std::vector<TRecordBytes> Packed(const std::vector<TLoRecord>& records) {
    std::vector<TRecordBytes> packed;
    for (const TLoRecord& record : records) packed.push_back(PackRecord(record));
    return packed;
  }

  ColumnListBox* list = nullptr;
  MapView* map = nullptr;
};

TEST_F(ObjectTransferTest, CopyInOneFileAndPasteInAnotherGivesTheSameBytes) {
  Open();
  QAction* paste = form6_->Action(TCommand::PasteObjects);
  EXPECT_FALSE(paste->isEnabled()) << "nothing to paste yet";
  EXPECT_FALSE(map->pasteHereEnabled());
  ClickRow(2);
  Press(list, Qt::Key_C);
  const Bytes copied = RecordIn(files_.original, 2);
  EXPECT_EQ(OwnBytes(), QByteArray(reinterpret_cast<const char*>(copied.data()), 20));
  const TRecordBytes record = PackRecord(NumberedRecords(6)[2]);
  EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), ExactRecordLines({&record, 1}));
  EXPECT_TRUE(paste->isEnabled());
  EXPECT_TRUE(map->pasteHereEnabled());

  const std::filesystem::path other = OpenOtherInAnotherRun(3);
  paste = form6_->Action(TCommand::PasteObjects);
  EXPECT_TRUE(paste->isEnabled()) << "the other run finds the objects on the clipboard";
  Press(map, Qt::Key_V);
  const Bytes after = ReadBytes(other);
  EXPECT_EQ(RecordIn(after, 3), copied);
  EXPECT_EQ(after[20], 4);
  EXPECT_EQ(list->rows().size(), 4);
  EXPECT_EQ(form6_->FieldWidget(TField::RecordNo)->text(), QStringLiteral("3"));
  EXPECT_EQ(form6_->Action(TCommand::Undo)->text(), QStringLiteral("Undo Paste of 1 record"));
  EXPECT_TRUE(errors_.isEmpty()) << errors_.join(u'\n').toStdString();

  // Emptied, the clipboard offers nothing to paste.
  QGuiApplication::clipboard()->clear();
  EXPECT_FALSE(paste->isEnabled());
  EXPECT_FALSE(map->pasteHereEnabled());
}

TEST_F(ObjectTransferTest, PastesExactTextPutOnTheClipboardAndRefusesWhatIsNot) {
  Open();
  TLoRecord odd = NumberedRecords(2)[1];
  odd.r = std::nanf("7");
  odd.z = -0.0f;
  PutText(ExactRecordLines(Packed({odd, NumberedRecords(1)[0]})));
  form6_->Action(TCommand::PasteObjects)->trigger();
  Bytes file = ReadBytes(files_.lo_file);
  EXPECT_EQ(RecordIn(file, 6), RecordBytes(odd));
  EXPECT_EQ(RecordIn(file, 7), RecordBytes(NumberedRecords(1)[0]));
  ASSERT_TRUE(errors_.isEmpty()) << errors_.join(u'\n').toStdString();

  // A bad line: its number in the message, nothing written.
  PutText(ExactRecordLines(Packed(NumberedRecords(1))) + "\nthree crates\n");
  form6_->Action(TCommand::PasteObjects)->trigger();
  ASSERT_EQ(errors_.size(), 1);
  EXPECT_TRUE(errors_[0].startsWith(QStringLiteral("line 3: "))) << errors_[0].toStdString();
  EXPECT_EQ(ReadBytes(files_.lo_file), file);

  // More than fits: how many would, nothing written.
  const std::filesystem::path other = OpenOtherInAnotherRun(254);
  file = ReadBytes(other);
  PutText(ExactRecordLines(Packed(NumberedRecords(3))));
  form6_->Action(TCommand::PasteObjects)->trigger();
  ASSERT_EQ(errors_.size(), 2);
  EXPECT_EQ(errors_[1], QStringLiteral("Only 2 more records fit in this file (a Lo file holds 256 "
                                       "records); nothing was pasted."));
  EXPECT_EQ(ReadBytes(other), file);
}

TEST_F(ObjectTransferTest, PasteHereCentresTheObjectsWhereTheMenuWasOpened) {
  Open();
  std::vector<TLoRecord> records(2);
  records[0].x = -1.0f;
  records[0].y = 2.0f;
  records[1].x = 3.0f;
  records[1].y = 4.0f;
  PutObjectsOnClipboard(Packed(records));
  const QPoint at = map->rect().center() + QPoint(17, -9);
  const WorldPoint world = map->worldAt(at);
  QTimer::singleShot(0, [] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    QAction* paste = menu->findChild<QAction*>(QStringLiteral("PasteHere1"));
    ASSERT_NE(paste, nullptr);
    EXPECT_TRUE(paste->isEnabled());
    menu->setActiveAction(paste);
    QTest::keyClick(menu, Qt::Key_Return);
  });
  QContextMenuEvent event(QContextMenuEvent::Mouse, at, map->mapToGlobal(at));
  QApplication::sendEvent(map, &event);

  const Bytes file = ReadBytes(files_.lo_file);
  const auto two = [](double value) { return static_cast<float>(std::round(value * 100) / 100); };
  for (int i = 0; i < 2; ++i) {
    TLoRecord placed = records[static_cast<std::size_t>(i)];
    placed.x = two(placed.x + world.x - 1.0);  // the box's centre is (1, 3)
    placed.y = two(placed.y + world.y - 3.0);
    EXPECT_EQ(RecordIn(file, 6 + i), RecordBytes(placed)) << i;
  }
  EXPECT_TRUE(errors_.isEmpty()) << errors_.join(u'\n').toStdString();
}

TEST_F(ObjectTransferTest, CutAndPasteBetweenTwoFilesAndDeleteUndoneByteForByte) {
  Open();
  // Delete of the first, a middle and the last record, and of a group.
  QAction* undo = form6_->Action(TCommand::Undo);
  for (const std::vector<int>& rows : std::vector<std::vector<int>>{{0}, {3}, {5}, {1, 4}}) {
    SCOPED_TRACE(rows.size() == 1 ? rows[0] : -1);
    ClickRow(rows[0]);
    for (std::size_t i = 1; i < rows.size(); ++i) {
      QTest::mouseClick(map, Qt::LeftButton, Qt::ShiftModifier,
                        map->screenPosition(rows[i]).toPoint());
    }
    Press(list, Qt::Key_Delete, Qt::NoModifier);
    const Bytes deleted = ReadBytes(files_.lo_file);
    EXPECT_EQ(deleted[20], 6 - rows.size());
    EXPECT_EQ(list->rows().size(), static_cast<int>(6 - rows.size()));
    undo->trigger();
    EXPECT_EQ(ReadBytes(files_.lo_file), files_.original);
  }

  // Cut on the map, paste in another file.
  ClickRow(4);
  Press(map, Qt::Key_X);
  EXPECT_EQ(undo->text(), QStringLiteral("Undo Cut of 1 record"));
  EXPECT_EQ(ReadBytes(files_.lo_file)[20], 5);
  EXPECT_EQ(RecordIn(ReadBytes(files_.lo_file), 4), RecordIn(files_.original, 5));
  const std::filesystem::path other = OpenOtherInAnotherRun(2);
  Press(list, Qt::Key_V);
  EXPECT_EQ(RecordIn(ReadBytes(other), 2), RecordIn(files_.original, 4));
  EXPECT_TRUE(errors_.isEmpty()) << errors_.join(u'\n').toStdString();
}

// The list and the map are one selection: Delete removes what the list highlights.
TEST_F(ObjectTransferTest, TheListHighlightsWhatCopyCutAndDeleteActOn) {
  Open();
  const auto highlighted = [this] {
    QList<int> rows;
    for (int row = 0; row < list->rowCount(); ++row) {
      if (list->isRowHighlighted(row)) rows << row;
    }
    return rows;
  };
  ClickRow(3);
  Press(list, Qt::Key_C);
  Press(list, Qt::Key_V);
  EXPECT_EQ(highlighted(), QList<int>{6}) << "the pasted record is the group";
  ClickRow(5);
  EXPECT_EQ(highlighted(), QList<int>{5});
  Press(list, Qt::Key_Delete, Qt::NoModifier);
  Bytes file = ReadBytes(files_.lo_file);
  EXPECT_EQ(file[20], 6);
  EXPECT_EQ(RecordIn(file, 5), RecordIn(files_.original, 3)) << "the pasted copy stays";

  // As every desktop list: Shift+click selects from the anchor row to the
  // clicked one, Ctrl+click takes one row in or out (and anchors), Shift
  // with an arrow key extends the range; a key move alone chooses alone.
  const auto click = [this](int row, Qt::KeyboardModifiers modifiers) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, list->rowRect(row).center());
  };
  ClickRow(1);
  click(3, Qt::ShiftModifier);
  EXPECT_EQ(highlighted(), (QList<int>{1, 2, 3}));
  click(4, Qt::ControlModifier);
  click(2, Qt::ControlModifier);
  EXPECT_EQ(highlighted(), (QList<int>{1, 3, 4}));
  EXPECT_EQ(map->groupSize(), 3);
  click(0, Qt::ShiftModifier);
  EXPECT_EQ(highlighted(), (QList<int>{0, 1, 2}));
  Press(list, Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(highlighted(), (QList<int>{1, 2}));
  Press(list, Qt::Key_End, Qt::ShiftModifier);
  EXPECT_EQ(highlighted(), (QList<int>{2, 3, 4, 5}));
  EXPECT_EQ(form3_->Session().View().SelectedRow(), 5);
  Press(list, Qt::Key_Home, Qt::NoModifier);
  EXPECT_EQ(highlighted(), QList<int>{0});
  Press(list, Qt::Key_X);
  file = ReadBytes(files_.lo_file);
  EXPECT_EQ(file[20], 5);
  EXPECT_EQ(RecordIn(file, 0), RecordIn(files_.original, 1));
  EXPECT_TRUE(errors_.isEmpty()) << errors_.join(u'\n').toStdString();
}

TEST_F(ObjectTransferTest, KeysInATextFieldStayTheFieldAndNoObjectIsTold) {
  Open();
  // No record chosen yet: the user is told, nothing is written.
  modals_.Then([](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), QStringLiteral("No Item Selected"));
    QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
  });
  Press(list, Qt::Key_Delete, Qt::NoModifier);
  EXPECT_EQ(modals_.Pending(), 0u);

  ClickRow(1);
  MaskedEdit* x = form6_->FieldWidget(TField::X);
  QTest::mouseClick(x, Qt::LeftButton);
  x->selectAll();
  Press(x, Qt::Key_C);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), x->text());
  EXPECT_TRUE(OwnBytes().isEmpty());
  Press(x, Qt::Key_Delete, Qt::NoModifier);
  EXPECT_TRUE(x->text().isEmpty());
  EXPECT_EQ(ReadBytes(files_.lo_file), files_.original) << "no record was deleted";
}

}  // namespace
