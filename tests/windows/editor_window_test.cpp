#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <functional>
#include <utility>

#include "fields/column_list_box.h"
#include "fields/masked_edit.h"
#include "fields/two_choice_group.h"
#include "lettering/shadow_button.h"
#include "window_fixture.h"

namespace {


}  // namespace

TEST_F(EditorWindowTest, OpensTheFileAndSavesOneEditedRecordInPlace) {
  StartRun();
  OpenEditor();
  EXPECT_FALSE(form1_->isVisible());
  OpenFile(files_.lo_file);

  EXPECT_EQ(form6_->windowTitle(),
            QStringLiteral("Editing ") + QString::fromStdString(files_.lo_file.string()));
  EXPECT_EQ(form6_->RecordCountBox()->text(), QStringLiteral("6"));
  EXPECT_EQ(form6_->FieldWidget(TField::Name)->text(), QStringLiteral("Test Level"));
  EXPECT_EQ(form6_->FieldWidget(TField::Description)->text(),
            QStringLiteral("A level for the window tests"));
  ASSERT_EQ(form6_->ContentsList()->rowCount(), 6);
  EXPECT_EQ(form6_->ContentsList()->rows()[4], QStringLiteral("4;4;1;Rock"));
  EXPECT_EQ(form6_->CatalogueList()->rowCount(), 7);
  EXPECT_EQ(form6_->ContentsList()->selectedRow(), -1);
  EXPECT_TRUE(form6_->Button(TCommand::AddObject)->isEnabled());
  EXPECT_FALSE(form6_->Action(TCommand::Save)->isEnabled());

  ClickRow(4);
  EXPECT_EQ(form6_->FieldWidget(TField::RecordNo)->text(), QStringLiteral("4"));
  EXPECT_EQ(form6_->FieldWidget(TField::Class)->text(), QStringLiteral("4"));
  EXPECT_EQ(form6_->FieldWidget(TField::X)->text(), QStringLiteral("4.25"));
  EXPECT_EQ(form6_->FieldWidget(TField::Y)->text(), QStringLiteral("-4.00"));
  EXPECT_EQ(form6_->FieldWidget(TField::Density)->text(), QStringLiteral("4"));
  EXPECT_EQ(form6_->StateGroup()->chosen(), 0);

  TypeInto(form6_->FieldWidget(TField::X), QStringLiteral("12.5"));
  EXPECT_EQ(form6_->FieldWidget(TField::X)->text(), QStringLiteral("12.5"));
  EXPECT_EQ(form6_->FieldWidget(TField::X)->backgroundColor(), kRed);
  EXPECT_EQ(form6_->FieldWidget(TField::Y)->backgroundColor(), kWhite);
  EXPECT_TRUE(form6_->Action(TCommand::Save)->isEnabled());
  EXPECT_FALSE(form6_->FieldWidget(TField::X)->modifiedFlag())
      << "the flag is cleared to report the next edit";
  EXPECT_EQ(ReadBytes(files_.lo_file), files_.original) << "nothing is written before Save";

  form6_->Action(TCommand::Save)->trigger();
  Bytes expected = files_.original;
  PutF32(expected, 100 + 20 * 4 + 3, 12.5f);
  EXPECT_EQ(ReadBytes(files_.lo_file), expected);
  EXPECT_EQ(form6_->ContentsList()->selectedRow(), 4);
  EXPECT_FALSE(form6_->Action(TCommand::Save)->isEnabled());
  EXPECT_EQ(form6_->FieldWidget(TField::X)->backgroundColor(), kWhite);
  EXPECT_TRUE(errors_.isEmpty()) << errors_.join(u'|').toStdString();

  // A new name and the other state go out with the next commit of any record.
  ClickRow(1);
  TypeInto(form6_->FieldWidget(TField::Name), QStringLiteral("Renamed"));
  EXPECT_EQ(form6_->FieldWidget(TField::Name)->backgroundColor(), kRed);
  QTest::mouseClick(form6_->StateGroup()->choiceButton(0), Qt::LeftButton);
  EXPECT_EQ(form6_->StateGroup()->choiceTextColor(), kRed);
  form6_->Action(TCommand::Save)->trigger();
  PutText(expected, 0, std::string("Renamed") + '\0');  // the old bytes after it stay
  expected[100 + 20 * 1 + 2] = 0;
  EXPECT_EQ(ReadBytes(files_.lo_file), expected);
  EXPECT_NE(form6_->StateGroup()->choiceTextColor(), kRed);
}

