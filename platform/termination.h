// From its making to its end, SIGTERM, SIGINT and SIGHUP are the window's close request.
#pragma once

#include <QSocketNotifier>
#include <memory>

class TerminationWatch {
  public:
    TerminationWatch();
    ~TerminationWatch();
    TerminationWatch(const TerminationWatch&) = delete;
    TerminationWatch& operator=(const TerminationWatch&) = delete;

  private:
    void OnSignalled();

    int pipe_[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> notifier_;
};
