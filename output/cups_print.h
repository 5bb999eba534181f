#pragma once

#include <QImage>
#include <atomic>
#include <string>

namespace plexaro {

// Every print is a job of its own under this name.
inline constexpr const char* kPrintJobTitle = "Plexaro";

// Sends `image` to the default destination of the user's CUPS server (their
// lpoptions, else the server's default) as one PDF job named "Plexaro", on
// the printer's default paper, fitted inside margins of at least 10 mm and
// centred. The page is made in memory and streamed to the server: no file is
// written.
//
// Blocks: call it on a thread of its own. It never asks for a password (a
// server that wants one counts as one that refuses the job), and it gives up
// within a fraction of a second once `cancel` is set, whatever the server
// does meanwhile.
//
// True when the server took the job; a paused queue holds it, and counts.
// Otherwise `why` says what went wrong, for the log.
bool printOnDefaultDestination(const QImage& image, std::atomic<int>& cancel, std::string& why);

}  // namespace plexaro
