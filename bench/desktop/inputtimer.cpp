/* inputtimer: sends one input event at a time to an X display and measures how
 * long a program's main thread takes to be idle in its event loop again.
 *
 * Usage: inputtimer PID, then one command a line on standard input:
 *   key COMBO      presses and releases COMBO (xdotool's notation: ctrl+v, End, x)
 *   move X Y       moves the pointer (not timed)
 *   click          presses and releases the first button where the pointer is
 *   press, release the first button alone, where the pointer is
 *   drag X Y       moves the pointer, timed (with the button pressed, a drag)
 *   idle           sends no input: waits for the program to be idle
 * After each command one line on standard output: the milliseconds from the
 * input event to the main thread being idle again.
 *
 * The main thread's state is sampled every millisecond. It is busy when it
 * used more than half of the millisecond, or when the kernel had it running or
 * waiting for a processor at two samples in a row: a blink of a text cursor or
 * an answer to the window manager is not work the user waits for. Once the
 * thread has been idle for QUIET_MS, the last busy sample ends the step.
 */
#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <X11/extensions/XTest.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

enum { QUIET_MS = 300, TIMEOUT_MS = 180000 };

static Display *display;
static char stat_path[64], schedstat_path[64];

static long long now_us(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (long long)t.tv_sec * 1000000 + t.tv_nsec / 1000;
}

/* The main thread's processor time in nanoseconds, and whether it runs or waits
 * for a processor; false when the program has ended. */
static bool sample(unsigned long long *runtime, bool *running)
{
    char text[512];
    FILE *f = fopen(schedstat_path, "r");
    if (!f)
        return false;
    const bool read_time = fscanf(f, "%llu", runtime) == 1;
    fclose(f);
    f = fopen(stat_path, "r");
    if (!f)
        return false;
    const size_t n = fread(text, 1, sizeof text - 1, f);
    fclose(f);
    text[n] = 0;
    const char *state = strrchr(text, ')');
    *running = state && state[1] && state[2] == 'R';
    return read_time && state;
}

/* Milliseconds from start until the main thread is idle, or -1 when it never is. */
static double wait_idle(long long start)
{
    unsigned long long before = 0, runtime = 0;
    bool running = false, was_running = false;
    if (!sample(&before, &was_running))
        return -1;
    long long busy_until = start;
    for (;;) {
        struct timespec pause = {0, 1000000};
        nanosleep(&pause, NULL);
        const long long now = now_us();
        if (!sample(&runtime, &running))
            return -1;
        if ((running && was_running) || runtime - before > 500000)
            busy_until = now;
        before = runtime;
        was_running = running;
        if (now - busy_until >= (long long)QUIET_MS * 1000)
            return (double)(busy_until - start) / 1000.0;
        if (now - start > (long long)TIMEOUT_MS * 1000)
            return -1;
    }
}

static int send_key(char *combo)
{
    KeyCode codes[8];
    int count = 0;
    for (char *name = strtok(combo, "+"); name && count < 8; name = strtok(NULL, "+")) {
        KeySym sym = XStringToKeysym(name);
        if (!strcmp(name, "ctrl"))
            sym = XK_Control_L;
        else if (!strcmp(name, "shift"))
            sym = XK_Shift_L;
        else if (!strcmp(name, "alt"))
            sym = XK_Alt_L;
        if (sym == NoSymbol || !(codes[count] = XKeysymToKeycode(display, sym))) {
            fprintf(stderr, "inputtimer: unknown key %s\n", name);
            return 0;
        }
        ++count;
    }
    for (int i = 0; i < count; ++i)
        XTestFakeKeyEvent(display, codes[i], True, CurrentTime);
    for (int i = count - 1; i >= 0; --i)
        XTestFakeKeyEvent(display, codes[i], False, CurrentTime);
    return 1;
}

int main(int argc, char **argv)
{
    if (argc != 2 || !(display = XOpenDisplay(NULL))) {
        fprintf(stderr, "usage: inputtimer PID (with DISPLAY set)\n");
        return 2;
    }
    const long pid = strtol(argv[1], NULL, 10);
    snprintf(stat_path, sizeof stat_path, "/proc/%ld/task/%ld/stat", pid, pid);
    snprintf(schedstat_path, sizeof schedstat_path, "/proc/%ld/task/%ld/schedstat", pid, pid);
    char line[256];
    while (fgets(line, sizeof line, stdin)) {
        line[strcspn(line, "\n")] = 0;
        char *command = strtok(line, " "), *argument = strtok(NULL, "");
        if (!command)
            continue;
        int x = 0, y = 0;
        const bool moves = !strcmp(command, "move") || !strcmp(command, "drag");
        if (moves && (!argument || sscanf(argument, "%d %d", &x, &y) != 2))
            return 2;
        if (!strcmp(command, "move")) {
            XTestFakeMotionEvent(display, -1, x, y, CurrentTime);
            XSync(display, False);
            printf("0\n");
            fflush(stdout);
            continue;
        }
        const long long start = now_us();
        if (!strcmp(command, "key") && argument) {
            if (!send_key(argument))
                return 2;
        } else if (!strcmp(command, "click")) {
            XTestFakeButtonEvent(display, 1, True, CurrentTime);
            XTestFakeButtonEvent(display, 1, False, CurrentTime);
        } else if (!strcmp(command, "press") || !strcmp(command, "release")) {
            XTestFakeButtonEvent(display, 1, !strcmp(command, "press"), CurrentTime);
        } else if (moves) {
            XTestFakeMotionEvent(display, -1, x, y, CurrentTime);
        } else if (strcmp(command, "idle")) {
            fprintf(stderr, "inputtimer: unknown command %s\n", command);
            return 2;
        }
        XFlush(display);
        printf("%.1f\n", wait_idle(start));
        fflush(stdout);
    }
    XCloseDisplay(display);
    return 0;
}
