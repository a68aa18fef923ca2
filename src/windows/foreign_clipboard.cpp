#include "windows/foreign_clipboard.h"

#include <poll.h>
#include <xcb/xcb.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QThread>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string_view>

#include "windows/object_clipboard.h"

namespace {

using Clock = std::chrono::steady_clock;

// How long the owner has to answer all our questions.
constexpr std::chrono::milliseconds kAnswerTime{1500};

xcb_atom_t Atom(xcb_connection_t* connection, std::string_view name) {
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
      connection,
      xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.data()),
      nullptr);
  xcb_atom_t atom = XCB_ATOM_NONE;
  if (reply != nullptr) atom = reply->atom;
  std::free(reply);
  return atom;
}

struct Connection {
  xcb_connection_t* handle = nullptr;
  ~Connection() { xcb_disconnect(handle); }
};

// One question to the owner: the clipboard in `target`. Empty when it has
// none in that form; nothing when it did not answer by `deadline`.
std::optional<QByteArray> Convert(xcb_connection_t* c, xcb_window_t window, xcb_atom_t clipboard,
                                  xcb_atom_t target, xcb_atom_t property,
                                  Clock::time_point deadline) {
  xcb_convert_selection(c, window, clipboard, target, property, XCB_CURRENT_TIME);
  xcb_flush(c);
  for (;;) {
    while (xcb_generic_event_t* event = xcb_poll_for_event(c)) {
      const bool notify = (event->response_type & 0x7F) == XCB_SELECTION_NOTIFY;
      const auto* answer = reinterpret_cast<xcb_selection_notify_event_t*>(event);
      const bool refused = notify && answer->property == XCB_ATOM_NONE;
      std::free(event);
      if (!notify) continue;
      if (refused) return QByteArray();
      xcb_get_property_reply_t* reply = xcb_get_property_reply(
          c, xcb_get_property(c, 1, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 1u << 22),
          nullptr);
      QByteArray bytes;
      if (reply != nullptr && reply->format == 8) {
        bytes = QByteArray(static_cast<const char*>(xcb_get_property_value(reply)),
                           xcb_get_property_value_length(reply));
      }
      std::free(reply);
      return bytes;
    }
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (xcb_connection_has_error(c) || left.count() <= 0) return std::nullopt;
    pollfd wait{xcb_get_file_descriptor(c), POLLIN, 0};
    ::poll(&wait, 1, static_cast<int>(left.count()));
  }
}

ForeignClipboard Read() {
  int screen_number = 0;
  Connection connection{xcb_connect(nullptr, &screen_number)};
  xcb_connection_t* c = connection.handle;
  if (xcb_connection_has_error(c)) return {};
  xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(c));
  for (int i = 0; i < screen_number && screens.rem > 0; ++i) xcb_screen_next(&screens);
  const xcb_window_t window = xcb_generate_id(c);
  xcb_create_window(c, XCB_COPY_FROM_PARENT, window, screens.data->root, 0, 0, 1, 1, 0,
                    XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
  const xcb_atom_t clipboard = Atom(c, "CLIPBOARD");
  const xcb_atom_t property = Atom(c, "RERERAROVI_CLIPBOARD");
  const Clock::time_point deadline = Clock::now() + kAnswerTime;
  ForeignClipboard read;
  std::optional<QByteArray> records =
      Convert(c, window, clipboard, Atom(c, kRecordsMimeType), property, deadline);
  if (!records) return read;
  std::optional<QByteArray> text =
      Convert(c, window, clipboard, Atom(c, "UTF8_STRING"), property, deadline);
  if (!text) return read;
  return {true, *records, *text};
}

}  // namespace

bool ClipboardHeldElsewhere() {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  // Other platforms keep the clipboard in the process, or answer for it.
  if (QGuiApplication::platformName() != QLatin1String("xcb") || x11 == nullptr ||
      x11->connection() == nullptr || QGuiApplication::clipboard()->ownsClipboard()) {
    return false;
  }
  xcb_connection_t* c = x11->connection();
  // The server answers this itself; no other program is asked.
  xcb_get_selection_owner_reply_t* reply =
      xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, Atom(c, "CLIPBOARD")), nullptr);
  const bool held = reply != nullptr && reply->owner != XCB_WINDOW_NONE;
  std::free(reply);
  return held;
}

void ReadForeignClipboard(QObject* receiver, std::function<void(const ForeignClipboard&)> done) {
  auto read = std::make_shared<ForeignClipboard>();
  QThread* thread = QThread::create([read] { *read = Read(); });
  QObject::connect(thread, &QThread::finished, receiver,
                   [read, done = std::move(done)] { done(*read); });
  QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
  thread->start();
}
