#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>

namespace scenario {

// How long a run waits for another run writing in the same folder before it gives up.
inline constexpr std::chrono::milliseconds attesa_cartella{30000};

// Another run held the folder for the whole wait.
class cartella_occupata : public std::runtime_error {
  public:
    explicit cartella_occupata(const std::string& cartella)
        : std::runtime_error(cartella), cartella_(cartella) {}
    const std::string& cartella() const { return cartella_; }

  private:
    std::string cartella_;
};

// One run at a time per folder, among the runs of the program and of scenario-tool, so that
// every set of files in a folder comes from one run. The folder itself is locked, not a file in
// it: nothing is created, and the lock goes with the process however it ends.
//
// Linux: an exclusive flock on the open folder. Windows has no lock on a folder that leaves file
// creation inside it free, so there the lock is a named mutex of the session ("Local\"), named
// from the folder's full path in upper case: runs in one logon session exclude each other; runs
// of two sessions, or reaching one folder through two different names (a share and its local
// path, a junction), do not. The mutex of a killed run is released by the system.
class blocco_cartella {
  public:
    // Takes the folder, waiting up to `attesa` while another run holds it; `in_attesa` is called
    // once, when the wait begins. Throws cartella_occupata when the wait runs out, guasto_file
    // when the folder cannot be opened.
    blocco_cartella(const std::filesystem::path& cartella, std::chrono::milliseconds attesa,
                    const std::function<void()>& in_attesa);
    ~blocco_cartella();
    blocco_cartella(const blocco_cartella&) = delete;
    blocco_cartella& operator=(const blocco_cartella&) = delete;

  private:
#ifdef _WIN32
    void* mutex_ = nullptr;
#else
    int fd_ = -1;
#endif
};

}  // namespace scenario
