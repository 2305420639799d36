/* start-watch: starts a program on the X display and stops it at the moment
 * its first top-level window is mapped. Prints, on one line, the time from
 * exec to that MapNotify in milliseconds, the processor time its threads had
 * used by then in milliseconds (steadier than the first on a busy machine),
 * its peak resident size then in KiB, and the number of shared libraries it
 * had loaded.
 *
 *   start-watch PROGRAM [ARGUMENT]...
 *
 * The watch on the root window is set up before the program exists, so no
 * map can be missed; the program is frozen with SIGSTOP as soon as the event
 * arrives, so the figures are those of the moment the window appeared. */

#define _GNU_SOURCE
#include <dirent.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <xcb/xcb.h>

static double Milliseconds(const struct timespec* from, const struct timespec* to) {
  return (double)(to->tv_sec - from->tv_sec) * 1e3 + (double)(to->tv_nsec - from->tv_nsec) / 1e6;
}

/* VmHWM: the highest resident set size the process has had. */
static long PeakResidentKib(pid_t pid) {
  char path[64];
  snprintf(path, sizeof path, "/proc/%d/status", (int)pid);
  FILE* status = fopen(path, "r");
  if (!status) return -1;
  char line[256];
  long kib = -1;
  while (fgets(line, sizeof line, status)) {
    if (sscanf(line, "VmHWM: %ld kB", &kib) == 1) break;
  }
  fclose(status);
  return kib;
}

/* The first figure of each thread's schedstat: nanoseconds on a processor. */
static double ProcessorMilliseconds(pid_t pid) {
  char path[64];
  snprintf(path, sizeof path, "/proc/%d/task", (int)pid);
  DIR* tasks = opendir(path);
  if (!tasks) return -1;
  double total = 0;
  struct dirent* task;
  while ((task = readdir(tasks)) != NULL) {
    if (task->d_name[0] == '.') continue;
    char statPath[512];
    snprintf(statPath, sizeof statPath, "%s/%s/schedstat", path, task->d_name);
    FILE* stat = fopen(statPath, "r");
    unsigned long long nanoseconds = 0;
    if (stat && fscanf(stat, "%llu", &nanoseconds) == 1) total += (double)nanoseconds / 1e6;
    if (stat) fclose(stat);
  }
  closedir(tasks);
  return total;
}

/* Distinct mapped files whose names hold ".so". */
static int LoadedLibraries(pid_t pid) {
  char path[64];
  snprintf(path, sizeof path, "/proc/%d/maps", (int)pid);
  FILE* maps = fopen(path, "r");
  if (!maps) return -1;
  char line[4096], last[4096] = "";
  int count = 0;
  while (fgets(line, sizeof line, maps)) {
    const char* name = strchr(line, '/');
    if (!name || !strstr(name, ".so") || strcmp(name, last) == 0) continue;
    snprintf(last, sizeof last, "%s", name);
    ++count; /* a library's mappings are adjacent */
  }
  fclose(maps);
  return count;
}

/* True when the first top-level window has been mapped; false when the
 * program ended, or took more than half a minute, without one. */
static int AwaitFirstMap(xcb_connection_t* x, xcb_window_t root, pid_t child) {
  struct pollfd display = {xcb_get_file_descriptor(x), POLLIN, 0};
  for (int waited = 0; waited < 30000; waited += 10) {
    xcb_generic_event_t* event;
    while ((event = xcb_poll_for_event(x)) != NULL) {
      int found = 0;
      if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
        const xcb_map_notify_event_t* map = (const xcb_map_notify_event_t*)event;
        found = map->event == root && !map->override_redirect;
      }
      free(event);
      if (found) return 1;
    }
    if (xcb_connection_has_error(x) || waitpid(child, NULL, WNOHANG) != 0) return 0;
    poll(&display, 1, 10);
  }
  return 0;
}

int main(int argc, char** argv) {
  if (argc < 2) {
    fprintf(stderr, "usage: start-watch PROGRAM [ARGUMENT]...\n");
    return 2;
  }
  xcb_connection_t* x = xcb_connect(NULL, NULL);
  if (xcb_connection_has_error(x)) {
    fprintf(stderr, "start-watch: cannot open the display\n");
    return 1;
  }
  xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
  const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_request_check(x, xcb_change_window_attributes_checked(x, root, XCB_CW_EVENT_MASK, &mask));

  struct timespec started, mapped;
  clock_gettime(CLOCK_MONOTONIC, &started);
  const pid_t child = fork();
  if (child == 0) {
    execvp(argv[1], argv + 1);
    _exit(127);
  }
  if (child < 0) return 1;

  const int found = AwaitFirstMap(x, root, child);
  clock_gettime(CLOCK_MONOTONIC, &mapped);
  kill(child, SIGSTOP);
  const double processor = ProcessorMilliseconds(child);
  const long peak = PeakResidentKib(child);
  const int libraries = LoadedLibraries(child);
  kill(child, SIGKILL);
  waitpid(child, NULL, 0);
  xcb_disconnect(x);
  if (!found) {
    fprintf(stderr, "start-watch: %s mapped no window\n", argv[1]);
    return 1;
  }
  printf("%.2f %.2f %ld %d\n", Milliseconds(&started, &mapped), processor, peak, libraries);
  return 0;
}
