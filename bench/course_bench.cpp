// Measures the console frame against the plain thing, side by side in one run,
// and prints a Markdown table: ./course bench
//
//   key wait   processor time over a 2-second wait, and key press to exit,
//              against a poll that never sleeps (what the home platform does);
//   echo       a 20 MB Cyrillic line through russian_echo against a narrow
//              getline/cout echo of the same bytes: time and peak memory;
//   start-up   a lesson without input (logic_ops) against "Hello" in iostream.
//
// Each figure is the median of several runs, the two sides taking turns.
#include "harness.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace {

using clock_type = std::chrono::steady_clock;

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

double seconds_since(clock_type::time_point start)
{
    return std::chrono::duration<double>(clock_type::now() - start).count();
}

bool waiting_mode(const termios& t)
{
    return (t.c_lflag & (ICANON | ECHO)) == 0;
}

struct WaitFigures {
    double cpu_share = 0;  // processor time / wall time over the wait
    double reaction_ms = 0;
};

// Runs a program in a terminal until it waits for a key (it has switched the
// terminal to raw mode), lets it wait 2 seconds, then presses a key.
WaitFigures measure_wait(const std::string& program, const std::string& last_output)
{
    harness::Terminal t(program);
    if (!last_output.empty())
        t.wait_for(last_output);
    for (int i = 0; i < 500 && !waiting_mode(t.settings()); ++i)
        std::this_thread::sleep_for(10ms);
    double cpu_before = t.cpu_seconds();
    auto start = clock_type::now();
    t.collect(2s);
    WaitFigures f;
    f.cpu_share = (t.cpu_seconds() - cpu_before) / seconds_since(start);
    auto pressed = clock_type::now();
    t.type("k");
    t.wait_exit(5s);
    f.reaction_ms = seconds_since(pressed) * 1000;
    return f;
}

struct RunFigures {
    double wall = 0;
    double cpu = 0;
    double rss_mb = 0;
    std::size_t out_bytes = 0;
};

RunFigures measure_run(const std::string& program, const std::string& input)
{
    auto start = clock_type::now();
    auto r = harness::run(harness::Spawn(program), input, 120s);
    RunFigures f;
    f.wall = seconds_since(start);
    f.cpu = r.exit.cpu_seconds;
    f.rss_mb = static_cast<double>(r.exit.max_rss_kb) / 1024;
    f.out_bytes = r.out.size();
    return f;
}

void row(const char* what, double lesson, double baseline, const char* unit, const char* goal)
{
    std::printf("| %s | %.3g %s | %.3g %s | %.2fx | %s |\n", what, lesson, unit, baseline, unit,
                baseline > 0 ? lesson / baseline : 0.0, goal);
}

}  // namespace

int main()
{
    std::printf("| measure | lesson | yardstick | ratio | goal |\n|---|---|---|---|---|\n");

    // Key wait.
    std::vector<double> share, busy_share, reaction, busy_reaction;
    for (int i = 0; i < 3; ++i) {
        auto lesson = measure_wait(harness::program("logic_ops"), " b = true \r\n");
        auto busy = measure_wait(harness::program("busy_wait"), "");
        share.push_back(lesson.cpu_share * 100);
        busy_share.push_back(busy.cpu_share * 100);
        reaction.push_back(lesson.reaction_ms);
        busy_reaction.push_back(busy.reaction_ms);
    }
    row("key wait: processor time over a 2 s wait", median(share), median(busy_share), "%",
        "under 1 %");
    row("key wait: key press to exit", median(reaction), median(busy_reaction), "ms", "immediate");

    // Echo of a 20 MB line.
    std::string line;
    while (line.size() < 20u * 1024 * 1024)
        line += "Длинная строка ";
    line += "\n";
    std::vector<double> wall, cpu, base_wall, base_cpu, rss, base_rss;
    for (int i = 0; i < 5; ++i) {
        auto lesson = measure_run(harness::program("russian_echo"), line);
        auto base = measure_run(harness::program("narrow_echo"), line);
        if (lesson.out_bytes < line.size() || base.out_bytes != line.size()) {
            std::fprintf(stderr, "course_bench: an echo lost bytes\n");
            return 1;
        }
        wall.push_back(lesson.wall);
        cpu.push_back(lesson.cpu);
        rss.push_back(lesson.rss_mb);
        base_wall.push_back(base.wall);
        base_cpu.push_back(base.cpu);
        base_rss.push_back(base.rss_mb);
    }
    row("echo of a 20 MB line: wall time", median(wall), median(base_wall), "s", "under 1.5x");
    row("echo of a 20 MB line: processor time", median(cpu), median(base_cpu), "s", "under 1.5x");
    row("echo of a 20 MB line: peak memory", median(rss), median(base_rss), "MB",
        "(the line: 20 MB)");

    // Start-up to exit.
    std::vector<double> start, base_start;
    for (int i = 0; i < 100; ++i) {
        start.push_back(measure_run(harness::program("logic_ops"), "").wall * 1000);
        base_start.push_back(measure_run(harness::program("hello_iostream"), "").wall * 1000);
    }
    row("start-up to exit, no input", median(start), median(base_start), "ms", "under 1.2x");
    return 0;
}
