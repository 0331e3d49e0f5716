// The key wait on POSIX systems.
//
// The course's home console polls its keyboard even when standard input is
// redirected; the keyboard here is the process's controlling terminal. We
// switch it to non-canonical mode without echo, so that a single key makes it
// readable, and sleep in poll() until it is: the reaction stays immediate and
// no processor is burned. The key is never read, so it stays in the
// terminal's input after the program ends.
//
// The terminal's settings come back on every way out: the normal return, and
// the signals that end or stop a process from the keyboard or from outside.
// Ctrl-Z hands the shell a sane terminal, and `fg` resumes the wait.
#include "../console.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <iostream>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t tty_fd = -1;
termios saved_mode;  // what the terminal had before the wait
termios wait_mode;   // no line editing, no echo

constexpr int ending_signals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
struct sigaction previous[sizeof ending_signals / sizeof *ending_signals];
struct sigaction previous_tstp;

void set_action(int sig, void (*handler)(int))
{
    struct sigaction sa {};
    sa.sa_handler = handler;
    sigemptyset(&sa.sa_mask);
    sigaction(sig, &sa, nullptr);
}

void on_ending_signal(int sig)
{
    tcsetattr(tty_fd, TCSANOW, &saved_mode);
    // Die of the same signal, so the parent sees why the program ended. The
    // signal is blocked while we are in here and ends us once we return.
    set_action(sig, SIG_DFL);
    raise(sig);
}

void on_stop_signal(int)
{
    int saved_errno = errno;
    tcsetattr(tty_fd, TCSANOW, &saved_mode);
    set_action(SIGTSTP, SIG_DFL);
    sigset_t tstp;
    sigemptyset(&tstp);
    sigaddset(&tstp, SIGTSTP);
    sigprocmask(SIG_UNBLOCK, &tstp, nullptr);
    raise(SIGTSTP);  // stops here until the shell continues us
    set_action(SIGTSTP, on_stop_signal);
    tcsetattr(tty_fd, TCSANOW, &wait_mode);
    errno = saved_errno;
}

// Installs our handler for a signal unless the program was started with the
// signal ignored (nohup, a background job of a plain shell): then it stays
// ignored, as it would without the wait.
void catch_signal(int sig, void (*handler)(int), struct sigaction* old)
{
    sigaction(sig, nullptr, old);
    if (old->sa_handler != SIG_IGN)
        set_action(sig, handler);
}

void block_until_readable(int fd)
{
    pollfd p{fd, POLLIN, 0};
    while (poll(&p, 1, -1) < 0 && errno == EINTR) {}
}

}  // namespace

void wait_key()
{
    // Lines ended by "\n" alone may still sit in a buffer when standard
    // output is a pipe or a file.
    std::cout.flush();
    std::fflush(stdout);

    int fd = open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return;  // no controlling terminal: there is no keyboard to wait for
    if (tcgetattr(fd, &saved_mode) != 0) {
        close(fd);
        return;
    }
    wait_mode = saved_mode;
    wait_mode.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
    wait_mode.c_cc[VMIN] = 1;
    wait_mode.c_cc[VTIME] = 0;
    tty_fd = fd;

    for (std::size_t i = 0; i < sizeof ending_signals / sizeof *ending_signals; ++i)
        catch_signal(ending_signals[i], on_ending_signal, &previous[i]);
    catch_signal(SIGTSTP, on_stop_signal, &previous_tstp);

    // TCSANOW, not TCSAFLUSH: a key typed ahead must survive and end the
    // wait at once.
    tcsetattr(fd, TCSANOW, &wait_mode);
    block_until_readable(fd);
    tcsetattr(fd, TCSANOW, &saved_mode);

    sigaction(SIGTSTP, &previous_tstp, nullptr);
    for (std::size_t i = 0; i < sizeof ending_signals / sizeof *ending_signals; ++i)
        sigaction(ending_signals[i], &previous[i], nullptr);
    tty_fd = -1;
    close(fd);
}
