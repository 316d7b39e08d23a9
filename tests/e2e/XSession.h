#pragma once

#include <QImage>
#include <QString>

#include <chrono>
#include <string>
#include <sys/types.h>

// An Xvfb server on a display of its own for the tests that drive the real program,
// with helpers around the X tools (xdotool, xwd, xclip, feh). Every wait is bounded.
class XSession {
public:
    XSession();
    ~XSession();
    bool Started() const { return display_ >= 0; }
    const std::string &Display() const { return displayName_; }

    // Runs a shell command with DISPLAY set; returns its standard output, and its exit
    // status through status when given.
    std::string Run(const std::string &command, int *status = nullptr) const;
    // Starts a program in the background in folder dir; returns its process id.
    pid_t Spawn(const std::string &program, const std::string &dir) const;
    // The id of the first window with this exact title, within the timeout; 0 if none.
    unsigned long FindWindow(const std::string &title, std::chrono::milliseconds timeout) const;
    void Focus(unsigned long window) const;
    void Keys(unsigned long window, const std::string &keys) const;
    QPoint WindowPosition(unsigned long window) const;
    QImage Screenshot() const;
    // The screen as it is shown, read from the server's framebuffer: what a
    // compositing manager paints, which a screenshot of the root window does not
    // return. The pointer is drawn into it; move it out of the way first.
    QImage ShownScreen() const;
    // A window's own contents, with alpha where the window has it.
    QImage WindowImage(unsigned long window) const;

    // Root window pattern: tiles the image over the desktop.
    void SetRootPattern(const QImage &tile, const std::string &dir) const;

private:
    int display_ = -1;
    std::string displayName_;
    pid_t server_ = -1;
    std::string framebufferDir_; // where the server keeps its screen as an XWD file
};

// Waits for a child process to end; false if it is still running after the timeout.
bool WaitForExit(pid_t process, std::chrono::milliseconds timeout);
// Ends a child process that is still running.
void Stop(pid_t process);

// Reads an XWD screen dump (as xwd writes it) into an image.
QImage ReadXwd(const QByteArray &dump);
