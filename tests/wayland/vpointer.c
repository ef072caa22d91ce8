/* vpointer: a pointer for Wayland desktop tests, through wlroots' virtual
 * pointer protocol (a headless compositor has no pointer of its own).
 *
 *   vpointer [--layout X Y WIDTH HEIGHT] [COMMAND ...]
 *
 * Commands, run in order; with none, they are read from standard input, one
 * per line, and each is answered with "ok" or "error: ..." on standard output
 * once the compositor has handled it (the device lives as long as the process):
 *
 *   move X Y          to the point X,Y of the layout, in logical pixels
 *                     (fractions allowed: a half pixel is a device pixel at x2)
 *   press [BUTTON]    BUTTON: left (default), right, middle or a linux
 *   release [BUTTON]  input event code such as 272
 *   click [BUTTON]    press, then release
 *
 * --layout gives the bounding box of all outputs in layout coordinates (as
 * swaymsg -t get_outputs reports them): absolute motion is a fraction of it.
 * Without it the box is 0,0 and the sum of the outputs' logical widths by the
 * tallest, which is right for outputs side by side from 0,0.
 */
#include <errno.h>
#include <math.h>
#include <stdbool.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

#include <linux/input-event-codes.h>
#include <wayland-client.h>

#include "virtual-pointer-v1-client.h"

/* Positions are sent as fractions of the layout with this many steps per
 * logical pixel, so a point between logical pixels can be reached. */
enum { STEPS_PER_PIXEL = 120 };

struct output_size {
    struct wl_output *output;
    int32_t mode_width, mode_height, scale;
};

struct state {
    struct wl_seat *seat;
    struct zwlr_virtual_pointer_manager_v1 *manager;
    struct zwlr_virtual_pointer_v1 *pointer;
    struct output_size outputs[16];
    int output_count;
    double left, top, width, height;
};

static uint32_t now_ms(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (uint32_t)(ts.tv_sec * 1000 + ts.tv_nsec / 1000000);
}

static void output_geometry(void *data, struct wl_output *output, int32_t x, int32_t y, int32_t physical_width,
                            int32_t physical_height, int32_t subpixel, const char *make, const char *model,
                            int32_t transform)
{
    (void)data, (void)output, (void)x, (void)y, (void)physical_width, (void)physical_height;
    (void)subpixel, (void)make, (void)model, (void)transform;
}

static void output_mode(void *data, struct wl_output *output, uint32_t flags, int32_t width, int32_t height,
                        int32_t refresh)
{
    (void)output, (void)refresh;
    struct output_size *size = data;
    if (flags & WL_OUTPUT_MODE_CURRENT) {
        size->mode_width = width;
        size->mode_height = height;
    }
}

static void output_done(void *data, struct wl_output *output)
{
    (void)data, (void)output;
}

static void output_scale(void *data, struct wl_output *output, int32_t factor)
{
    (void)output;
    ((struct output_size *)data)->scale = factor;
}

static const struct wl_output_listener output_listener = {
    .geometry = output_geometry,
    .mode = output_mode,
    .done = output_done,
    .scale = output_scale,
};

static void global_added(void *data, struct wl_registry *registry, uint32_t name, const char *interface,
                         uint32_t version)
{
    struct state *state = data;
    if (strcmp(interface, wl_seat_interface.name) == 0 && !state->seat) {
        state->seat = wl_registry_bind(registry, name, &wl_seat_interface, 1);
    } else if (strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0) {
        state->manager = wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1);
    } else if (strcmp(interface, wl_output_interface.name) == 0 && state->output_count < 16 && version >= 2) {
        struct output_size *size = &state->outputs[state->output_count++];
        size->scale = 1;
        size->output = wl_registry_bind(registry, name, &wl_output_interface, 2);
        wl_output_add_listener(size->output, &output_listener, size);
    }
}

static void global_removed(void *data, struct wl_registry *registry, uint32_t name)
{
    (void)data, (void)registry, (void)name;
}

static const struct wl_registry_listener registry_listener = {
    .global = global_added,
    .global_remove = global_removed,
};

static bool parse_button(const char *text, uint32_t *button)
{
    if (!text || strcmp(text, "left") == 0) {
        *button = BTN_LEFT;
    } else if (strcmp(text, "right") == 0) {
        *button = BTN_RIGHT;
    } else if (strcmp(text, "middle") == 0) {
        *button = BTN_MIDDLE;
    } else {
        char *end;
        errno = 0;
        unsigned long code = strtoul(text, &end, 10);
        if (errno || *end || end == text || code > UINT32_MAX) {
            return false;
        }
        *button = (uint32_t)code;
    }
    return true;
}

static bool parse_number(const char *text, double *value)
{
    if (!text) {
        return false;
    }
    char *end;
    errno = 0;
    *value = strtod(text, &end);
    return !errno && *end == '\0' && end != text && isfinite(*value);
}

static void send_button(struct state *state, uint32_t button, enum wl_pointer_button_state pressed)
{
    zwlr_virtual_pointer_v1_button(state->pointer, now_ms(), button, pressed);
    zwlr_virtual_pointer_v1_frame(state->pointer);
}

