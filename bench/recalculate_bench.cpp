// The cost of one recomputation of a geometry window, fields to fields and display list,
// without any painting.
#include <benchmark/benchmark.h>

#include <string>
#include <utility>

#include "cli/recording_host.h"
#include "geometry/frmLineRLine.h"
#include "shell/disk_files.h"
#include "shell/module1.h"

namespace {

using namespace quillon;

// frmLineRLine's full case: both lines, R, nose radius and tool-tip direction, so that every
// step runs (intersection, fitted scale, corner circle, nose compensation, tips, strokes).
void LineRLineFullRecalculate(benchmark::State& state) {
    RecordingHost host;
    DiskFiles files;
    Module1 m(host, files);
    frmLineRLine form(m);
    form.Load();
    form.Activate();
    for (const auto& [field, text] : {std::pair{"Text1", "40"},
                                      {"Text2", "0"},
                                      {"Text3", "0"},
                                      {"Text4", "40"},
                                      {"Text5", "-20"},
                                      {"Text6", "90"},
                                      {"Text9", "2"},
                                      {"Text20", "0.4"}})
        form.DeliverSetText(field, text);
    form.RunRecalculate();
    if (form["Text32"].Text != "-20.8") state.SkipWithError("the full case did not compute");
    for (auto _ : state) {
        form.RunRecalculate();
        benchmark::DoNotOptimize(form["Text32"].Text.data());
    }
}
BENCHMARK(LineRLineFullRecalculate);

}  // namespace
