/* virtual_pointer WIDTH HEIGHT: a pointer for a wlroots compositor, made
 * through its virtual-pointer protocol and moved by commands on the standard
 * input, one a line: "move X Y" (in the units of the extent WIDTH HEIGHT),
 * "press B" and "release B" (1 left, 3 right, as X numbers them). Each is
 * answered with "ok" once the compositor has taken it, or with "error ..."
 * when it is not understood. */
#include <linux/input-event-codes.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <wayland-client.h>

#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

static struct wl_seat *seat;
static struct zwlr_virtual_pointer_manager_v1 *manager;

static void global_added(void *data, struct wl_registry *registry,
                         uint32_t name, const char *interface, uint32_t version)
{
    (void)data;
    (void)version;
    if (strcmp(interface, wl_seat_interface.name) == 0 && seat == NULL)
        seat = wl_registry_bind(registry, name, &wl_seat_interface, 1);
    else if (strcmp(interface,
                    zwlr_virtual_pointer_manager_v1_interface.name) == 0)
        manager = wl_registry_bind(
            registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1);
}

static void global_removed(void *data, struct wl_registry *registry,
                           uint32_t name)
{
    (void)data;
    (void)registry;
    (void)name;
}

/* Sends one command's events; returns 0 when the line is not a command. */
static int send_command(struct zwlr_virtual_pointer_v1 *pointer,
                        const char *line, uint32_t width, uint32_t height)
{
    char verb[8];
    unsigned x, y = 0;
    struct timespec t; /* milliseconds, as input events carry them */
    clock_gettime(CLOCK_MONOTONIC, &t);
    const uint32_t now = (uint32_t)(t.tv_sec * 1000 + t.tv_nsec / 1000000);
    const int fields = sscanf(line, "%7s %u %u", verb, &x, &y);
    const int pressed = strcmp(verb, "press") == 0;
    if (fields == 3 && strcmp(verb, "move") == 0 && x <= width && y <= height)
        zwlr_virtual_pointer_v1_motion_absolute(pointer, now, x, y, width,
                                                height);
    else if (fields == 2 && (pressed || strcmp(verb, "release") == 0) &&
             (x == 1 || x == 3))
        zwlr_virtual_pointer_v1_button(
            pointer, now, x == 1 ? BTN_LEFT : BTN_RIGHT,
            pressed ? WL_POINTER_BUTTON_STATE_PRESSED
                    : WL_POINTER_BUTTON_STATE_RELEASED);
    else
        return 0;
    zwlr_virtual_pointer_v1_frame(pointer);
    return 1;
}

int main(int argc, char **argv)
{
    static const struct wl_registry_listener listener = {global_added,
                                                         global_removed};
    const int width = argc == 3 ? atoi(argv[1]) : 0;
    const int height = argc == 3 ? atoi(argv[2]) : 0;
    struct wl_display *display = wl_display_connect(NULL);
    if (width <= 0 || height <= 0 || display == NULL) {
        fprintf(stderr, "usage: %s WIDTH HEIGHT, on a Wayland display\n",
                argv[0]);
        return 2;
    }
    wl_registry_add_listener(wl_display_get_registry(display), &listener, NULL);
    wl_display_roundtrip(display);
    if (manager == NULL) {
        fprintf(stderr, "the compositor offers no virtual pointer\n");
        return 1;
    }
    struct zwlr_virtual_pointer_v1 *pointer =
        zwlr_virtual_pointer_manager_v1_create_virtual_pointer(manager, seat);
    char line[128];
    while (fgets(line, sizeof line, stdin) != NULL) {
        if (!send_command(pointer, line, (uint32_t)width, (uint32_t)height))
            printf("error: not a command: %s", line);
        else if (wl_display_roundtrip(display) < 0)
            return 1; /* the compositor went away */
        else
            printf("ok\n");
        fflush(stdout);
    }
    /* The connection and what it holds go with the process. */
    return 0;
}
