/* kinput: a pointer and a keyboard for KWin desktop tests, through KWin's
 * fake input protocol (org_kde_kwin_fake_input). KWin offers that protocol
 * only to a program whose desktop file lists it in X-KDE-Wayland-Interfaces.
 *
 *   kinput
 *
 * Commands are read from standard input, one per line, and each is answered
 * with "ok" or "error: ..." on standard output once the compositor has
 * handled it:
 *
 *   move X Y          to the point X,Y of the layout, in logical pixels
 *                     (KWin keeps whole logical pixels only)
 *   press [BUTTON]    BUTTON: left (default), right, middle or a linux
 *   release [BUTTON]  input event code such as 272
 *   click [BUTTON]    press, then release
 *   key COMBO ...     each combination in turn: "Escape", "shift+Left",
 *                     "ctrl+alt+p"; modifiers shift, ctrl, alt, logo
 */
#include <errno.h>
#include <math.h>
#include <stdbool.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <linux/input-event-codes.h>
#include <wayland-client.h>

#include "fake-input-client.h"

enum { KEY_RELEASED = 0, KEY_PRESSED = 1 };

struct state {
    struct org_kde_kwin_fake_input *input;
    uint32_t version;
};

static void global_added(void *data, struct wl_registry *registry, uint32_t name, const char *interface,
                         uint32_t version)
{
    struct state *state = data;
    if (strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0 && !state->input) {
        state->version = version < 4 ? version : 4;
        state->input = wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, state->version);
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

struct key_name {
    const char *name;
    uint32_t code;
};

static const struct key_name key_names[] = {
    {"Escape", KEY_ESC},      {"Return", KEY_ENTER},  {"KP_Enter", KEY_KPENTER},
    {"Left", KEY_LEFT},       {"Right", KEY_RIGHT},   {"Up", KEY_UP},
    {"Down", KEY_DOWN},       {"Tab", KEY_TAB},       {"space", KEY_SPACE},
    {"shift", KEY_LEFTSHIFT}, {"ctrl", KEY_LEFTCTRL}, {"alt", KEY_LEFTALT},
    {"logo", KEY_LEFTMETA},   {"F1", KEY_F1},         {"F2", KEY_F2},
    {"F12", KEY_F12},         {"comma", KEY_COMMA},
};

static const uint32_t letter_codes[26] = {
    KEY_A, KEY_B, KEY_C, KEY_D, KEY_E, KEY_F, KEY_G, KEY_H, KEY_I, KEY_J, KEY_K, KEY_L, KEY_M,
    KEY_N, KEY_O, KEY_P, KEY_Q, KEY_R, KEY_S, KEY_T, KEY_U, KEY_V, KEY_W, KEY_X, KEY_Y, KEY_Z,
};

static bool key_code(const char *name, uint32_t *code)
{
    for (size_t i = 0; i < sizeof key_names / sizeof key_names[0]; ++i) {
        if (strcmp(name, key_names[i].name) == 0) {
            *code = key_names[i].code;
            return true;
        }
    }
    if (strlen(name) == 1 && ((name[0] >= 'a' && name[0] <= 'z') || (name[0] >= 'A' && name[0] <= 'Z'))) {
        *code = letter_codes[(name[0] | 0x20) - 'a'];
        return true;
    }
    return false;
}

/* Presses the keys of one combination ("ctrl+alt+p") in order, and releases them in reverse. */
static bool send_combination(struct state *state, const char *combination, char *error, size_t error_size)
{
    uint32_t codes[6];
    int count = 0;
    char copy[64];
    snprintf(copy, sizeof copy, "%s", combination);
    char *rest = copy;
    for (char *part = strsep(&rest, "+"); part; part = strsep(&rest, "+")) {
        if (count == 6 || !key_code(part, &codes[count])) {
            snprintf(error, error_size, "unknown key %s in %s", part, combination);
            return false;
        }
        ++count;
    }
    for (int i = 0; i < count; ++i) {
        org_kde_kwin_fake_input_keyboard_key(state->input, codes[i], KEY_PRESSED);
    }
    for (int i = count - 1; i >= 0; --i) {
        org_kde_kwin_fake_input_keyboard_key(state->input, codes[i], KEY_RELEASED);
    }
    return true;
}

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
    char *end;
    errno = 0;
    *value = strtod(text, &end);
    return !errno && *end == '\0' && end != text && isfinite(*value);
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
        org_kde_kwin_fake_input_pointer_motion_absolute(state->input, wl_fixed_from_double(x), wl_fixed_from_double(y));
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
            org_kde_kwin_fake_input_button(state->input, button, WL_POINTER_BUTTON_STATE_PRESSED);
        }
        if (!press) {
            org_kde_kwin_fake_input_button(state->input, button, WL_POINTER_BUTTON_STATE_RELEASED);
        }
        return true;
    }
    if (strcmp(verb, "key") == 0) {
        if (count < 2) {
            snprintf(error, error_size, "key takes at least one combination");
            return false;
        }
        if (state->version < 4) {
            snprintf(error, error_size, "the compositor's fake input (version %u) has no keyboard", state->version);
            return false;
        }
        for (int i = 1; i < count; ++i) {
            if (!send_combination(state, words[i], error, error_size)) {
                return false;
            }
        }
        return true;
    }
    snprintf(error, error_size, "unknown command %s", verb);
    return false;
}

int main(void)
{
    struct state state = {0};
    struct wl_display *display = wl_display_connect(NULL);
    if (!display) {
        fprintf(stderr, "kinput: cannot connect to the Wayland display\n");
        return 1;
    }
    struct wl_registry *registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registry_listener, &state);
    wl_display_roundtrip(display);
    if (!state.input) {
        fprintf(stderr, "kinput: the compositor offers no org_kde_kwin_fake_input (is this program listed in a "
                        "desktop file's X-KDE-Wayland-Interfaces?)\n");
        return 1;
    }
    org_kde_kwin_fake_input_authenticate(state.input, "kinput", "desktop tests");
    if (wl_display_roundtrip(display) < 0) {
        fprintf(stderr, "kinput: the compositor closed the connection\n");
        return 1;
    }

    char line[256];
    int status = 0;
    while (fgets(line, sizeof line, stdin)) {
        char *words[16];
        int count = 0;
        for (char *word = strtok(line, " \t\r\n"); word && count < 16; word = strtok(NULL, " \t\r\n")) {
            words[count++] = word;
        }
        if (count == 0) {
            continue;
        }
        char error[160];
        if (!run_command(&state, words, count, error, sizeof error)) {
            printf("error: %s\n", error);
        } else if (wl_display_roundtrip(display) < 0) {
            printf("error: the compositor closed the connection\n");
            fflush(stdout);
            status = 1;
            break;
        } else {
            printf("ok\n");
        }
        fflush(stdout);
    }
    wl_display_disconnect(display);
    return status;
}
