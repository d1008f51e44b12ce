/* Acts on a top-level X11 window found by its title, as a user or a window
 * manager would:
 *
 *   x11-window wait TITLE SECONDS   waits until the window is mapped
 *   x11-window close TITLE          asks it to close (WM_DELETE_WINDOW, the close box)
 *
 * Exits 0 on success, 1 when the window is not there. */
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

#include "x11_title.h"

static int is_mapped(Display* display, Window window) {
  XWindowAttributes attributes;
  return XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable;
}

int main(int argc, char** argv) {
  if (argc < 3) {
    (void)fprintf(stderr, "usage: x11-window wait TITLE SECONDS | close TITLE\n");
    return 2;
  }
  Display* display = XOpenDisplay(NULL);
  if (!display) {
    (void)fprintf(stderr, "x11-window: no display\n");
    return 2;
  }
  const Window root = DefaultRootWindow(display);
  int status = 2;
  if (strcmp(argv[1], "wait") == 0) {
    const double seconds = argc > 3 ? strtod(argv[3], NULL) : 10.0;
    const struct timespec pause = {0, 20L * 1000 * 1000}; /* 50 looks a second */
    const long looks = (long)(seconds * 50);
    status = 1;
    for (long look = 0; look < looks && status != 0; ++look) {
      const Window window = x11_find_titled(display, root, argv[2]);
      if (window && is_mapped(display, window)) {
        status = 0;
      } else {
        nanosleep(&pause, NULL);
      }
    }
  } else if (strcmp(argv[1], "close") == 0) {
    const Window window = x11_find_titled(display, root, argv[2]);
    status = 1;
    if (window) {
      XEvent event = {.xclient = {.type = ClientMessage,
                                  .window = window,
                                  .message_type = XInternAtom(display, "WM_PROTOCOLS", False),
                                  .format = 32}};
      event.xclient.data.l[0] = (long)XInternAtom(display, "WM_DELETE_WINDOW", False);
      event.xclient.data.l[1] = CurrentTime;
      XSendEvent(display, window, False, NoEventMask, &event);
      XFlush(display);
      status = 0;
    }
  }
  XCloseDisplay(display);
  return status;
}
