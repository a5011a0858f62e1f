// From its making to its end, SIGTERM, SIGINT and SIGHUP are the window's close request,
// and a window manager's close request reaches the game even while a requester is open.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QSocketNotifier>
#include <memory>

class TerminationWatch : public QAbstractNativeEventFilter {
  public:
    TerminationWatch();
    ~TerminationWatch();
    TerminationWatch(const TerminationWatch&) = delete;
    TerminationWatch& operator=(const TerminationWatch&) = delete;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

  private:
    void OnSignalled();

    int pipe_[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> notifier_;
};
