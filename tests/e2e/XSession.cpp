#include "XSession.h"

#include <QFile>
#include <QtEndian>

#include <array>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace std::chrono_literals;

namespace {

std::string Quote(const std::string &s) {
    return "'" + s + "'";
}

} // namespace

XSession::XSession() {
    char folder[] = "/tmp/vantrell-xvfb-XXXXXX";
    if (!mkdtemp(folder))
        return;
    framebufferDir_ = folder;
    for (int n = 90; n < 140 && display_ < 0; ++n) {
        const std::string number = std::to_string(n);
        const std::filesystem::path socket =
            std::filesystem::path("/tmp/.X11-unix") / ("X" + number);
        if (std::filesystem::exists(std::filesystem::path("/tmp") / (".X" + number + "-lock")) ||
            std::filesystem::exists(socket))
            continue;
        const std::string name = std::string(":").append(number);
        const pid_t pid = fork();
        if (pid == 0) {
            execlp("Xvfb", "Xvfb", name.c_str(), "-screen", "0", "1024x768x24", "-noreset",
                   "-nolisten", "tcp", "-fbdir", framebufferDir_.c_str(),
                   static_cast<char *>(nullptr));
            _exit(127);
        }
        // The server is ready once its socket exists; it ends at once if the display is taken.
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        while (std::chrono::steady_clock::now() < deadline) {
            if (std::filesystem::exists(socket)) {
                display_ = n;
                displayName_ = name;
                server_ = pid;
                break;
            }
            if (waitpid(pid, nullptr, WNOHANG) == pid)
                break;
            std::this_thread::sleep_for(50ms);
        }
        if (display_ < 0 && waitpid(pid, nullptr, WNOHANG) == 0)
            Stop(pid);
    }
}

XSession::~XSession() {
    if (server_ > 0)
        Stop(server_);
    if (!framebufferDir_.empty())
        std::filesystem::remove_all(framebufferDir_);
}

std::string XSession::Run(const std::string &command, int *status) const {
    // No tool may keep a test waiting for long.
    const std::string full = "DISPLAY=" + displayName_ + " timeout 30 " + command;
    std::FILE *pipe = popen(full.c_str(), "r");
    std::string out;
    if (!pipe)
        return out;
    std::array<char, 4096> buffer;
    std::size_t n;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        out.append(buffer.data(), n);
    const int result = pclose(pipe);
    if (status)
        *status = WIFEXITED(result) ? WEXITSTATUS(result) : -1;
    return out;
}

pid_t XSession::Spawn(const std::string &program, const std::string &dir) const {
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("DISPLAY", displayName_.c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
        // The program's preferences stay with the test.
        setenv("XDG_CONFIG_HOME", (dir + "/config").c_str(), 1);
        if (chdir(dir.c_str()) != 0)
            _exit(126);
        execl(program.c_str(), program.c_str(), static_cast<char *>(nullptr));
        _exit(127);
    }
    return pid;
}

unsigned long XSession::FindWindow(const std::string &title,
                                   std::chrono::milliseconds timeout) const {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    do {
        const std::string ids =
            Run("xdotool search --onlyvisible --name " + Quote("^" + title + "$") + " 2>/dev/null");
        if (!ids.empty())
            return std::stoul(ids);
        std::this_thread::sleep_for(100ms);
    } while (std::chrono::steady_clock::now() < deadline);
    return 0;
}

void XSession::Focus(unsigned long window) const {
    Run("xdotool windowfocus --sync " + std::to_string(window));
}

void XSession::Keys(unsigned long window, const std::string &keys) const {
    Focus(window);
    Run("xdotool key --delay 150 " + keys);
    std::this_thread::sleep_for(400ms);
}

QPoint XSession::WindowPosition(unsigned long window) const {
    const std::string shell = Run("xdotool getwindowgeometry --shell " + std::to_string(window));
    int x = 0, y = 0;
    for (const QString &line : QString::fromStdString(shell).split('\n')) {
        if (line.startsWith("X="))
            x = line.mid(2).toInt();
        if (line.startsWith("Y="))
            y = line.mid(2).toInt();
    }
    return {x, y};
}

QImage XSession::Screenshot() const {
    return WindowImage(0);
}

QImage XSession::WindowImage(unsigned long window) const {
    const std::string dump =
        Run(window ? "xwd -silent -id " + std::to_string(window) : "xwd -root -silent");
    return ReadXwd(QByteArray(dump.data(), qsizetype(dump.size())));
}

QImage XSession::ShownScreen() const {
    QFile file(QString::fromStdString(framebufferDir_ + "/Xvfb_screen0"));
    return file.open(QIODevice::ReadOnly) ? ReadXwd(file.readAll()) : QImage();
}

void XSession::SetRootPattern(const QImage &tile, const std::string &dir) const {
    const std::string path = dir + "/tile.png";
    tile.save(QString::fromStdString(path));
    Run("feh --no-fehbg --bg-tile " + Quote(path));
}

bool WaitForExit(pid_t process, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        if (waitpid(process, nullptr, WNOHANG) == process)
            return true;
        std::this_thread::sleep_for(50ms);
    }
    return false;
}

void Stop(pid_t process) {
    kill(process, SIGTERM);
    if (!WaitForExit(process, 3s)) {
        kill(process, SIGKILL);
        waitpid(process, nullptr, 0);
    }
}

QImage ReadXwd(const QByteArray &dump) {
    if (dump.size() < 100)
        return {};
    const auto field = [&dump](int i) {
        return qFromBigEndian<quint32>(reinterpret_cast<const uchar *>(dump.constData()) + 4 * i);
    };
    const quint32 headerSize = field(0), depth = field(3), width = field(4), height = field(5),
                  byteOrder = field(7);
    const quint32 bitsPerPixel = field(11), bytesPerLine = field(12), colours = field(19);
    const qsizetype start = qsizetype(headerSize + colours * 12);
    const quint32 bytesPerPixel = bitsPerPixel / 8;
    if (bytesPerPixel < 3 || dump.size() < start + qsizetype(bytesPerLine) * height)
        return {};
    // A window of depth 32 carries alpha (premultiplied, as X keeps it).
    const bool alpha = depth == 32 && bytesPerPixel == 4;
    QImage image(int(width), int(height),
                 alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    for (quint32 y = 0; y < height; ++y) {
        const auto *row =
            reinterpret_cast<const uchar *>(dump.constData()) + start + y * bytesPerLine;
        for (quint32 x = 0; x < width; ++x) {
            const uchar *p = row + x * bytesPerPixel;
            // LSB first: blue, green, red; otherwise the other way round.
            const uchar b = byteOrder == 0 ? p[0] : p[bytesPerPixel - 1];
            const uchar g = byteOrder == 0 ? p[1] : p[bytesPerPixel - 2];
            const uchar r = byteOrder == 0 ? p[2] : p[bytesPerPixel - 3];
            const uchar a = !alpha ? 255 : byteOrder == 0 ? p[3] : p[0];
            image.setPixel(int(x), int(y), qRgba(r, g, b, a));
        }
    }
    return image;
}
