// Time from starting the orvina binary to its first painted frame, with a
// people database of 1 and of 1,000,000 records in its working folder. The program,
// told so by ORVINA_EXIT_AFTER_FIRST_PAINT, writes a line to standard output
// right after its first paint and then ends through its usual shutdown.
#include "people/databasefile.h"
#include "people/namelist.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {
namespace fs = std::filesystem;

fs::path ProgramPath()
{
    // The benchmarks and the program are built into the same folder.
    return fs::read_symlink("/proc/self/exe").parent_path() / "orvina";
}

fs::path MakeFolder(int people)
{
    const fs::path folder = fs::temp_directory_path() / ("orvina-startup-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder / "config");
    CNameList names;
    for (int i = 0; i < people; ++i) {
        names.Append(CName("Person " + std::to_string(i), std::to_string(1900 + i % 120),
                           std::to_string(1 + i % 12), std::to_string(1 + i % 28)));
    }
    if (SaveDatabaseFile((folder / kDatabaseFileName).string(), names))
        std::abort();
    return folder;
}

// Starts the program and returns the seconds until its first-paint line,
// or a negative value when it never came.
double TimeToFirstPaint(const fs::path& program, const fs::path& folder)
{
    int out[2];
    if (::pipe(out) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);

    const std::string config = "XDG_CONFIG_HOME=" + (folder / "config").string();
    std::vector<std::string> environment = {"QT_QPA_PLATFORM=offscreen", "ORVINA_EXIT_AFTER_FIRST_PAINT=1", config};
    for (char** variable = environ; *variable; ++variable) {
        const std::string text = *variable;
        if (text.rfind("QT_QPA_PLATFORM=", 0) != 0 && text.rfind("XDG_CONFIG_HOME=", 0) != 0)
            environment.push_back(text);
    }
    std::vector<char*> envp;
    for (std::string& text : environment)
        envp.push_back(text.data());
    envp.push_back(nullptr);
    std::string programText = program.string();
    char* argv[] = {programText.data(), nullptr};

    const fs::path previous = fs::current_path();
    fs::current_path(folder);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv, envp.data());
    fs::current_path(previous);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (spawned != 0) {
        ::close(out[0]);
        return -1;
    }

    double seconds = -1;
    char byte = 0;
    while (::read(out[0], &byte, 1) == 1) {
        if (byte == '\n') {
            seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            break;
        }
    }
    ::close(out[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? seconds : -1;
}

void BM_StartupToFirstPaint(benchmark::State& state)
{
    const fs::path program = ProgramPath();
    const fs::path folder = MakeFolder(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const double seconds = TimeToFirstPaint(program, folder);
        if (seconds < 0) {
            state.SkipWithError("the program did not report its first paint");
            break;
        }
        state.SetIterationTime(seconds);
    }
    fs::remove_all(folder);
}
}

BENCHMARK(BM_StartupToFirstPaint)->Arg(1)->Arg(1000000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