/* Runs the command in words[0 .. count); on failure, says why in `error`. */
static bool run_command(struct state *state, char **words, int count, char *error, size_t error_size)
{
    const char *verb = words[0];
    if (strcmp(verb, "move") == 0) {
        double x, y;
        if (count != 3 || !parse_number(words[1], &x) || !parse_number(words[2], &y)) {
            snprintf(error, error_size, "move takes X and Y");
            return false;
        }
        if (x < state->left || y < state->top || x > state->left + state->width || y > state->top + state->height) {
            snprintf(error, error_size, "%g,%g lies outside the layout %g,%g %gx%g", x, y, state->left, state->top,
                     state->width, state->height);
            return false;
        }
        uint32_t x_extent = (uint32_t)lround(state->width * STEPS_PER_PIXEL);
        uint32_t y_extent = (uint32_t)lround(state->height * STEPS_PER_PIXEL);
        uint32_t at_x = (uint32_t)lround((x - state->left) * STEPS_PER_PIXEL);
        uint32_t at_y = (uint32_t)lround((y - state->top) * STEPS_PER_PIXEL);
        zwlr_virtual_pointer_v1_motion_absolute(state->pointer, now_ms(), at_x, at_y, x_extent, y_extent);
        zwlr_virtual_pointer_v1_frame(state->pointer);
        return true;
    }
    bool press = strcmp(verb, "press") == 0, release = strcmp(verb, "release") == 0;
    if (press || release || strcmp(verb, "click") == 0) {
        uint32_t button;
        if (count > 2 || !parse_button(count == 2 ? words[1] : NULL, &button)) {
            snprintf(error, error_size, "%s takes at most one button", verb);
            return false;
        }
        if (!release) {
            send_button(state, button, WL_POINTER_BUTTON_STATE_PRESSED);
        }
        if (!press) {
            send_button(state, button, WL_POINTER_BUTTON_STATE_RELEASED);
        }
        return true;
    }
    snprintf(error, error_size, "unknown command %s", verb);
    return false;
}

/* How many words, starting at words[0], make up the command that starts there. */
static int command_length(char **words, int count)
{
    int length = 1;
    while (length < count && strcmp(words[length], "move") != 0 && strcmp(words[length], "press") != 0 &&
           strcmp(words[length], "release") != 0 && strcmp(words[length], "click") != 0) {
        ++length;
    }
    return length;
}

static int run_stdin(struct state *state, struct wl_display *display)
{
    char line[256];
    while (fgets(line, sizeof line, stdin)) {
        char *words[8];
        int count = 0;
        for (char *word = strtok(line, " \t\r\n"); word && count < 8; word = strtok(NULL, " \t\r\n")) {
            words[count++] = word;
        }
        if (count == 0) {
            continue;
        }
        char error[160];
        if (!run_command(state, words, count, error, sizeof error)) {
            printf("error: %s\n", error);
        } else if (wl_display_roundtrip(display) < 0) {
            printf("error: the compositor closed the connection\n");
            fflush(stdout);
            return 1;
        } else {
            printf("ok\n");
        }
        fflush(stdout);
    }
    return 0;
}

int main(int argc, char **argv)
{
    struct state state = {0};
    int first = 1;
    bool layout_given = false;
    if (argc > 1 && strcmp(argv[1], "--layout") == 0) {
        if (argc < 6 || !parse_number(argv[2], &state.left) || !parse_number(argv[3], &state.top) ||
            !parse_number(argv[4], &state.width) || !parse_number(argv[5], &state.height) || state.width <= 0 ||
            state.height <= 0) {
            fprintf(stderr, "vpointer: --layout takes X Y WIDTH HEIGHT\n");
            return 2;
        }
        layout_given = true;
        first = 6;
    }

    struct wl_display *display = wl_display_connect(NULL);
    if (!display) {
        fprintf(stderr, "vpointer: cannot connect to the Wayland display\n");
        return 1;
    }
    struct wl_registry *registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registry_listener, &state);
    wl_display_roundtrip(display);
    if (!state.manager) {
        fprintf(stderr, "vpointer: the compositor offers no zwlr_virtual_pointer_manager_v1\n");
        return 1;
    }
    wl_display_roundtrip(display); /* the outputs' modes and scales */
    if (!layout_given) {
        for (int i = 0; i < state.output_count; ++i) {
            const struct output_size *size = &state.outputs[i];
            int scale = size->scale > 0 ? size->scale : 1;
            state.width += (double)size->mode_width / scale;
            if ((double)size->mode_height / scale > state.height) {
                state.height = (double)size->mode_height / scale;
            }
        }
        if (state.width <= 0 || state.height <= 0) {
            fprintf(stderr, "vpointer: no outputs to move over\n");
            return 1;
        }
    }
    state.pointer = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(state.manager, state.seat);
    wl_display_roundtrip(display); /* the device exists before the first command */

    int status = 0;
    if (first == argc) {
        status = run_stdin(&state, display);
    } else {
        for (int i = first; i < argc;) {
            int length = command_length(argv + i, argc - i);
            char error[160];
            if (!run_command(&state, argv + i, length, error, sizeof error)) {
                fprintf(stderr, "vpointer: %s\n", error);
                status = 2;
                break;
            }
            if (wl_display_roundtrip(display) < 0) {
                fprintf(stderr, "vpointer: the compositor closed the connection\n");
                status = 1;
                break;
            }
            i += length;
        }
    }
    zwlr_virtual_pointer_v1_destroy(state.pointer);
    zwlr_virtual_pointer_manager_v1_destroy(state.manager);
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return status;
}
