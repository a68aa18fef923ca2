// Times a program's windows from the X server's side: exec until its first
// top-level window is mapped and, optionally, a Return key press until the
// next top-level window is mapped, with the X server's CPU time over that
// step. Polling with xdotool is too coarse for this; MapNotify on the root
// window is exact.
//
//   x_map_timer [--return] [--settle MS] [--server-pid PID] -- PROGRAM [ARGS...]
//
// Prints one line of key=value pairs (milliseconds), then ends the program:
// startup_ms, startup_cpu_ms (the program's CPU time until its first map),
// and with --return return_ms and xserver_cpu_ms.
// Meant for an X server without a window manager, where top-level windows
// are children of the root.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsBetween(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "x_map_timer: %s\n", what);
  std::exit(2);
}

// CPU time of every thread of a process, in nanoseconds (first field of schedstat).
std::optional<long long> ProcessCpuNs(pid_t pid) {
  namespace fs = std::filesystem;
  std::error_code error;
  long long total = 0;
  bool any = false;
  for (const auto& task : fs::directory_iterator("/proc/" + std::to_string(pid) + "/task", error)) {
    std::ifstream in(task.path() / "schedstat");
    long long on_cpu = 0;
    if (in >> on_cpu) {
      total += on_cpu;
      any = true;
    }
  }
  if (!any) return std::nullopt;
  return total;
}

// The keycode the server's keyboard map gives the Return keysym.
xcb_keycode_t ReturnKeycode(xcb_connection_t* connection) {
  const xcb_setup_t* setup = xcb_get_setup(connection);
  const int first = setup->min_keycode;
  const int count = setup->max_keycode - setup->min_keycode + 1;
  xcb_get_keyboard_mapping_reply_t* reply = xcb_get_keyboard_mapping_reply(
      connection, xcb_get_keyboard_mapping(connection, setup->min_keycode, count), nullptr);
  if (reply == nullptr) Fail("no keyboard mapping");
  const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(reply);
  const int per_code = reply->keysyms_per_keycode;
  constexpr xcb_keysym_t kReturn = 0xff0d;
  xcb_keycode_t found = 0;
  for (int code = 0; code < count && found == 0; ++code) {
    for (int i = 0; i < per_code; ++i) {
      if (syms[code * per_code + i] == kReturn) {
        found = static_cast<xcb_keycode_t>(first + code);
        break;
      }
    }
  }
  std::free(reply);
  if (found == 0) Fail("no keycode for Return");
  return found;
}

