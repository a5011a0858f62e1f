// Starts a program and tells how many milliseconds pass until one pixel of the X screen
// takes a colour: the time from exec to a window's first frame.
//   first_frame X Y RRGGBB TIMEOUT_MS PROGRAM [ARGUMENT...]
// Prints the milliseconds, or "timeout" and exits 1; the program is ended either way.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// 0xRRGGBB of the root window's pixel, or -1 when it cannot be read.
long RootPixel(xcb_connection_t* connection, xcb_window_t root, int x, int y) {
    const std::unique_ptr<xcb_get_image_reply_t, decltype(&std::free)> image(
        xcb_get_image_reply(
            connection,
            xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, root, static_cast<std::int16_t>(x),
                          static_cast<std::int16_t>(y), 1, 1, ~0u),
            nullptr),
        &std::free);
    if (!image || xcb_get_image_data_length(image.get()) < 4) {
        return -1;
    }
    const std::uint8_t* bgrx = xcb_get_image_data(image.get());
    return bgrx[2] << 16 | bgrx[1] << 8 | bgrx[0];
}

pid_t Start(char** command) {
    const pid_t child = fork();
    if (child == 0) {
        execvp(command[0], command);
        _exit(127);
    }
    return child;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 6) {
        std::fprintf(stderr, "usage: first_frame X Y RRGGBB TIMEOUT_MS PROGRAM [ARGUMENT...]\n");
        return 2;
    }
    const int x = std::atoi(argv[1]);
    const int y = std::atoi(argv[2]);
    const long colour = std::strtol(argv[3], nullptr, 16);
    const std::chrono::milliseconds timeout(std::atoi(argv[4]));
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection) != 0) {
        std::fprintf(stderr, "first_frame: no X display\n");
        return 2;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    if (RootPixel(connection, root, x, y) == colour) {
        std::fprintf(stderr, "first_frame: the pixel already has that colour\n");
        return 2;
    }
    const auto start = Clock::now();
    const pid_t child = Start(argv + 5);
    bool seen = false;
    while (!seen && Clock::now() - start < timeout) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        seen = RootPixel(connection, root, x, y) == colour;
    }
    const std::chrono::duration<double, std::milli> elapsed = Clock::now() - start;
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    xcb_disconnect(connection);
    if (!seen) {
        std::printf("timeout\n");
        return 1;
    }
    std::printf("%.1f\n", elapsed.count());
    return 0;
}
