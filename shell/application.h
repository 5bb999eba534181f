#pragma once

namespace plexaro {

// Names the application for the desktop (title, desktop entry, icon). Called
// once, right after the QApplication is made.
void describeApplication();

}  // namespace plexaro
