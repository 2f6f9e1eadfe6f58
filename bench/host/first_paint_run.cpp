#include "first_paint_run.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstring>
#include <stdexcept>

extern char** environ;

namespace mundor::bench {

namespace {

// Both ends of a pipe, closed when they go.
class Pipe {
  public:
    Pipe() {
        if (::pipe2(fds_.data(), O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
    }
    ~Pipe() {
        CloseReadEnd();
        CloseWriteEnd();
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;

    int readEnd() const { return fds_[0]; }
    int writeEnd() const { return fds_[1]; }
    void CloseWriteEnd() { Close(fds_[1]); }
    void CloseReadEnd() { Close(fds_[0]); }

  private:
    static void Close(int& fd) {
        if (fd >= 0) ::close(fd);
        fd = -1;
    }
    std::array<int, 2> fds_{-1, -1};
};

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

pid_t Spawn(const ProgramToTime& program, const Pipe& output) {
    std::vector<std::string> argv{program.path};
    argv.insert(argv.end(), program.arguments.begin(), program.arguments.end());
    argv.emplace_back("--exit-after-first-paint");
    std::vector<std::string> env;
    for (char** entry = environ; *entry; ++entry) env.emplace_back(*entry);
    env.insert(env.end(), program.environment.begin(), program.environment.end());
    auto argvPointers = Pointers(argv);
    auto envPointers = Pointers(env);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output.writeEnd(), STDOUT_FILENO);
    pid_t pid = -1;
    const int failed = ::posix_spawn(&pid, program.path.c_str(), &actions, nullptr,
                                     argvPointers.data(), envPointers.data());
    posix_spawn_file_actions_destroy(&actions);
    if (failed) throw std::runtime_error("cannot start " + program.path);
    return pid;
}

// Reads the program's output until its first-paint line; false at the end of its output.
bool ReadUntilFirstPaint(int fd) {
    std::string seen;
    std::array<char, 512> buffer{};
    for (;;) {
        const ssize_t got = ::read(fd, buffer.data(), buffer.size());
        if (got <= 0) return false;
        seen.append(buffer.data(), static_cast<std::size_t>(got));
        if (seen.find("first-paint\n") != std::string::npos) return true;
    }
}

}  // namespace

std::chrono::duration<double> TimeToFirstPaint(const ProgramToTime& program) {
    Pipe output;
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = Spawn(program, output);
    output.CloseWriteEnd();
    const bool painted = ReadUntilFirstPaint(output.readEnd());
    const auto painting = std::chrono::steady_clock::now() - start;
    output.CloseReadEnd();
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!painted) throw std::runtime_error(program.path + " ended without painting");
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error(program.path + " failed");
    }
    return painting;
}

}  // namespace mundor::bench
