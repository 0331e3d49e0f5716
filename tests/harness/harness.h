// Runs the course's programs as whole processes, the way a student does.
//
// Two ways in:
//   - Process / run(): standard input, output and error are pipes, so a test
//     feeds exact bytes and checks exact bytes and the exit status.
//   - Terminal: the program's controlling terminal is a pseudo-terminal, for
//     what only a terminal shows (echo, the key wait, terminal settings). The
//     program runs as the foreground job of a tiny shell, so Ctrl-Z and `fg`
//     behave as they do at a real prompt.
//
// Every child starts in a session of its own, so it has a terminal only when
// the test gives it one. Every wait has a time-out. Every process a test
// starts, and everything those start (even detached), is ended and reaped
// when its Process or Terminal goes out of scope.
#pragma once

#include <chrono>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <termios.h>
#include <utility>
#include <vector>

using namespace std::chrono_literals;

namespace harness {

using ms = std::chrono::milliseconds;

// "NAME=value" entries; the child gets these and nothing else of ours,
// besides PATH and the sanitizers' options.
using Env = std::vector<std::string>;

Env utf8_env();     // LANG=C.UTF-8, as on a usual Linux desktop
Env no_lang_env();  // no LANG and no LC_*: the "C" locale of CI and cron

// Full path of a program built by this project (its bin/ directory).
std::string program(std::string_view name);

struct Spawn {
    Spawn(std::string path_, std::vector<std::string> args_ = {}, Env env_ = utf8_env(),
          std::string cwd_ = {})
        : path(std::move(path_)), args(std::move(args_)), env(std::move(env_)), cwd(std::move(cwd_))
    {
    }
    std::string path;
    std::vector<std::string> args;  // without argv[0]
    Env env;
    std::string cwd;  // empty: the test's own
};

// How a process ended.
struct Exit {
    bool exited = false;     // false: still running when the time ran out
    int code = -1;           // exit status, when it exited normally
    int signal = 0;          // the signal that ended it, or 0
    double cpu_seconds = 0;  // user + system time, from the kernel's accounting
    long max_rss_kb = 0;     // peak resident memory
};

class Process {
public:
    explicit Process(const Spawn& spawn);
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    pid_t pid() const { return pid_; }

    // Queues bytes for standard input; they are written while the test waits.
    void send(std::string_view bytes);
    void close_stdin();  // once everything queued is written

    bool wait_for_out(std::string_view text, ms timeout = 10s);
    bool wait_for_err(std::string_view text, ms timeout = 10s);
    // The processes that carry this one's token: the program itself and all
    // it has started and that still run, detached ones included.
    std::vector<pid_t> carriers() const;
    // Collects output for a while; for checking that nothing more comes.
    void collect(ms duration);
    // Waits for the process to end and its output to be complete.
    Exit wait_exit(ms timeout = 10s);
    bool running();

    const std::string& out() const { return out_; }
    const std::string& err() const { return err_; }

private:
    bool pump(std::chrono::steady_clock::time_point until);
    bool reap();

    pid_t pid_ = -1;
    int in_ = -1, out_fd_ = -1, err_fd_ = -1;
    std::string pending_;
    bool close_when_sent_ = false;
    std::string out_, err_;
    Exit exit_;
    std::string token_;
};

struct Result {
    std::string out;
    std::string err;
    Exit exit;
};

// Runs a program to its end with the given standard input.
Result run(const Spawn& spawn, std::string_view input, ms timeout = 20s);
// The same for a lesson of the course by its name.
Result run_lesson(std::string_view name, std::string_view input, const Env& env = utf8_env());

class Terminal {
public:
    explicit Terminal(const Spawn& spawn);
    ~Terminal();
    Terminal(const Terminal&) = delete;
    Terminal& operator=(const Terminal&) = delete;

    pid_t pid() const { return pid_; }  // the program's own process

    void type(std::string_view bytes);  // as if typed on the keyboard
    // Waits until the screen (everything the terminal shows, with its CR LF
    // line ends) holds the text.
    bool wait_for(std::string_view text, ms timeout = 10s);
    void collect(ms duration);
    const std::string& screen() const { return screen_; }

    termios settings() const;
    // Bytes still waiting in the terminal's input, unread by anyone. Only
    // meaningful once the program has ended.
    std::string unread_input();

    bool wait_stopped(ms timeout = 10s);  // stopped by Ctrl-Z
    void resume();                        // what `fg` sends
    double cpu_seconds() const;           // user + system time so far
    Exit wait_exit(ms timeout = 10s);

private:
    bool pump(std::chrono::steady_clock::time_point until);

    pid_t shell_ = -1, pid_ = -1;
    int master_ = -1, slave_ = -1, report_ = -1;
    std::string screen_;
    Exit exit_;
    std::string token_;
};

}  // namespace harness
