#pragma once

#include <QImage>
#include <cstdint>
#include <mutex>
#include <string>

namespace plexaro {

// Every print is a job of its own under this name.
inline constexpr const char* kPrintJobTitle = "Plexaro";

// The outcome of a print: whether the server confirmed the whole page, and
// if not, why, for the log.
struct PrintResult {
  bool printed = false;
  std::string why;
};

// How a print's thread and the thread that watches it share it. The
// printing thread alone opens, uses and closes the connections to the
// server; it registers each one's socket here while the connection is open,
// under the lock. The watcher never touches a connection: end() marks the
// print as ended and, under the same lock, shuts the registered socket down,
// so a call blocked on it returns at once whatever the server does, and a
// socket already closed (its number perhaps reused) is never touched.
class PrintControl {
 public:
  // A print's work in the order it may be ended: its own exchange with the
  // server, then the cancelling of its job once it has been given up.
  enum Stage { kSending = 0, kWithdrawing = 1 };

  // Ends `stage` and every stage before it.
  void end(Stage stage);
  bool ended(Stage stage);
  // Ends the registered socket's stage if that connection has brought more
  // than `most` bytes from the server. True if this ended it.
  bool endIfReceivedOver(std::uint64_t most);

  // For the printing thread: registers the socket `fd` refers to, unless it
  // is registered already. False, with nothing registered, once `stage` has
  // ended.
  bool attach(int fd, Stage stage);
  void detach();
  // httpConnect2's cancel flag for `stage`: libcups reads it as a plain int.
  int* flag(Stage stage) { return &flags_[stage]; }

 private:
  void endLocked(Stage stage);

  std::mutex mutex_;
  int flags_[2] = {0, 0};  // written through std::atomic_ref only
  int fd_ = -1;
  Stage fdStage_ = kSending;
};

// Sends `image` to the default destination of the user's CUPS server (their
// lpoptions, else the server's default) as one PDF job named "Plexaro", on
// the paper the user chose for it (else the printer's default; a paper of
// the user's whose size is unknown is a failure, not A4) and with
// their other options for it that the printer supports, fitted inside
// margins of at least 10 mm and centred. The page is made in memory and
// streamed to the server: no file is written.
//
// Blocks: call it on a thread of its own. It never asks for a password (a
// server that wants one counts as one that refuses the job). Once `control`
// ends kSending it stops at once and cancels the job on the server, which it
// gives up on when kWithdrawing ends too. A job it does not report printed
// is not left in the queue; one that the server finished meanwhile counts
// as printed.
PrintResult printOnDefaultDestination(const QImage& image, PrintControl& control);

}  // namespace plexaro
