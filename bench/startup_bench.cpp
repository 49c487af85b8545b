// Start-up of the real program: from process start to the first painted model window, on the
// offscreen platform, with an example model named on the command line. The program ends itself
// after that first paint. It runs in a folder of its own with a copy of the project's settings;
// the first run adds the model to the recent files there, and later runs start as a user starts
// the program on the model of the day before.

#include <benchmark/benchmark.h>

#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

const std::string Program = KINETRA_PROGRAM;
const std::string Model = KINETRA_EXAMPLE_MODEL;

namespace fs = std::filesystem;

// A temporary folder, removed with everything in it at the end.
class ScratchFolder {
public:
    ScratchFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "kinetra-startup-XXXXXX").string();
        if (mkdtemp(pattern.data()))
            m_path = pattern;
    }
    ~ScratchFolder()
    {
        if (!m_path.empty())
            fs::remove_all(m_path);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const fs::path& path() const { return m_path; }

private:
    fs::path m_path;
};

// Starts the program in the folder and waits for it to end; false when it could not start or did
// not end well.
bool runToFirstPaint(const fs::path& folder)
{
    std::vector<std::string> environment{
        "QT_QPA_PLATFORM=offscreen", "KINETRA_EXIT_AFTER_FIRST_PAINT=1", "LC_NUMERIC=ru_RU.UTF-8"};
    for (char** entry = environ; *entry; ++entry)
        environment.emplace_back(*entry);
    std::vector<char*> envp;
    for (std::string& entry : environment)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    std::string program = Program;
    std::string model = Model;
    char* argv[] = {program.data(), model.data(), nullptr};

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    pid_t child = 0;
    const int spawned = posix_spawn(&child, program.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return false;
    int status = 0;
    return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void StartToFirstPaint(benchmark::State& state)
{
    const ScratchFolder folder;
    if (folder.path().empty()) {
        state.SkipWithError("no temporary folder");
        return;
    }
    fs::copy_file(KINETRA_SETTINGS, folder.path() / "Kinetra.ini");
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        if (!runToFirstPaint(folder.path())) {
            state.SkipWithError("the program did not start and end cleanly");
            return;
        }
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
}
BENCHMARK(StartToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

BENCHMARK_MAIN();
