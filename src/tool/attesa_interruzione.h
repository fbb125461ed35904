#pragma once

// The author's request to stop a command that runs until told: Ctrl-C, or the system asking the
// process to end (SIGINT and SIGTERM on Linux; Ctrl-C, Ctrl-Break and the console being closed
// on Windows). It goes to one waiting thread of its own, never to the threads at work.
#include <atomic>
#include <functional>
#include <thread>

#ifndef _WIN32
#include <csignal>
#endif

namespace scenario::strumento {

class attesa_interruzione {
  public:
    // When the request comes, `ferma` is called on the waiting thread, again every 10 ms while
    // it returns false (what it stops may not have started yet: a stop before the start would
    // be forgotten), until it returns true or this object goes. Linux: build it before any other
    // thread starts, so that every thread inherits the blocked signals.
    explicit attesa_interruzione(std::function<bool()> ferma);
    // Waits for the thread; a request that came during the stop does not end the process later.
    ~attesa_interruzione();
    attesa_interruzione(const attesa_interruzione&) = delete;
    attesa_interruzione& operator=(const attesa_interruzione&) = delete;

    bool ricevuta() const { return ricevuta_; }

  private:
    void attendi();

    std::function<bool()> ferma_;
    std::atomic<bool> finito_{false};
    std::atomic<bool> ricevuta_{false};
#ifndef _WIN32
    sigset_t precedenti_{};  // the mask given back at the end
#endif
    std::thread filo_;
};

}  // namespace scenario::strumento
