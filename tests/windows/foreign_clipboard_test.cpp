// Another program's clipboard under a real X server: one that holds the
// clipboard and never answers (as one that ended while asked) leaves the
// editor window answering, and Paste says so; one that refuses our records
// type but gives record lines as text has them pasted.

#include "windows/foreign_clipboard.h"

#include <xcb/xcb.h>

#include <QAction>
#include <QCoreApplication>
#include <QProcess>
#include <QTest>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "datafiles/lo_text.h"
#include "window_fixture.h"
#include "windows/object_clipboard.h"
#include "x11_probe.h"

namespace {

// Waits are qWaitFor checked by GoogleTest: Qt's QTRY macros return without
// failing a GoogleTest case.

// Set in the copy of this test that holds the clipboard.
constexpr char kHolder[] = "LO_TEST_SILENT_CLIPBOARD_HOLDER";

// Takes the clipboard, says so on stdout and answers no request until killed.
void HoldClipboardSilently() {
  xcb_connection_t* c = xcb_connect(nullptr, nullptr);
  const xcb_window_t window = xcb_generate_id(c);
  xcb_create_window(c, XCB_COPY_FROM_PARENT, window,
                    xcb_setup_roots_iterator(xcb_get_setup(c)).data->root, 0, 0, 1, 1, 0,
                    XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
  xcb_intern_atom_reply_t* atom =
      xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, 9, "CLIPBOARD"), nullptr);
  xcb_set_selection_owner(c, window, atom->atom, XCB_CURRENT_TIME);
  std::free(xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, atom->atom), nullptr));
  std::fputs("held\n", stdout);
  std::fflush(stdout);
  std::this_thread::sleep_for(std::chrono::seconds(60));
  std::_Exit(0);
}

xcb_atom_t InternAtom(xcb_connection_t* c, const std::string& name) {
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
      c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(name.size()), name.data()), nullptr);
  const xcb_atom_t atom = reply->atom;
  std::free(reply);
  return atom;
}

// Another program that holds record lines as text: it answers a question
// for UTF8_STRING and refuses every other one (our own records type
// included), as a text editor would, until killed.
void HoldLinesRefusingOurType() {
  xcb_connection_t* c = xcb_connect(nullptr, nullptr);
  const xcb_window_t window = xcb_generate_id(c);
  xcb_create_window(c, XCB_COPY_FROM_PARENT, window,
                    xcb_setup_roots_iterator(xcb_get_setup(c)).data->root, 0, 0, 1, 1, 0,
                    XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
  const xcb_atom_t clipboard = InternAtom(c, "CLIPBOARD");
  const xcb_atom_t utf8 = InternAtom(c, "UTF8_STRING");
  const std::string lines = ExactRecordLines(std::vector{PackRecord(NumberedRecords(3)[2])});
  xcb_set_selection_owner(c, window, clipboard, XCB_CURRENT_TIME);
  std::free(xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, clipboard), nullptr));
  std::fputs("held\n", stdout);
  std::fflush(stdout);
  while (xcb_generic_event_t* event = xcb_wait_for_event(c)) {
    if ((event->response_type & 0x7F) == XCB_SELECTION_REQUEST) {
      const auto* request = reinterpret_cast<xcb_selection_request_event_t*>(event);
      xcb_selection_notify_event_t answer{};
      answer.response_type = XCB_SELECTION_NOTIFY;
      answer.time = request->time;
      answer.requestor = request->requestor;
      answer.selection = request->selection;
      answer.target = request->target;
      answer.property = XCB_ATOM_NONE;  // refused
      if (request->target == utf8) {
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, request->requestor, request->property, utf8,
                            8, static_cast<std::uint32_t>(lines.size()), lines.data());
        answer.property = request->property;
      }
      xcb_send_event(c, 0, request->requestor, XCB_EVENT_MASK_NO_EVENT,
                     reinterpret_cast<const char*>(&answer));
      xcb_flush(c);
    }
    std::free(event);
  }
  std::_Exit(0);
}