TEST_F(EditorWindowTest, AddsAndRemovesTheLastRecordAndRefusesAnyOther) {
  StartRun();
  OpenEditor();
  OpenFile(files_.lo_file);

  QTest::mouseClick(form6_->Button(TCommand::AddObject), Qt::LeftButton);
  Bytes expected = files_.original;
  expected.resize(100 + 20 * 6);     // the 7 bytes after the last record are overwritten
  expected.resize(100 + 20 * 7, 0);  // by a zeroed record
  PutU16(expected, 20, 7);
  Bytes after_add = ReadBytes(files_.lo_file);
  EXPECT_EQ(after_add, expected);
  EXPECT_EQ(form6_->ContentsList()->rowCount(), 7);
  EXPECT_EQ(form6_->ContentsList()->rows()[6], QStringLiteral("6;0;0;Marker"));
  EXPECT_EQ(form6_->ContentsList()->selectedRow(), 6);
  EXPECT_EQ(form6_->RecordCountBox()->text(), QStringLiteral("7"));
  EXPECT_EQ(form6_->FieldWidget(TField::RecordNo)->text(), QStringLiteral("6"));

  // Row 2 is not the last: the information box, and no change.
  ClickRow(2);
  modals_.Then([&](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Information"));
    EXPECT_EQ(box->text(), QStringLiteral("No Item Selected"));
    EXPECT_EQ(box->icon(), QMessageBox::Information);
    const QPoint screen_centre = QApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE((box->frameGeometry().center() - screen_centre).manhattanLength(), 4);
    QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
  });
  QTest::mouseClick(form6_->Button(TCommand::RemoveObject), Qt::LeftButton);
  EXPECT_EQ(ReadBytes(files_.lo_file), after_add);

  ClickRow(6);
  QTest::mouseClick(form6_->Button(TCommand::RemoveObject), Qt::LeftButton);
  PutU16(expected, 20, 6);  // the count drops; the file keeps its length
  EXPECT_EQ(ReadBytes(files_.lo_file), expected);
  EXPECT_EQ(form6_->ContentsList()->rowCount(), 6);
  EXPECT_EQ(form6_->ContentsList()->selectedRow(), 5);
  EXPECT_EQ(form6_->FieldWidget(TField::RecordNo)->text(), QStringLiteral("5"));
  EXPECT_EQ(form6_->FieldWidget(TField::X)->text(), QStringLiteral("5.25"));
  EXPECT_TRUE(errors_.isEmpty()) << errors_.join(u'|').toStdString();
}

TEST_F(EditorWindowTest, ABadDensityStopsTheSaveWithTheErrorBoxAndWritesNothing) {
  StartRun();
  OpenEditor();
  OpenFile(files_.lo_file);
  ClickRow(1);
  TypeInto(form6_->FieldWidget(TField::Density), QStringLiteral("2.5"));
  EXPECT_EQ(form6_->FieldWidget(TField::Density)->text(), QStringLiteral("2.5"));
  form6_->Action(TCommand::Save)->trigger();
  EXPECT_EQ(errors_, QStringList{QStringLiteral("'2.5' is not a valid integer value.")});
  EXPECT_EQ(ReadBytes(files_.lo_file), files_.original);
  EXPECT_TRUE(form6_->Action(TCommand::Save)->isEnabled());
  EXPECT_EQ(form6_->FieldWidget(TField::Density)->backgroundColor(), kRed);

  // Choosing a row drops the edit: white again, "Save" off.
  ClickRow(1);
  EXPECT_EQ(form6_->FieldWidget(TField::Density)->text(), QStringLiteral("1"));
  EXPECT_EQ(form6_->FieldWidget(TField::Density)->backgroundColor(), kWhite);
  EXPECT_FALSE(form6_->Action(TCommand::Save)->isEnabled());
}

