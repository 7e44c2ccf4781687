// A measuring aid for start-up, memory and idle cost, off unless its environment variables
// ask for it (they change nothing else):
//
//   QUILLON_EXIT_WHEN_IDLE=1   once the program's windows are shown and its event loop has
//                              nothing left to do, print one line of figures to standard
//                              error and end the program normally;
//   QUILLON_IDLE_SECONDS=S     first stay idle for S seconds and report the processor time
//                              used meanwhile (implies QUILLON_EXIT_WHEN_IDLE).
//
// The line: "idle: cpu_ms=… maxrss_kb=…" at the first idle moment, followed by
// " idle_s=… idle_cpu_ms=…" when an idle period was asked for. Processor time counts user and
// system time of the whole process; maxrss_kb is its peak resident memory.
#pragma once

#include <QObject>
#include <functional>
#include <optional>

namespace quillon::qt {

class IdleProbe : public QObject {
    Q_OBJECT

public:
    struct Options {
        double idleSeconds = 0;
    };
    // The options the environment asks for; none when the probe is off.
    static std::optional<Options> FromEnvironment();

    // `ready` tells when everything that start-up shows is on screen.
    IdleProbe(Options options, std::function<bool()> ready, QObject* parent = nullptr);

    // Processor time used by the process so far (user and system), in milliseconds.
    static double ProcessCpuMs();
    // Peak resident memory of the process in kilobytes (0 where unknown).
    static long PeakResidentKb();

private:
    void AboutToBlock();
    void Check();
    void Report(double idleCpuMs);

    Options options_;
    std::function<bool()> ready_;
    bool checkPending_ = false;
    bool idle_ = false;
    double startCpuMs_ = 0;
};

}  // namespace quillon::qt
