#include "tests/runtime/VirtualDisplay.h"

#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

extern char** environ;

namespace vyn::testing {

VirtualDisplay::VirtualDisplay() {
  for (int n = 91; n < 160 && pid_ == 0; ++n) {
    // Built with snprintf: GCC 12 warns wrongly on string additions here.
    char lock[64];
    char socket[64];
    std::snprintf(lock, sizeof lock, "/tmp/.X%d-lock", n);
    std::snprintf(socket, sizeof socket, "/tmp/.X11-unix/X%d", n);
    struct stat st;
    if (stat(lock, &st) == 0 || stat(socket, &st) == 0) {
      continue;
    }
    char display[16];
    std::snprintf(display, sizeof display, ":%d", n);
    std::vector<std::string> argv = {"Xvfb", display, "-screen", "0", "1280x720x24", "-nolisten", "tcp"};
    std::vector<char*> args;
    for (auto& a : argv) {
      args.push_back(a.data());
    }
    args.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, "Xvfb", nullptr, nullptr, args.data(), environ) != 0) {
      error_ = "Xvfb is not installed (tools/setup.sh installs it)";
      return;
    }
    // Wait for its socket; move on if the server exits (another one took
    // the number meanwhile).
    for (int i = 0; i < 400; ++i) {
      if (stat(socket, &st) == 0) {
        pid_ = pid;
        name_ = display;
        return;
      }
      if (waitpid(pid, nullptr, WNOHANG) == pid) {
        pid = 0;
        break;
      }
      usleep(50 * 1000);
    }
    if (pid != 0) {
      kill(pid, SIGTERM);
      waitpid(pid, nullptr, 0);
    }
  }
  error_ = "no Xvfb server could be started";
}

VirtualDisplay::~VirtualDisplay() {
  if (pid_ != 0) {
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }
}

}  // namespace vyn::testing
