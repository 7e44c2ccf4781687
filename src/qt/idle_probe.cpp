#include "idle_probe.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/resource.h>
#endif

namespace quillon::qt {

std::optional<IdleProbe::Options> IdleProbe::FromEnvironment() {
    const QByteArray exit = qgetenv("QUILLON_EXIT_WHEN_IDLE");
    const QByteArray seconds = qgetenv("QUILLON_IDLE_SECONDS");
    if ((exit.isEmpty() || exit == "0") && seconds.isEmpty()) return std::nullopt;
    Options options;
    bool ok = false;
    const double s = seconds.toDouble(&ok);
    if (ok && s > 0 && s <= 3600) options.idleSeconds = s;
    return options;
}

IdleProbe::IdleProbe(Options options, std::function<bool()> ready, QObject* parent)
    : QObject(parent), options_(options), ready_(std::move(ready)) {
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            &IdleProbe::AboutToBlock);
}

double IdleProbe::ProcessCpuMs() {
#ifdef _WIN32
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
    auto ms = [](const FILETIME& t) {
        return double((ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
    };
    return ms(kernel) + ms(user);
#else
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
#endif
}

long IdleProbe::PeakResidentKb() {
#ifdef _WIN32
    return 0;
#else
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;  // kilobytes on Linux
#endif
}

void IdleProbe::AboutToBlock() {
    // Some event dispatchers announce every wait, even with work queued; the check runs as an
    // event of its own and drains whatever is queued before it counts the loop as idle.
    if (idle_ || checkPending_ || !ready_()) return;
    checkPending_ = true;
    QTimer::singleShot(0, this, &IdleProbe::Check);
}

void IdleProbe::Check() {
    checkPending_ = false;
    QEventLoop drain;
    for (int i = 0; i < 1000 && drain.processEvents(QEventLoop::AllEvents); ++i) {
    }
    if (!ready_()) return;
    idle_ = true;
    disconnect(QAbstractEventDispatcher::instance(), nullptr, this, nullptr);
    startCpuMs_ = ProcessCpuMs();
    if (options_.idleSeconds <= 0) {
        Report(-1);
        return;
    }
    QTimer::singleShot(static_cast<int>(options_.idleSeconds * 1000), this,
                       [this] { Report(ProcessCpuMs() - startCpuMs_); });
}

void IdleProbe::Report(double idleCpuMs) {
    std::fprintf(stderr, "idle: cpu_ms=%.1f maxrss_kb=%ld", startCpuMs_, PeakResidentKb());
    if (idleCpuMs >= 0)
        std::fprintf(stderr, " idle_s=%g idle_cpu_ms=%.1f", options_.idleSeconds, idleCpuMs);
    std::fprintf(stderr, "\n");
    std::fflush(stderr);
    QCoreApplication::exit(0);
}

}  // namespace quillon::qt
