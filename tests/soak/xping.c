/* Asks an X11 window whether its program still answers: sends it the window manager's
 * _NET_WM_PING and waits for the reply the program's event loop sends back to the root window.
 *
 *   xping WINDOW_ID [TIMEOUT_MS]     exit 0: answered; 1: no answer in time; 2: bad use or no X
 *
 * A program whose event loop is stuck never answers, although the X server still holds its
 * windows. */
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <xcb/xcb.h>

static xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
    xcb_intern_atom_reply_t* r =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, (uint16_t)strlen(name), name), NULL);
    xcb_atom_t a = r ? r->atom : XCB_ATOM_NONE;
    free(r);
    return a;
}

static long NowMs(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000L + t.tv_nsec / 1000000L;
}

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: xping WINDOW_ID [TIMEOUT_MS]\n");
        return 2;
    }
    const xcb_window_t window = (xcb_window_t)strtoul(argv[1], NULL, 0);
    const long timeout = argc > 2 ? strtol(argv[2], NULL, 10) : 5000;
    int screenNumber = 0;
    xcb_connection_t* c = xcb_connect(NULL, &screenNumber);
    if (xcb_connection_has_error(c)) {
        fprintf(stderr, "xping: no X display\n");
        return 2;
    }
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screenNumber; ++i) xcb_screen_next(&it);
    const xcb_window_t root = it.data->root;
    /* Programs answer to the root window with one of these masks (Qt: StructureNotify). */
    const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);

    const xcb_atom_t protocols = Atom(c, "WM_PROTOCOLS"), ping = Atom(c, "_NET_WM_PING");
    /* A stamp of our own, so that only the answer to this ping counts. */
    const uint32_t stamp = (uint32_t)(NowMs() & 0x7fffffff) | 1u;
    xcb_client_message_event_t event;
    memset(&event, 0, sizeof event);
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = protocols;
    event.data.data32[0] = ping;
    event.data.data32[1] = stamp;
    event.data.data32[2] = window;
    xcb_send_event(c, 0, window, XCB_EVENT_MASK_NO_EVENT, (const char*)&event);
    xcb_flush(c);

    const long end = NowMs() + timeout;
    struct pollfd fd = {xcb_get_file_descriptor(c), POLLIN, 0};
    for (;;) {
        xcb_generic_event_t* e;
        while ((e = xcb_poll_for_event(c)) != NULL) {
            if ((e->response_type & 0x7f) == XCB_CLIENT_MESSAGE) {
                const xcb_client_message_event_t* m = (const xcb_client_message_event_t*)e;
                if (m->type == protocols && m->data.data32[0] == ping &&
                    m->data.data32[1] == stamp && m->data.data32[2] == window) {
                    free(e);
                    xcb_disconnect(c);
                    return 0;
                }
            }
            free(e);
        }
        if (xcb_connection_has_error(c)) return 2;
        const long left = end - NowMs();
        if (left <= 0) break;
        poll(&fd, 1, (int)left);
    }
    xcb_disconnect(c);
    return 1;
}
