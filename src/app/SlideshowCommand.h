#pragma once

namespace skyloom {

// skyloom --slideshow: runs the slideshow with the user's settings and library, without any
// window or tray, until SIGTERM, SIGINT or SIGHUP ends it. Prints each new status line on
// stdout. Needs a QGuiApplication. Returns the exit status.
int RunSlideshow();

} // namespace skyloom
