/* mapwait: time from exec to the MapNotify of a titled top-level window,
 * optionally to its first real paint, then RSS/HWM/PSS after a settle.
 *
 *   built by the bench build (bench/CMakeLists.txt)
 *   mapwait [-T map_timeout_ms] [-P paint_timeout_ms] [-S settle_ms] TITLE CMD [ARG...]
 *
 * -P 0 (default 10000) disables the paint wait.  Prints one line:
 *   map_us=N paint_us=N rss_kb=N hwm_kb=N pss_kb=N dirty_kb=N
 * paint_us is -1 when not measured.  Exit status: 0 ok, 1 usage/X error,
 * 2 map timeout, 3 paint timeout, 4 child exited before its window mapped.
 *
 * Times are CLOCK_MONOTONIC: t0 is taken by the child immediately before
 * execvp (passed back through a shared page); map time is when this
 * process reads the MapNotify; paint time is when the first XGetImage
 * that shows a non-uniform window was issued (polled every 1 ms).
 * "Top-level" = child of the root that is not override-redirect (the
 * harness runs without a window manager).  The title may be set before or
 * after mapping: WM_NAME and _NET_WM_NAME are re-read on PropertyNotify.
 */
#define _GNU_SOURCE
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include "x11_title.h"

static double now_us(void) {
  struct timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return ts.tv_sec * 1e6 + ts.tv_nsec / 1e3;
}
static void sleep_us(double us) {
  if (us <= 0) return;
  struct timespec ts = {(time_t)(us / 1e6), (long)((us - (time_t)(us / 1e6) * 1e6) * 1e3)};
  while (nanosleep(&ts, &ts) == -1 && errno == EINTR) {
  }
}
/* Windows vanish while we look at them: ignore BadWindow/BadMatch etc. */
static int ignore_xerr(Display* d, XErrorEvent* e) {
  (void)d;
  (void)e;
  return 0;
}

#define MAXW 512
struct win {
  Window w;
  int mapped, titled;
  double map_t;
};
static struct win wins[MAXW];
static int nwins;
static Atom a_net_wm_name, a_utf8;
static const char* want;

static struct win* find(Window w, int add, Display* d) {
  for (int i = 0; i < nwins; i++)
    if (wins[i].w == w) return &wins[i];
  if (!add || nwins == MAXW) return NULL;
  struct win* p = &wins[nwins++];
  memset(p, 0, sizeof *p);
  p->w = w;
  /* Select first, then read: any later change produces an event. */
  XSelectInput(d, w, PropertyChangeMask | StructureNotifyMask);
  return p;
}

static int title_matches(Display* d, Window w) { return x11_has_title(d, w, want); }

static int non_uniform(XImage* im) {
  unsigned long first = XGetPixel(im, 0, 0);
  if (im->bits_per_pixel == 32) { /* fast path, the usual case */
    for (int y = 0; y < im->height; y++) {
      const unsigned int* row = (const unsigned int*)(im->data + (size_t)y * im->bytes_per_line);
      for (int x = 0; x < im->width; x++)
        if ((row[x] & 0xffffff) != (first & 0xffffff)) return 1;
    }
    return 0;
  }
  for (int y = 0; y < im->height; y++)
    for (int x = 0; x < im->width; x++)
      if (XGetPixel(im, x, y) != first) return 1;
  return 0;
}

static long status_kb(pid_t pid, const char* file, const char* key) {
  char path[64], line[256];
  snprintf(path, sizeof path, "/proc/%d/%s", (int)pid, file);
  FILE* f = fopen(path, "r");
  if (!f) return -1;
  long v = -1;
  size_t kl = strlen(key);
  while (fgets(line, sizeof line, f))
    if (strncmp(line, key, kl) == 0 && line[kl] == ':') {
      v = strtol(line + kl + 1, NULL, 10);
      break;
    }
  fclose(f);
  return v;
}

static void stop_child(pid_t pid) {
  int st;
  if (waitpid(pid, &st, WNOHANG) == pid) return;
  kill(pid, SIGTERM);
  for (int i = 0; i < 200; i++) { /* up to 2 s, then SIGKILL */
    if (waitpid(pid, &st, WNOHANG) == pid) return;
    sleep_us(10000);
  }
  kill(pid, SIGKILL);
  waitpid(pid, &st, 0);
}

static void usage(void) {
  fprintf(stderr,
          "usage: mapwait [-T map_timeout_ms] [-P paint_timeout_ms|0] [-S settle_ms] TITLE CMD [ARG...]\n");
  exit(1);
}

