// An Xvfb server of the test's own, on the first free display number, for as
// long as the object lives; optionally with a window manager on it, as on a
// desktop.
#ifndef VYN_TESTS_RUNTIME_VIRTUALDISPLAY_H
#define VYN_TESTS_RUNTIME_VIRTUALDISPLAY_H

#include <sys/types.h>

#include <string>

namespace vyn::testing {

class VirtualDisplay {
public:
    // `none`: windows are mapped as their programs ask, undecorated.
    // `openbox`: openbox manages them (frames, reparents, focuses them); the
    // display is ready once it has taken the screen.
    enum class WindowManager { none, openbox };

    explicit VirtualDisplay(WindowManager manager = WindowManager::none);
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    bool ok() const { return pid_ != 0; }
    const std::string& error() const { return error_; }
    // The display name, such as ":91".
    const std::string& name() const { return name_; }

private:
    void startWindowManager();
    void stop();

    pid_t pid_ = 0;
    pid_t managerPid_ = 0;
    std::string name_;
    std::string error_;
};

}  // namespace vyn::testing

#endif
