// Starts a helper window and times it from just before the process is
// created to the first frame the helper reports ("frame <ns>" on its
// standard output, CLOCK_MONOTONIC). Prints
// "startup_ms <ms> cpu_ms <ms> hwm_kib <KiB>": the wall time, the helper's
// own CPU time by then, and its peak resident memory.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <poll.h>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {
long long monotonicNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

long long valueAfter(const std::string &text, const char *key)
{
    const size_t at = text.find(key);
    return at == std::string::npos ? -1 : std::atoll(text.c_str() + at + std::strlen(key));
}
} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PROGRAM [ARGUMENTS...]\n", argv[0]);
        return 2;
    }
    int out[2];
    if (pipe(out) != 0)
        return 1;

    const long long start = monotonicNanoseconds();
    const pid_t child = fork();
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        execv(argv[1], argv + 1);
        std::fprintf(stderr, "cannot start %s: %s\n", argv[1], std::strerror(errno));
        _exit(127);
    }
    close(out[1]);

    // Read until the helper has said both lines, or gives up, or 20 s pass.
    std::string said;
    const long long deadline = start + 20000000000LL;
    while (said.find("hwm ") == std::string::npos
           || said.find('\n', said.find("hwm ")) == std::string::npos) {
        const long long left = (deadline - monotonicNanoseconds()) / 1000000;
        pollfd fd{out[0], POLLIN, 0};
        if (left <= 0 || poll(&fd, 1, int(left)) <= 0)
            break;
        char buffer[256];
        const ssize_t got = read(out[0], buffer, sizeof buffer);
        if (got <= 0)
            break;
        said.append(buffer, size_t(got));
    }
    const long long frame = valueAfter(said, "frame ");
    const long long cpu = valueAfter(said, "cpu ");
    const long long hwm = valueAfter(said, "hwm ");

    int status = 0;
    if (frame < 0 || hwm < 0)
        kill(child, SIGKILL);
    waitpid(child, &status, 0);
    if (frame < 0 || hwm < 0) {
        std::fprintf(stderr, "%s reported no frame\n", argv[1]);
        return 1;
    }
    std::printf("startup_ms %.3f cpu_ms %.3f hwm_kib %lld\n", double(frame - start) / 1e6, double(cpu) / 1e6,
                hwm);
    return 0;
}
