/* keylat: input-to-repaint latency of a running window, seen from outside.
 *
 *   built by the bench build (bench/CMakeLists.txt)
 *   keylat [-n N] [-k KEYSYM] [-f X,Y] [-c X,Y] TITLE
 *
 * Finds the top-level window titled TITLE, gives it the X input focus, and
 * N times injects a key press through XTEST (the same request that
 * `xdotool key` sends; alternately KEYSYM (default "a") and BackSpace, so the
 * text does not grow; -f X,Y first clicks that window-relative point to put
 * the keyboard focus there) and times from the XTEST request to the first DAMAGE notification on
 * the window, i.e. until the server has received the client's repaint.
 * With -c X,Y it also clicks N times at window-relative X,Y and times
 * press->damage (pressed look) and release->damage (clicked() handler and
 * released look).  Between events it waits 40-90 ms (random) with no input.
 * Prints one line per kind: kind n= med_us= min_us= p90_us= max_us= first_us= miss=
 * (miss = no damage within 1 s).  Caveat: a text cursor blinking in the
 * window also damages it; a blink that lands inside the measuring window
 * shortens that one sample (rare: latency / 500 ms), hence medians.
 */
#define _GNU_SOURCE
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <X11/keysym.h>
#include <errno.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

#include "x11_title.h"

static double now_us(void) {
  struct timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return ts.tv_sec * 1e6 + ts.tv_nsec / 1e3;
}
static int ignore_xerr(Display* d, XErrorEvent* e) {
  (void)d;
  (void)e;
  return 0;
}

static Display* d;
static int dmg_base;
static Damage damage;

static Window find_window(const char* title) {
  for (int tries = 0; tries < 500; tries++) { /* up to ~10 s */
    const Window found = x11_find_titled(d, DefaultRootWindow(d), title);
    XWindowAttributes wa;
    if (found && XGetWindowAttributes(d, found, &wa) && wa.map_state == IsViewable) return found;
    usleep(20000);
  }
  return 0;
}

/* Wait for a DamageNotify until deadline; returns its arrival time or -1. */
static double wait_damage(double deadline) {
  for (;;) {
    while (XPending(d)) {
      XEvent ev;
      XNextEvent(d, &ev);
      if (ev.type == dmg_base + XDamageNotify) {
        double t = now_us();
        XDamageSubtract(d, damage, None, None);
        return t;
      }
    }
    double left = deadline - now_us();
    if (left <= 0) return -1;
    struct pollfd pfd = {ConnectionNumber(d), POLLIN, 0};
    poll(&pfd, 1, (int)(left / 1e3) + 1);
  }
}

/* Let the window go quiet: drain damage for a random 40-90 ms. */
static void idle(void) {
  double end = now_us() + 40e3 + rand() % 50000;
  while (wait_damage(end) >= 0) {
  }
  XDamageSubtract(d, damage, None, None);
  XSync(d, False);
  while (XPending(d)) {
    XEvent ev;
    XNextEvent(d, &ev);
  }
}

static int cmp(const void* a, const void* b) {
  double x = *(const double*)a, y = *(const double*)b;
  return (x > y) - (x < y);
}
static void report(const char* kind, double* v, int n, int miss) {
  if (n == 0) {
    printf("%s n=0 miss=%d\n", kind, miss);
    return;
  }
  double first = v[0]; /* the first event pays lazy set-up */
  qsort(v, n, sizeof *v, cmp);
  printf("%s n=%d med_us=%.0f min_us=%.0f p90_us=%.0f max_us=%.0f first_us=%.0f miss=%d\n", kind, n,
         n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2, v[0], v[(int)(0.9 * (n - 1))], v[n - 1], first,
         miss);
}

/* One input event -> time to first damage, or -1. */
static double timed(void (*send)(int), int arg) {
  idle();
  double t0 = now_us();
  send(arg);
  XFlush(d);
  double t1 = wait_damage(t0 + 1e6);
  return t1 < 0 ? -1 : t1 - t0;
}
static void send_key(int code) { XTestFakeKeyEvent(d, code, True, CurrentTime); }
static void send_key_up(int code) { XTestFakeKeyEvent(d, code, False, CurrentTime); }
static void send_btn(int down) { XTestFakeButtonEvent(d, 1, down, CurrentTime); }

