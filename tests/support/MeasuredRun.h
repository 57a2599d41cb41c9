#pragma once

#include <QElapsedTimer>
#include <QFile>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryFile>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

namespace skyloom::test {

// The most one `skyloom --compose` may take: the image limit's 256 MiB for the largest picture,
// plus the program, its libraries and the screen-sized images. Under a sanitizer, shadow memory
// and quarantine make peak figures meaningless, so they are not checked there.
constexpr long kComposePeakLimitKiB = 400 * 1024;
#ifdef SKYLOOM_SANITIZED
constexpr bool kPeakIsChecked = false;
#else
constexpr bool kPeakIsChecked = true;
#endif

// How a program run by RunMeasured ended.
struct MeasuredRun {
    int exitCode = -1;  // the exit status when it exited
    int signal = 0;     // the signal that ended it (SIGKILL when out of time), 0 when it exited
    long peakKiB = 0;   // its peak resident memory
    double seconds = 0; // wall-clock time
    QByteArray err;     // what it wrote on stderr
    bool Exited() const { return signal == 0 && exitCode >= 0; }
};

// Runs a program with the environment, killed after timeoutSeconds (through coreutils'
// timeout, so no polling here), and reports its exit, peak memory and time. wait4 reports the
// peak of the whole waited-for tree, which is the program's own.
inline MeasuredRun RunMeasured(const QString& program, const QStringList& arguments,
                               const QProcessEnvironment& environment, int timeoutSeconds) {
    MeasuredRun run;
    QTemporaryFile err;
    if (!err.open())
        return run;
    std::vector<QByteArray> argv{"timeout", "-s", "KILL", QByteArray::number(timeoutSeconds),
                                 QFile::encodeName(program)};
    for (const QString& argument : arguments)
        argv.push_back(argument.toUtf8());
    std::vector<char*> argp;
    for (QByteArray& a : argv)
        argp.push_back(a.data());
    argp.push_back(nullptr);
    std::vector<QByteArray> env;
    for (const QString& entry : environment.toStringList())
        env.push_back(entry.toUtf8());
    std::vector<char*> envp;
    for (QByteArray& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, err.handle(), 2);
    QElapsedTimer timer;
    timer.start();
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, "timeout", &actions, nullptr, argp.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return run;
    int status = 0;
    rusage usage{};
    if (::wait4(pid, &status, 0, &usage) != pid)
        return run;
    run.seconds = timer.elapsed() / 1000.0;
    run.peakKiB = usage.ru_maxrss;
    // With -s KILL, timeout kills its whole process group, itself included, when the time is
    // up; it passes a signal that ended the program on by dying of it.
    if (WIFEXITED(status))
        run.exitCode = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        run.signal = WTERMSIG(status);
    err.seek(0);
    run.err = err.readAll();
    return run;
}

} // namespace skyloom::test
