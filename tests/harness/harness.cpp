#include "harness.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <pty.h>
#include <sstream>
#include <stdexcept>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#ifndef COURSE_BIN_DIR
#error "COURSE_BIN_DIR must name the directory of the built programs"
#endif

namespace harness {

namespace {

using clock = std::chrono::steady_clock;

// Detached grandchildren (the Qt receiver) are re-parented to us instead of
// to init, so that we can reap them and leave no zombie behind.
const bool subreaper = prctl(PR_SET_CHILD_SUBREAPER, 1) == 0;

// A program may end without reading all the input a test queued for it: the
// write to its closed pipe must fail with EPIPE (pump() handles that) rather
// than kill the test. Children get the default back before exec.
[[maybe_unused]] const bool sigpipe_ignored = std::signal(SIGPIPE, SIG_IGN) != SIG_ERR;

// Each child carries a token of its own in its environment, inherited by all
// it starts; at the end we end every process that still carries it.
std::string new_token()
{
    static std::atomic<int> counter{0};
    return "COURSE_TEST_TOKEN=" + std::to_string(getpid()) + "-" + std::to_string(++counter);
}

std::vector<pid_t> find_carriers(const std::string& token)
{
    std::vector<pid_t> found;
    DIR* proc = opendir("/proc");
    if (proc == nullptr)
        return found;
    while (dirent* e = readdir(proc)) {
        char* end = nullptr;
        long pid = std::strtol(e->d_name, &end, 10);
        if (*end != '\0' || pid <= 0 || pid == getpid())
            continue;
        std::ifstream env(std::string("/proc/") + e->d_name + "/environ", std::ios::binary);
        std::string entry;
        while (std::getline(env, entry, '\0')) {
            if (entry == token) {
                found.push_back(static_cast<pid_t>(pid));
                break;
            }
        }
    }
    closedir(proc);
    return found;
}

void kill_carriers(const std::string& token)
{
    std::vector<pid_t> found = find_carriers(token);
    for (pid_t p : found)
        kill(p, SIGKILL);
    for (pid_t p : found)
        waitpid(p, nullptr, 0);  // ours through the subreaper; ECHILD otherwise
}

std::vector<char*> c_strings(std::vector<std::string>& v)
{
    std::vector<char*> out;
    out.reserve(v.size() + 1);
    for (auto& s : v)
        out.push_back(s.data());
    out.push_back(nullptr);
    return out;
}

std::vector<std::string> child_env(const Spawn& spawn, const std::string& token)
{
    std::vector<std::string> env = spawn.env;
    env.push_back("PATH=/usr/local/bin:/usr/bin:/bin");
    env.push_back(token);
    for (const char* name : {"ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"}) {
        if (const char* v = std::getenv(name))
            env.push_back(std::string(name) + "=" + v);
    }
    return env;
}

// In the child after fork: only async-signal-safe calls until exec, so the
// argument and environment arrays are made before the fork.
[[noreturn]] void exec_child(const Spawn& spawn, std::vector<char*>& argv, std::vector<char*>& env)
{
    if (!spawn.cwd.empty() && chdir(spawn.cwd.c_str()) != 0)
        _exit(126);
    signal(SIGPIPE, SIG_DFL);  // an ignored signal would survive exec
    execve(spawn.path.c_str(), argv.data(), env.data());
    _exit(127);
}

std::vector<std::string> child_argv(const Spawn& spawn)
{
    std::vector<std::string> argv{spawn.path};
    argv.insert(argv.end(), spawn.args.begin(), spawn.args.end());
    return argv;
}

Exit decode(int status, const rusage* usage = nullptr)
{
    Exit e;
    e.exited = true;
    if (usage) {
        auto seconds = [](const timeval& t) {
            return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
        };
        e.cpu_seconds = seconds(usage->ru_utime) + seconds(usage->ru_stime);
        e.max_rss_kb = usage->ru_maxrss;
    }
    if (WIFEXITED(status))
        e.code = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        e.signal = WTERMSIG(status);
    return e;
}

void set_nonblocking(int fd)
{
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
}

int remaining_ms(clock::time_point until)
{
    auto left = std::chrono::duration_cast<ms>(until - clock::now()).count();
    return left < 0 ? 0 : static_cast<int>(left > 50 ? 50 : left);
}

// Reads what is there; false at end of file (or error).
bool drain(int fd, std::string& into)
{
    char buf[65536];
    for (;;) {
        ssize_t n = read(fd, buf, sizeof buf);
        if (n > 0) {
            into.append(buf, static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EINTR))
            return true;
        return false;
    }
}

}  // namespace

Env utf8_env()
{
    return {"LANG=C.UTF-8"};
}
Env no_lang_env()
{
    return {};
}

std::string program(std::string_view name)
{
    return std::string(COURSE_BIN_DIR) + "/" + std::string(name);
}

// ---- Process --------------------------------------------------------------

Process::Process(const Spawn& spawn) : token_(new_token())
{
    (void)subreaper;
    int in[2], out[2], err[2];
    if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe failed");
    auto argv_strings = child_argv(spawn);
    auto env_strings = child_env(spawn, token_);
    auto argv = c_strings(argv_strings);
    auto env = c_strings(env_strings);
    pid_ = fork();
    if (pid_ < 0)
        throw std::runtime_error("fork failed");
    if (pid_ == 0) {
        setsid();
        dup2(in[0], 0);
        dup2(out[1], 1);
        dup2(err[1], 2);
        exec_child(spawn, argv, env);
    }
    close(in[0]);
    close(out[1]);
    close(err[1]);
    in_ = in[1];
    out_fd_ = out[0];
    err_fd_ = err[0];
    set_nonblocking(in_);
    set_nonblocking(out_fd_);
    set_nonblocking(err_fd_);
}

Process::~Process()
{
    if (!exit_.exited) {
        kill(-pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    } else {
        kill(-pid_, SIGKILL);  // anything the program left in its session
    }
    kill_carriers(token_);
    for (int fd : {in_, out_fd_, err_fd_})
        if (fd >= 0)
            close(fd);
}

void Process::send(std::string_view bytes)
{
    pending_.append(bytes);
}

std::vector<pid_t> Process::carriers() const
{
    return find_carriers(token_);
}

void Process::close_stdin()
{
    close_when_sent_ = true;
    pump(clock::now());
}

bool Process::reap()
{
    if (exit_.exited)
        return true;
    int status = 0;
    rusage usage{};
    if (wait4(pid_, &status, WNOHANG, &usage) == pid_) {
        exit_ = decode(status, &usage);
        return true;
    }
    return false;
}

bool Process::running()
{
    return !reap();
}

// One round of moving bytes; false once both outputs have ended.
bool Process::pump(clock::time_point until)
{
    if (in_ >= 0 && pending_.empty() && close_when_sent_) {
        close(in_);
        in_ = -1;
    }
    pollfd fds[3];
    int n = 0;
    if (out_fd_ >= 0)
        fds[n++] = {out_fd_, POLLIN, 0};
    if (err_fd_ >= 0)
        fds[n++] = {err_fd_, POLLIN, 0};
    if (in_ >= 0 && !pending_.empty())
        fds[n++] = {in_, POLLOUT, 0};
    if (n == 0)
        return false;
    poll(fds, static_cast<nfds_t>(n), remaining_ms(until));
    for (int i = 0; i < n; ++i) {
        if (fds[i].revents == 0)
            continue;
        if (fds[i].fd == in_) {
            ssize_t w = write(in_, pending_.data(), pending_.size());
            if (w > 0) {
                pending_.erase(0, static_cast<std::size_t>(w));
            } else if (w < 0 && errno == EPIPE) {  // the program stopped reading
                pending_.clear();
                close(in_);
                in_ = -1;
            }
        } else {
            int& fd = fds[i].fd == out_fd_ ? out_fd_ : err_fd_;
            if (!drain(fd, fd == out_fd_ ? out_ : err_)) {
                close(fd);
                fd = -1;
            }
        }
    }
    if (in_ >= 0 && pending_.empty() && close_when_sent_) {
        close(in_);
        in_ = -1;
    }
    return out_fd_ >= 0 || err_fd_ >= 0;
}

bool Process::wait_for_out(std::string_view text, ms timeout)
{
    auto until = clock::now() + timeout;
    while (out_.find(text) == std::string::npos) {
        if (clock::now() >= until || !pump(until))
            return out_.find(text) != std::string::npos;
    }
    return true;
}

bool Process::wait_for_err(std::string_view text, ms timeout)
{
    auto until = clock::now() + timeout;
    while (err_.find(text) == std::string::npos) {
        if (clock::now() >= until || !pump(until))
            return err_.find(text) != std::string::npos;
    }
    return true;
}

void Process::collect(ms duration)
{
    auto until = clock::now() + duration;
    while (clock::now() < until && pump(until)) {}
}

Exit Process::wait_exit(ms timeout)
{
    auto until = clock::now() + timeout;
    std::chrono::steady_clock::time_point grace{};
    for (;;) {
        bool open = pump(until);
        if (reap()) {
            // Output is complete at end of file; something the program
            // started may hold the pipes open, so give it a moment only.
            if (!open)
                break;
            if (grace == clock::time_point{})
                grace = clock::now() + 500ms;
            if (clock::now() >= grace)
                break;
        }
        if (clock::now() >= until)
            break;
        if (!open && !reap())
            usleep(5000);
    }
    return exit_;
}

Result run(const Spawn& spawn, std::string_view input, ms timeout)
{
    Process p(spawn);
    p.send(input);
    p.close_stdin();
    Result r;
    r.exit = p.wait_exit(timeout);
    r.out = p.out();
    r.err = p.err();
    return r;
}

Result run_lesson(std::string_view name, std::string_view input, const Env& env)
{
    return run(Spawn(program(name), {}, env), input);
}

// ---- Terminal ---------------------------------------------------------------

Terminal::Terminal(const Spawn& spawn) : token_(new_token())
{
    (void)subreaper;
    winsize ws{};
    ws.ws_row = 25;
    ws.ws_col = 80;
    if (openpty(&master_, &slave_, nullptr, nullptr, &ws) != 0)
        throw std::runtime_error("openpty failed");
    fcntl(master_, F_SETFD, FD_CLOEXEC);
    fcntl(slave_, F_SETFD, FD_CLOEXEC);
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe failed");
    auto argv_strings = child_argv(spawn);
    auto env_strings = child_env(spawn, token_);
    env_strings.push_back("TERM=xterm");
    auto argv = c_strings(argv_strings);
    auto env = c_strings(env_strings);

    shell_ = fork();
    if (shell_ < 0)
        throw std::runtime_error("fork failed");
    if (shell_ == 0) {
        // The tiny shell: a session leader that owns the terminal and runs
        // the program as its foreground job, in a process group of its own.
        setsid();
        ioctl(slave_, TIOCSCTTY, 0);
        pid_t job = fork();
        if (job == 0) {
            setpgid(0, 0);
            signal(SIGTTOU, SIG_IGN);  // a job takes the terminal as a shell's child does
            tcsetpgrp(slave_, getpid());
            signal(SIGTTOU, SIG_DFL);
            dup2(slave_, 0);
            dup2(slave_, 1);
            dup2(slave_, 2);
            exec_child(spawn, argv, env);
        }
        setpgid(job, job);
        if (write(report[1], &job, sizeof job) != sizeof job)
            _exit(1);
        int status = 0;
        for (;;) {
            pid_t r = waitpid(job, &status, WUNTRACED);
            if (r == job && WIFSTOPPED(status))
                continue;  // the test plays the user who types `fg`
            if (r < 0 && errno == EINTR)
                continue;
            break;
        }
        if (write(report[1], &status, sizeof status) != sizeof status)
            _exit(1);
        _exit(0);
    }
    close(report[1]);
    report_ = report[0];
    pollfd p{report_, POLLIN, 0};
    if (poll(&p, 1, 10000) != 1 || read(report_, &pid_, sizeof pid_) != sizeof pid_)
        throw std::runtime_error("the program did not start");
    set_nonblocking(master_);
}

Terminal::~Terminal()
{
    if (pid_ > 0 && !exit_.exited) {
        kill(-pid_, SIGKILL);
        wait_exit(5s);
    }
    kill(shell_, SIGKILL);
    waitpid(shell_, nullptr, 0);
    kill_carriers(token_);
    for (int fd : {master_, slave_, report_})
        if (fd >= 0)
            close(fd);
}

void Terminal::type(std::string_view bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t w = write(master_, bytes.data() + done, bytes.size() - done);
        if (w > 0)
            done += static_cast<std::size_t>(w);
        else if (errno != EAGAIN && errno != EINTR)
            throw std::runtime_error("cannot type into the terminal");
        else
            pump(clock::now() + 10ms);
    }
}

bool Terminal::pump(clock::time_point until)
{
    pollfd p{master_, POLLIN, 0};
    if (poll(&p, 1, remaining_ms(until)) > 0)
        drain(master_, screen_);
    return true;
}

bool Terminal::wait_for(std::string_view text, ms timeout)
{
    auto until = clock::now() + timeout;
    while (screen_.find(text) == std::string::npos) {
        if (clock::now() >= until)
            return false;
        pump(until);
    }
    return true;
}

void Terminal::collect(ms duration)
{
    auto until = clock::now() + duration;
    while (clock::now() < until)
        pump(until);
}

termios Terminal::settings() const
{
    termios t{};
    tcgetattr(slave_, &t);
    return t;
}

std::string Terminal::unread_input()
{
    termios saved = settings();
    termios raw = saved;
    raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
    raw.c_cc[VMIN] = 0;
    raw.c_cc[VTIME] = 0;
    tcsetattr(slave_, TCSANOW, &raw);
    std::string bytes;
    char buf[256];
    ssize_t n;
    while ((n = read(slave_, buf, sizeof buf)) > 0)
        bytes.append(buf, static_cast<std::size_t>(n));
    tcsetattr(slave_, TCSANOW, &saved);
    return bytes;
}

bool Terminal::wait_stopped(ms timeout)
{
    auto until = clock::now() + timeout;
    while (clock::now() < until) {
        std::ifstream stat("/proc/" + std::to_string(pid_) + "/stat");
        std::string line;
        std::getline(stat, line);
        auto close_paren = line.rfind(')');
        if (close_paren != std::string::npos && close_paren + 2 < line.size() &&
            line[close_paren + 2] == 'T')
            return true;
        pump(clock::now() + 10ms);
    }
    return false;
}

void Terminal::resume()
{
    kill(-pid_, SIGCONT);
}

double Terminal::cpu_seconds() const
{
    std::ifstream stat("/proc/" + std::to_string(pid_) + "/stat");
    std::string line;
    std::getline(stat, line);
    auto close_paren = line.rfind(')');
    if (close_paren == std::string::npos)
        return -1;
    std::istringstream fields(line.substr(close_paren + 2));
    // Fields from the state on: state(3) ... utime(14) stime(15).
    std::string field;
    long utime = 0, stime = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i == 14)
            utime = std::stol(field);
        if (i == 15)
            stime = std::stol(field);
    }
    return static_cast<double>(utime + stime) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

Exit Terminal::wait_exit(ms timeout)
{
    if (exit_.exited)
        return exit_;
    auto until = clock::now() + timeout;
    while (clock::now() < until) {
        pollfd p[2] = {{report_, POLLIN, 0}, {master_, POLLIN, 0}};
        poll(p, 2, remaining_ms(until));
        if (p[1].revents != 0)
            drain(master_, screen_);
        if (p[0].revents != 0) {
            int status = 0;
            if (read(report_, &status, sizeof status) == sizeof status)
                exit_ = decode(status);
            drain(master_, screen_);  // the last lines
            break;
        }
    }
    return exit_;
}

}  // namespace harness
