// A terminating signal (a logout's SIGHUP or SIGTERM, Ctrl+C in a terminal) is taken as
// the window's close request: the game ends through its event loop, the way "Quitter"
// does, and an open requester is answered first as if its button were pressed, so a name
// being typed is kept.
#include <fcntl.h>
#include <unistd.h>

#include <QObject>
#include <atomic>
#include <cerrno>
#include <csignal>

#include "platform/event_queue.h"
#include "platform/termination.h"

namespace {

constexpr int TerminationSignals[] = {SIGTERM, SIGINT, SIGHUP};

// A signal handler can reach nothing else: the pipe through which it wakes the loop.
std::atomic<int> g_signalPipe{-1};

// Any second terminating signal, of whatever kind, ends the program at once, should the
// first one wait behind a long pause.
void OnTerminationSignal(int /*signal*/) {
    const int saved = errno;
    for (const int signal : TerminationSignals) {
        std::signal(signal, SIG_DFL);
    }
    const char byte = 1;
    static_cast<void>(write(g_signalPipe.load(), &byte, 1));
    errno = saved;
}

}  // namespace

TerminationWatch::TerminationWatch() {
    if (pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0) {
        return;  // the signals keep ending the program at once
    }
    g_signalPipe = pipe_[1];
    notifier_ = std::make_unique<QSocketNotifier>(pipe_[0], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { OnSignalled(); });
    struct sigaction action = {};
    action.sa_handler = &OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : TerminationSignals) {
        sigaction(signal, &action, nullptr);
    }
}

TerminationWatch::~TerminationWatch() {
    if (!notifier_) {
        return;
    }
    for (const int signal : TerminationSignals) {
        std::signal(signal, SIG_DFL);
    }
    notifier_.reset();
    g_signalPipe = -1;
    close(pipe_[0]);
    close(pipe_[1]);
}

void TerminationWatch::OnSignalled() {
    char bytes[16];
    while (read(pipe_[0], bytes, sizeof bytes) > 0) {
    }
    ReportCloseOverRequester();
}