int main(int argc, char** argv) {
  int n = 40, cx = -1, cy = -1, fx = -1, fy = -1, opt;
  const char* keysym = "a";
  const char* usage = "usage: keylat [-n N] [-k KEYSYM] [-f X,Y] [-c X,Y] TITLE\n";
  while ((opt = getopt(argc, argv, "n:c:k:f:")) != -1) {
    if (opt == 'n')
      n = atoi(optarg);
    else if (opt == 'k')
      keysym = optarg;
    else if ((opt != 'c' || sscanf(optarg, "%d,%d", &cx, &cy) != 2) &&
             (opt != 'f' || sscanf(optarg, "%d,%d", &fx, &fy) != 2)) {
      fputs(usage, stderr);
      return 1;
    }
  }
  if (optind >= argc || n < 1) {
    fputs(usage, stderr);
    return 1;
  }
  d = XOpenDisplay(NULL);
  if (!d) {
    fprintf(stderr, "keylat: cannot open display\n");
    return 1;
  }
  XSetErrorHandler(ignore_xerr);
  int ev, err, maj, min;
  if (!XTestQueryExtension(d, &ev, &err, &maj, &min) || !XDamageQueryExtension(d, &dmg_base, &err)) {
    fprintf(stderr, "keylat: server lacks XTEST or DAMAGE\n");
    return 1;
  }
  Window w = find_window(argv[optind]);
  if (!w) {
    fprintf(stderr, "keylat: no window titled '%s'\n", argv[optind]);
    return 2;
  }
  srand(12345);
  XWindowAttributes wa;
  XGetWindowAttributes(d, w, &wa);
  /* No window manager: put the pointer inside and the focus on the window. */
  XTestFakeMotionEvent(d, DefaultScreen(d), wa.x + wa.width / 2, wa.y + wa.height - 5, CurrentTime);
  XSetInputFocus(d, w, RevertToPointerRoot, CurrentTime);
  XSync(d, False);
  usleep(300000);
  if (fx >= 0) { /* focus a control by clicking it */
    XTestFakeMotionEvent(d, DefaultScreen(d), wa.x + fx, wa.y + fy, CurrentTime);
    XTestFakeButtonEvent(d, 1, True, CurrentTime);
    XTestFakeButtonEvent(d, 1, False, CurrentTime);
    XSync(d, False);
    usleep(300000);
  }
  damage = XDamageCreate(d, w, XDamageReportNonEmpty);

  KeySym ks = XStringToKeysym(keysym);
  if (ks == NoSymbol) {
    fprintf(stderr, "keylat: unknown keysym '%s'\n", keysym);
    return 1;
  }
  int codes[2] = {XKeysymToKeycode(d, ks), XKeysymToKeycode(d, XK_BackSpace)};
  double *kv = calloc(n, sizeof *kv), *pv = calloc(n, sizeof *pv), *rv = calloc(n, sizeof *rv);
  int kn = 0, km = 0, pn = 0, pm = 0, rn = 0, rm = 0;
  for (int i = 0; i < n; i++) {
    double t = timed(send_key, codes[i % 2]);
    if (t < 0)
      km++;
    else
      kv[kn++] = t;
    send_key_up(codes[i % 2]);
    XFlush(d);
  }
  report("key", kv, kn, km);
  if (cx >= 0) {
    XTestFakeMotionEvent(d, DefaultScreen(d), wa.x + cx, wa.y + cy, CurrentTime);
    XSync(d, False);
    for (int i = 0; i < n; i++) {
      double t = timed(send_btn, True);
      if (t < 0)
        pm++;
      else
        pv[pn++] = t;
      t = timed(send_btn, False);
      if (t < 0)
        rm++;
      else
        rv[rn++] = t;
    }
    report("press", pv, pn, pm);
    report("release", rv, rn, rm);
  }
  free(kv);
  free(pv);
  free(rv);
  XDamageDestroy(d, damage);
  XCloseDisplay(d);
  return km || pm || rm ? 3 : 0;
}