int main(int argc, char** argv) {
  long map_to = 20000, paint_to = 10000, settle = 500;
  int opt;
  while ((opt = getopt(argc, argv, "+T:P:S:")) != -1) {
    switch (opt) {
      case 'T':
        map_to = atol(optarg);
        break;
      case 'P':
        paint_to = atol(optarg);
        break;
      case 'S':
        settle = atol(optarg);
        break;
      default:
        usage();
    }
  }
  if (argc - optind < 2) usage();
  want = argv[optind];
  char** cmd = argv + optind + 1;

  Display* d = XOpenDisplay(NULL);
  if (!d) {
    fprintf(stderr, "mapwait: cannot open display\n");
    return 1;
  }
  XSetErrorHandler(ignore_xerr);
  fcntl(ConnectionNumber(d), F_SETFD, FD_CLOEXEC);
  Window root = DefaultRootWindow(d);
  a_net_wm_name = XInternAtom(d, "_NET_WM_NAME", False);
  a_utf8 = XInternAtom(d, "UTF8_STRING", False);
  XSelectInput(d, root, SubstructureNotifyMask);
  XSync(d, False);

  volatile double* shared = mmap(NULL, 4096, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
  if (shared == MAP_FAILED) {
    perror("mmap");
    return 1;
  }
  shared[0] = 0;
  double t_fork = now_us();
  pid_t pid = fork();
  if (pid < 0) {
    perror("fork");
    return 1;
  }
  if (pid == 0) {
    shared[0] = now_us();
    execvp(cmd[0], cmd);
    perror("mapwait: exec");
    _exit(127);
  }

  int rc = 0;
  double deadline = t_fork + map_to * 1e3, map_t = -1;
  Window target = 0;
  while (!target) {
    while (!target && XPending(d)) {
      XEvent ev;
      XNextEvent(d, &ev);
      double t = now_us();
      struct win* p;
      switch (ev.type) {
        case CreateNotify:
          if (ev.xcreatewindow.parent != root || ev.xcreatewindow.override_redirect) break;
          if ((p = find(ev.xcreatewindow.window, 1, d)) && title_matches(d, p->w)) p->titled = 1;
          break;
        case MapNotify:
          if (ev.xmap.event != root || ev.xmap.override_redirect) break;
          if (!(p = find(ev.xmap.window, 1, d))) break;
          p->mapped = 1;
          p->map_t = t;
          if (p->titled || title_matches(d, p->w)) {
            p->titled = 1;
            target = p->w;
            map_t = p->map_t;
          }
          break;
        case UnmapNotify:
          if ((p = find(ev.xunmap.window, 0, d))) p->mapped = 0;
          break;
        case PropertyNotify:
          if (ev.xproperty.atom != XA_WM_NAME && ev.xproperty.atom != a_net_wm_name) break;
          if (!(p = find(ev.xproperty.window, 0, d))) break;
          p->titled = title_matches(d, p->w);
          if (p->titled && p->mapped) {
            target = p->w;
            map_t = p->map_t;
          }
          break;
      }
    }
    if (target) break;
    int st;
    if (waitpid(pid, &st, WNOHANG) == pid) {
      fprintf(stderr, "mapwait: child exited (status %d) before '%s' mapped\n", st, want);
      return 4;
    }
    double left = deadline - now_us();
    if (left <= 0) {
      fprintf(stderr, "mapwait: timeout waiting for a window titled '%s'\n", want);
      stop_child(pid);
      return 2;
    }
    struct pollfd pfd = {ConnectionNumber(d), POLLIN, 0};
    poll(&pfd, 1, left > 50e3 ? 50 : (int)(left / 1e3) + 1);
  }
  double t0 = shared[0] > 0 ? shared[0] : t_fork;
  double map_us = map_t - t0, paint_us = -1;

  if (paint_to > 0) {
    XWindowAttributes wa;
    int sw = DisplayWidth(d, DefaultScreen(d)), sh = DisplayHeight(d, DefaultScreen(d));
    double pdl = now_us() + paint_to * 1e3, next = now_us();
    for (;;) {
      double t = now_us();
      if (XGetWindowAttributes(d, target, &wa) && wa.map_state == IsViewable) {
        /* clip to the screen: XGetImage of an off-screen part is BadMatch */
        int w = wa.width, h = wa.height;
        if (wa.x + w > sw) w = sw - wa.x;
        if (wa.y + h > sh) h = sh - wa.y;
        if (w > 0 && h > 0 && wa.x >= 0 && wa.y >= 0) {
          XImage* im = XGetImage(d, target, 0, 0, w, h, AllPlanes, ZPixmap);
          if (im) {
            int painted = non_uniform(im);
            XDestroyImage(im);
            if (painted) {
              paint_us = t - t0;
              break;
            }
          }
        }
      }
      while (XPending(d)) {
        XEvent ev;
        XNextEvent(d, &ev);
      }
      if (now_us() > pdl) {
        fprintf(stderr, "mapwait: no paint within %ld ms\n", paint_to);
        rc = 3;
        break;
      }
      next += 1000;
      sleep_us(next - now_us());
    }
  }

  sleep_us(settle * 1e3);
  long rss = status_kb(pid, "status", "VmRSS");
  long hwm = status_kb(pid, "status", "VmHWM");
  long pss = status_kb(pid, "smaps_rollup", "Pss");
  /* Private_Dirty: heap, stacks, written library data; unlike PSS (and
   * Private_Clean) it does not depend on which other processes happen to
   * map the same libraries on a shared machine. */
  long dirty = status_kb(pid, "smaps_rollup", "Private_Dirty");
  stop_child(pid);
  printf("map_us=%.0f paint_us=%.0f rss_kb=%ld hwm_kb=%ld pss_kb=%ld dirty_kb=%ld\n", map_us, paint_us, rss,
         hwm, pss, dirty);
  XCloseDisplay(d);
  return rc;
}
