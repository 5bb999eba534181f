#pragma once

namespace plexaro {

// Names the application for the desktop (title, desktop entry, icon). Called
// once, right after the QApplication is made.
void describeApplication();

// Makes SIGTERM, SIGINT and SIGHUP close the window the way its close button
// does, so that a session ending or a `kill` ends the program cleanly, with
// status 0. Called once, after the QApplication is made.
void closeOnTerminationSignals();

// On X11, makes a held key repeat as further presses alone. The X server
// otherwise sends a release before each repeat, and Qt takes the pair for a
// repeat only when it already holds the press behind the release; when that
// press comes late, a held key reads as pressed anew, and a held Space or
// Return presses its button again. Called once, after the QApplication is made.
void repeatHeldKeysAsPresses();

// Held while the QApplication is made. When no display can be reached (a
// stale DISPLAY from an old ssh or tmux session, a bogus WAYLAND_DISPLAY or
// QT_QPA_PLATFORM), Qt would print a page about platform plugins, advise
// reinstalling and abort with a core file; instead the user reads one plain
// paragraph and the program exits with status 1. When Qt's -platform or
// -display option was given, the paragraph names it. What the platform prints
// while starting is held back meanwhile and passed on once the display is
// there.
class DisplayCheck {
 public:
  DisplayCheck(int argc, char** argv);
  ~DisplayCheck();
  DisplayCheck(const DisplayCheck&) = delete;
  DisplayCheck& operator=(const DisplayCheck&) = delete;

  // The application is up: pass on what was held back.
  void passed();
};

}  // namespace plexaro