TEST_F(EditorWindowTest, ReplacingTheRecordNumberShowsThatRecordWithinTheFile) {
  StartRun();
  OpenEditor();
  OpenFile(files_.lo_file);
  // A number beyond the last record (as the field would report it typed):
  // the editor limits it, and the widgets follow.
  emit form6_->FieldWidget(TField::RecordNo)->textEdited(QStringLiteral("99"));
  EXPECT_EQ(form6_->FieldWidget(TField::RecordNo)->text(), QStringLiteral("5"));
  EXPECT_EQ(form6_->ContentsList()->selectedRow(), 5);
  EXPECT_EQ(form6_->FieldWidget(TField::X)->text(), QStringLiteral("5.25"));

  // The user cannot type into the record number.
  QTest::mouseClick(form6_->FieldWidget(TField::RecordNo), Qt::LeftButton);
  QTest::keyClicks(form6_->FieldWidget(TField::RecordNo), QStringLiteral("4"));
  EXPECT_EQ(form6_->FieldWidget(TField::RecordNo)->text(), QStringLiteral("5"));
  EXPECT_TRUE(errors_.isEmpty()) << errors_.join(u'|').toStdString();
}

TEST_F(EditorWindowTest, ClosingWithUncommittedEditsEndsTheProgramAndKeepsTheFile) {
  StartRun();
  OpenEditor();
  OpenFile(files_.lo_file);
  ClickRow(2);
  TypeInto(form6_->FieldWidget(TField::X), QStringLiteral("77"));
  TypeInto(form6_->FieldWidget(TField::Description), QStringLiteral("Lost"));
  EXPECT_TRUE(form6_->Action(TCommand::Save)->isEnabled());

  form6_->close();
  EXPECT_FALSE(form6_->isVisible());
  EXPECT_EQ(end_requests_, 1);
  EXPECT_FALSE(form3_->Session().Document().IsOpen());
  EXPECT_EQ(ReadBytes(files_.lo_file), files_.original);
}

TEST_F(EditorWindowTest, CancellingTheFileDialogEndsTheProgramAndOpensNothing) {
  StartRun();
  OpenEditor();
  modals_.Then([](QWidget* modal) { static_cast<QDialog*>(modal)->reject(); });
  form6_->Action(TCommand::OpenLoFile)->trigger();
  EXPECT_EQ(end_requests_, 1);
  EXPECT_FALSE(form3_->Session().Document().IsOpen());
  EXPECT_EQ(form6_->CatalogueList()->rowCount(), 7) << "the rest of the open still runs";
}

TEST_F(EditorWindowTest, TheFileDialogOffersTheLastNameSelectedAndLeavesNoPopupBehind) {
  StartRun();
  OpenEditor();
  OpenFile(files_.lo_file);
  QString offered, selected;
  modals_.Then([&](QWidget* modal) {
    auto* name_box = modal->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name_box, nullptr);
    offered = name_box->text();
    selected = name_box->selectedText();
    // The name box's completion list, still up when the dialog closes.
    (new QWidget(modal, Qt::Popup))->show();
    QMetaObject::invokeMethod(modal, "accept");
  });
  form6_->Action(TCommand::OpenLoFile)->trigger();
  EXPECT_EQ(offered, QStringLiteral("LoTEST.dat"));
  EXPECT_EQ(selected, offered) << "typing a name replaces the offered one";
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "it would swallow the next click";
  EXPECT_TRUE(form3_->Session().Document().IsOpen());
}