class MapWatcher {
 public:
  MapWatcher() {
    // A busy server now and then drops a new connection: try again.
    for (int attempt = 0;; ++attempt) {
      connection_ = xcb_connect(nullptr, nullptr);
      const int error = xcb_connection_has_error(connection_);
      if (error == 0) break;
      xcb_disconnect(connection_);
      if (attempt == 20) {
        std::fprintf(stderr, "x_map_timer: cannot open the display (error %d)\n", error);
        std::exit(2);
      }
      ::usleep(50000);
    }
    root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection_);
  }
  ~MapWatcher() { xcb_disconnect(connection_); }

  xcb_connection_t* connection() const { return connection_; }

  // Waits for a managed (not override-redirect) top-level window other than
  // `except` to be mapped; its id, or 0 after `timeout`.
  xcb_window_t WaitForMap(xcb_window_t except, std::chrono::milliseconds timeout) {
    const Clock::time_point deadline = Clock::now() + timeout;
    while (true) {
      while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
        xcb_window_t mapped = 0;
        if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
          const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
          if (!map->override_redirect && map->window != except) mapped = map->window;
        }
        std::free(event);
        if (mapped != 0) return mapped;
      }
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
      if (left.count() <= 0) return 0;
      pollfd fd{xcb_get_file_descriptor(connection_), POLLIN, 0};
      ::poll(&fd, 1, static_cast<int>(left.count()));
      if (xcb_connection_has_error(connection_)) Fail("lost the display");
    }
  }

  // Drops what arrives during `period`.
  void Drain(std::chrono::milliseconds period) {
    const xcb_window_t none = WaitForMap(0, period);
    (void)none;
  }

  void FocusAndPressReturn(xcb_window_t window, std::chrono::milliseconds settle,
                           std::optional<pid_t> server, std::optional<long long>& server_cpu_ns,
                           double& return_ms) {
    const xcb_keycode_t key = ReturnKeycode(connection_);
    xcb_set_input_focus(connection_, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
    xcb_flush(connection_);
    Drain(settle);
    const std::optional<long long> cpu_before = server ? ProcessCpuNs(*server) : std::nullopt;
    const Clock::time_point pressed = Clock::now();
    xcb_test_fake_input(connection_, XCB_KEY_PRESS, key, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    xcb_test_fake_input(connection_, XCB_KEY_RELEASE, key, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    xcb_flush(connection_);
    if (WaitForMap(window, std::chrono::seconds(30)) == 0) Fail("no second window was mapped");
    return_ms = MillisecondsBetween(pressed, Clock::now());
    const std::optional<long long> cpu_after = server ? ProcessCpuNs(*server) : std::nullopt;
    if (cpu_before && cpu_after) server_cpu_ns = *cpu_after - *cpu_before;
  }

 private:
  xcb_connection_t* connection_ = nullptr;
  xcb_window_t root_ = 0;
};

void EndProgram(pid_t child) {
  ::kill(child, SIGTERM);
  for (int i = 0; i < 200; ++i) {
    if (::waitpid(child, nullptr, WNOHANG) == child) return;
    ::usleep(10000);
  }
  ::kill(child, SIGKILL);
  ::waitpid(child, nullptr, 0);
}

}  // namespace

int main(int argc, char** argv) {
  bool press_return = false;
  std::chrono::milliseconds settle{400};
  std::optional<pid_t> server;
  int i = 1;
  for (; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--return") {
      press_return = true;
    } else if (arg == "--settle" && i + 1 < argc) {
      settle = std::chrono::milliseconds(std::atoi(argv[++i]));
    } else if (arg == "--server-pid" && i + 1 < argc) {
      server = static_cast<pid_t>(std::atoi(argv[++i]));
    } else if (arg == "--") {
      ++i;
      break;
    } else {
      Fail("usage: x_map_timer [--return] [--settle MS] [--server-pid PID] -- PROGRAM [ARGS...]");
    }
  }
  if (i >= argc) Fail("no program given");

  MapWatcher watcher;
  const Clock::time_point started = Clock::now();
  const pid_t child = ::fork();
  if (child < 0) Fail("fork failed");
  if (child == 0) {
    ::execvp(argv[i], argv + i);
    std::_Exit(127);
  }
  const xcb_window_t first = watcher.WaitForMap(0, std::chrono::seconds(30));
  if (first == 0) {
    EndProgram(child);
    Fail("no window was mapped");
  }
  const double startup_ms = MillisecondsBetween(started, Clock::now());
  // The program's own CPU time until then: steadier than the wall clock on a busy machine.
  const std::optional<long long> startup_cpu_ns = ProcessCpuNs(child);
  std::printf("startup_ms=%.2f", startup_ms);
  if (startup_cpu_ns) std::printf(" startup_cpu_ms=%.2f", *startup_cpu_ns / 1e6);

  if (press_return) {
    std::optional<long long> server_cpu_ns;
    double return_ms = 0;
    watcher.FocusAndPressReturn(first, settle, server, server_cpu_ns, return_ms);
    std::printf(" return_ms=%.2f", return_ms);
    if (server_cpu_ns) std::printf(" xserver_cpu_ms=%.2f", *server_cpu_ns / 1e6);
  }
  std::printf("\n");
  std::fflush(stdout);
  EndProgram(child);
  return 0;
}
