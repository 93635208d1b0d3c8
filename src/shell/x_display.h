#pragma once
// The editor's own connection to the X server, held while SDL opens the window. Only
// x_display.cpp includes the X headers.

// Opens a connection to $DISPLAY when SDL is going to use X11, retrying for up to two
// seconds; returns it (an X Display*), or null when SDL will not use X11 or no connection
// could be made.
void* holdXDisplay();
void releaseXDisplay(void* connection);

// Calls onLoss when the connection to the X server is lost, then ends the process as Xlib
// would (its "XIO:  fatal IO error" line, status 1). onLoss must make no X call.
void onXConnectionLoss(void (*onLoss)());
