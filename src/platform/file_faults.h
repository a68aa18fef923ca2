#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

// Every file operation of the program passes through this seam, so tests can
// make the nth one fail the way the system would and then check that nothing
// outside the operation's own bytes changed.

// What one counted operation does.
enum class FileOperation {
  Open,        // open or create a file
  Read,        // one positioned read
  Write,       // one positioned write
  Flush,       // fsync of a file
  Truncate,    // empty a file in place
  Close,       // close a file
  Stat,        // what a path names (exists, same file as before)
  Rename,      // move a finished temporary over its file
  SyncFolder,  // make a rename durable
  MakeFolder,  // create a missing folder
  Lookup,      // list a folder to find a name ignoring case
  Lock,        // take an advisory lock
  Remove,      // remove a file
};

namespace file_faults {
// Forgets every plan and starts a fresh count and list.
void Reset();
// The nth operation from now fails with the runtime's `code` (2, 5, 101, ...).
void FailOperation(int nth, int code);
// The nth operation from now fails as if the system gave `error_number`.
void FailWithSystemError(int nth, int error_number);
// The nth operation from now, when it is a write, stores only `bytes` bytes.
void ShortWrite(int nth, std::size_t bytes);
// The process is killed (SIGKILL) when the nth operation from now starts.
void KillAt(int nth);
// Operations counted since the last Reset, and what each one was (the list
// is kept only once Reset has been called).
int OperationCount();
const std::vector<FileOperation>& Operations();
// Beside Operations(): the file each open named (empty for other operations).
const std::vector<std::filesystem::path>& OperationFiles();
// Calls `watcher` as each operation starts, before any planned failure (until
// the next Reset), so a test can see the files as they were before it.
void WatchOperations(std::function<void()> watcher);
}  // namespace file_faults

// For the platform's own files: counts one operation of `kind` on `file` (the
// path an open names; empty otherwise) and raises the failure planned for it
// (InOutError), or kills the process.
void CountFileOperation(FileOperation kind, const std::filesystem::path& file = {});
// After CountFileOperation(Write): how many bytes the planned short write stores.
std::optional<std::size_t> PlannedShortWrite();
