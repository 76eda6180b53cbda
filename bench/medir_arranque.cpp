// Start-up stopwatch for an X program: starts the command, and prints the milliseconds from
// exec to the first top-level window mapped and to the first drawing inside it (the root
// window's damage after the map), then the program's pid and window id, and leaves it running.
//   medir_arranque PROGRAMA [ARGUMENTOS...]
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {

double Ahora() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

bool Corta(const xcb_rectangle_t& a, int x, int y, int w, int h) {
    return a.x < x + w && x < a.x + a.width && a.y < y + h && y < a.y + a.height;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "uso: medir_arranque PROGRAMA [ARGUMENTOS...]\n");
        return 2;
    }
    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) {
        std::fprintf(stderr, "medir_arranque: sin servidor X\n");
        return 2;
    }
    const xcb_window_t raiz = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const xcb_query_extension_reply_t* ext = xcb_get_extension_data(x, &xcb_damage_id);
    if (!ext || !ext->present) {
        std::fprintf(stderr, "medir_arranque: el servidor no tiene DAMAGE\n");
        return 2;
    }
    free(xcb_damage_query_version_reply(x, xcb_damage_query_version(x, 1, 1), nullptr));
    const uint32_t mascara = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, raiz, XCB_CW_EVENT_MASK, &mascara);
    const xcb_damage_damage_t dano = xcb_generate_id(x);
    xcb_damage_create(x, dano, raiz, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
    free(xcb_get_input_focus_reply(x, xcb_get_input_focus(x), nullptr));
    xcb_damage_subtract(x, dano, XCB_NONE, XCB_NONE);
    xcb_flush(x);

    const double inicio = Ahora();
    const pid_t hijo = fork();
    if (hijo == 0) {
        // Our output is the caller's reading; the program's own goes nowhere.
        if (const int nulo = open("/dev/null", O_WRONLY); nulo >= 0)
            dup2(nulo, STDOUT_FILENO);
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    double mapa = -1;
    double pintura = -1;
    xcb_window_t ventana = XCB_NONE;
    int vx = 0, vy = 0, vw = 0, vh = 0;
    pollfd pf{xcb_get_file_descriptor(x), POLLIN, 0};
    while (pintura < 0 && Ahora() - inicio < 30000) {
        xcb_generic_event_t* e = xcb_poll_for_event(x);
        if (!e) {
            poll(&pf, 1, 100);
            continue;
        }
        const int tipo = e->response_type & 0x7F;
        if (tipo == XCB_MAP_NOTIFY && ventana == XCB_NONE) {
            auto* m = reinterpret_cast<xcb_map_notify_event_t*>(e);
            if (!m->override_redirect) {
                mapa = Ahora() - inicio;
                ventana = m->window;
                if (auto* g = xcb_get_geometry_reply(x, xcb_get_geometry(x, ventana), nullptr)) {
                    vx = g->x, vy = g->y, vw = g->width, vh = g->height;
                    free(g);
                }
            }
        } else if (tipo == ext->first_event + XCB_DAMAGE_NOTIFY) {
            auto* d = reinterpret_cast<xcb_damage_notify_event_t*>(e);
            if (ventana != XCB_NONE && Corta(d->area, vx, vy, vw, vh))
                pintura = Ahora() - inicio;
            xcb_damage_subtract(x, dano, XCB_NONE, XCB_NONE);
            xcb_flush(x);
        }
        free(e);
    }
    xcb_disconnect(x);
    if (pintura < 0) {
        kill(hijo, SIGKILL);
        std::fprintf(stderr, "medir_arranque: %s no pintó su ventana\n", argv[1]);
        return 1;
    }
    std::printf("%.1f %.1f %d %u\n", mapa, pintura, int(hijo), unsigned(ventana));
    return 0;
}
