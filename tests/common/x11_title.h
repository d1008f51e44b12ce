/* A top-level X11 window known by its title, as the tests and the measuring
 * tools find the program's window: the title as the program set it, in
 * _NET_WM_NAME (UTF-8) or in WM_NAME, matched whole. */
#ifndef ZELMAR_X11_TITLE_H
#define ZELMAR_X11_TITLE_H

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <string.h>

static inline int x11_property_is(Display* display, Window window, Atom property, const char* text) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = NULL;
  if (XGetWindowProperty(display, window, property, 0, 1024, False, AnyPropertyType, &type, &format, &count,
                         &after, &data) != Success ||
      data == NULL)
    return 0;
  const int equal = format == 8 && count == strlen(text) && memcmp(data, text, count) == 0;
  XFree(data);
  return equal;
}

static inline int x11_has_title(Display* display, Window window, const char* title) {
  return x11_property_is(display, window, XInternAtom(display, "_NET_WM_NAME", False), title) ||
         x11_property_is(display, window, XA_WM_NAME, title);
}

/* The first window below PARENT (or PARENT itself) with the title; 0 if none. */
static inline Window x11_find_titled(Display* display, Window parent, const char* title) {
  Window root_return = 0;
  Window parent_return = 0;
  Window* children = NULL;
  unsigned int count = 0;
  Window found = 0;
  if (x11_has_title(display, parent, title)) return parent;
  if (!XQueryTree(display, parent, &root_return, &parent_return, &children, &count)) return 0;
  for (unsigned int i = 0; i < count && !found; ++i) found = x11_find_titled(display, children[i], title);
  if (children) XFree(children);
  return found;
}

#endif