// Another run of the program: puts a record on the clipboard and answers
// for it until killed.
void HoldRecord() {
  PutObjectsOnClipboard({PackRecord(NumberedRecords(2)[1])});
  std::fputs("held\n", stdout);
  std::fflush(stdout);
  QTest::qWait(60000);
  std::_Exit(0);
}

class ForeignClipboardTest : public EditorWindowTest {
 protected:
  void SetUp() override {
    if (qEnvironmentVariable(kHolder) == QLatin1String("silent")) HoldClipboardSilently();
    if (qEnvironmentVariable(kHolder) == QLatin1String("record")) HoldRecord();
    if (qEnvironmentVariable(kHolder) == QLatin1String("lines")) HoldLinesRefusingOurType();
    if (!UnderWindowManager()) GTEST_SKIP() << "needs an X display with a window manager";
    EditorWindowTest::SetUp();
  }
  void TearDown() override {
    holder_.kill();
    holder_.waitForFinished();
    EditorWindowTest::TearDown();
  }
  // Another process takes the clipboard as `mode` says.
  void StartHolder(const QString& mode) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kHolder), mode);
    holder_.setProcessEnvironment(environment);
    holder_.start(QCoreApplication::applicationFilePath(),
                  {QStringLiteral("--gtest_filter=ForeignClipboardTest.*")});
    ASSERT_TRUE(QTest::qWaitFor([&] { return holder_.readAllStandardOutput().contains("held"); }))
        << "the holder never took the clipboard";
  }
  QProcess holder_;
};

TEST_F(ForeignClipboardTest, ObjectsAnotherRunHoldsArePasted) {
  Open();
  StartHolder(QStringLiteral("record"));
  QAction* paste = form6_->Action(TCommand::PasteObjects);
  ASSERT_TRUE(QTest::qWaitFor([&] { return paste->isEnabled(); }));
  paste->trigger();
  EXPECT_TRUE(QTest::qWaitFor([&] { return ReadBytes(files_.lo_file).size() == 100u + 20u * 7; }))
      << errors_.join(u'\n').toStdString();
  EXPECT_EQ(Slice(ReadBytes(files_.lo_file), 100 + 20 * 6, 20), RecordBytes(NumberedRecords(2)[1]));
  EXPECT_TRUE(errors_.isEmpty()) << errors_.join(u'\n').toStdString();
}

TEST_F(ForeignClipboardTest, RecordLinesFromAnOwnerThatRefusesOurTypeArePasted) {
  Open();
  StartHolder(QStringLiteral("lines"));
  QAction* paste = form6_->Action(TCommand::PasteObjects);
  ASSERT_TRUE(QTest::qWaitFor([&] { return paste->isEnabled(); }));
  paste->trigger();
  EXPECT_TRUE(QTest::qWaitFor([&] { return ReadBytes(files_.lo_file).size() == 100u + 20u * 7; }))
      << errors_.join(u'\n').toStdString();
  EXPECT_EQ(Slice(ReadBytes(files_.lo_file), 100 + 20 * 6, 20), RecordBytes(NumberedRecords(3)[2]));
  EXPECT_TRUE(errors_.isEmpty()) << errors_.join(u'\n').toStdString();
}

TEST_F(ForeignClipboardTest, AClipboardThatNeverAnswersLeavesTheWindowAnswering) {
  Open();
  QAction* paste = form6_->Action(TCommand::PasteObjects);
  StartHolder(QStringLiteral("silent"));
  int ticks = 0;
  QTimer tick;
  QObject::connect(&tick, &QTimer::timeout, [&] { ++ticks; });
  tick.start(20);

  // The change is taken without asking the holder.
  ASSERT_TRUE(QTest::qWaitFor([&] { return paste->isEnabled(); }));
  paste->trigger();
  EXPECT_TRUE(errors_.isEmpty()) << "the answer is awaited off the window's thread";
  const int before = ticks;
  ASSERT_TRUE(QTest::qWaitFor([&] { return !errors_.isEmpty(); }, 10000));
  EXPECT_GT(ticks, before + 10) << "the window stopped answering while it waited";
  EXPECT_EQ(errors_.value(0).toStdString(), kClipboardSilent);
}

}  // namespace
