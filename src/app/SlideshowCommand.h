#pragma once

namespace skyloom {

class CSingleInstance;

// skyloom --slideshow: runs the slideshow with the user's settings and library, without any
// window or tray, until SIGTERM, SIGINT or SIGHUP (or a remote --quit or "/x") ends it. Prints
// each new status line on stdout; answers the remote commands of later starts through the
// instance. Needs a QGuiApplication. Returns the exit status.
int RunSlideshow(CSingleInstance& instance);

} // namespace skyloom