TEST_F(EditorWindowTest, AFreshWindowShowsZerosForItsOneEmptyRow) {
  StartRun();
  OpenEditor();
  EXPECT_EQ(form6_->windowTitle(), QStringLiteral("Orvo Lo File Data Editor"));
  EXPECT_FALSE(form6_->Button(TCommand::AddObject)->isEnabled());
  EXPECT_FALSE(form6_->Button(TCommand::RemoveObject)->isEnabled());
  EXPECT_FALSE(form6_->Action(TCommand::Save)->isEnabled());
  EXPECT_EQ(form6_->RecordCountBox()->text(), QStringLiteral("#"));
  EXPECT_EQ(form6_->ContentsList()->rows(), QStringList{QString()});
  EXPECT_EQ(form6_->CatalogueList()->rowCount(), 0);
  for (TField field : {TField::RecordNo, TField::Class, TField::Type, TField::X, TField::Density}) {
    EXPECT_EQ(form6_->FieldWidget(field)->text(), QStringLiteral("0"));
  }
  // The zero row's own texts are the editor's (tests/editor).
}

TEST_F(EditorWindowTest, ANegativeNumberTypedOverTheSelectedTextLandsInEveryDecimalField) {
  StartRun();
  OpenEditor();
  OpenFile(files_.lo_file);
  ClickRow(1);
  ASSERT_TRUE(QTest::qWaitForWindowActive(form6_.get()));
  struct Way {
    const char* name;
    std::function<void(MaskedEdit* field, MaskedEdit* before)> select;
  };
  const Way ways[] = {
      {"click", [](MaskedEdit* f, MaskedEdit*) { QTest::mouseClick(f, Qt::LeftButton); }},
      {"Tab",
       [](MaskedEdit*, MaskedEdit* before) {
         before->setFocus();
         QTest::keyClick(before, Qt::Key_Tab);
       }},
      {"Home, Shift+End",
       [](MaskedEdit* f, MaskedEdit*) {
         f->setFocus();
         QTest::keyClick(f, Qt::Key_Home);
         QTest::keyClick(f, Qt::Key_End, Qt::ShiftModifier);
       }},
      {"End, Shift+Home",
       [](MaskedEdit* f, MaskedEdit*) {
         f->setFocus();
         QTest::keyClick(f, Qt::Key_End);
         QTest::keyClick(f, Qt::Key_Home, Qt::ShiftModifier);
       }},
  };
  // Each decimal field with the field before it in the tab order.
  const std::pair<MaskedEdit*, MaskedEdit*> fields[] = {
      {form6_->FieldWidget(TField::X), form6_->FieldWidget(TField::Type)},
      {form6_->FieldWidget(TField::Y), form6_->FieldWidget(TField::X)},
      {form6_->FieldWidget(TField::Z), form6_->FieldWidget(TField::Y)},
      {form6_->FieldWidget(TField::R), form6_->FieldWidget(TField::Z)},
      {form6_->FieldWidget(TField::Density), form6_->FieldWidget(TField::R)}};
  for (const auto& [field, before] : fields) {
    for (const Way& way : ways) {
      field->setText(QStringLiteral("12.25"));
      way.select(field, before);
      ASSERT_TRUE(field->hasFocus()) << way.name;
      ASSERT_EQ(field->selectedText(), QStringLiteral("12.25")) << way.name;
      QTest::keyClicks(field, QStringLiteral("-7.5"));
      EXPECT_EQ(field->text(), QStringLiteral("-7.5"))
          << field->objectName().toStdString() << " after " << way.name;
    }
  }

  // And the sign reaches the file.
  ClickRow(1);
  TypeInto(form6_->FieldWidget(TField::Y), QStringLiteral("-7.5"));
  form6_->Action(TCommand::Save)->trigger();
  Bytes expected = files_.original;
  PutF32(expected, 100 + 20 * 1 + 7, -7.5f);
  EXPECT_EQ(ReadBytes(files_.lo_file), expected);
  EXPECT_TRUE(errors_.isEmpty()) << errors_.join(u'|').toStdString();
}
