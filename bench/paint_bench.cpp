// The cost of one recomputation of each geometry window's full case followed by painting its
// figure into a 640 x 360 image with the program's own picture painter, as a redraw on screen
// does; and of each keyboard window's key case followed by painting the whole window. Runs on the
// offscreen platform unless another is asked for.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <string>

#include "form_view.h"
#include "full_cases.h"
#include "picture_view.h"
#include "platform.h"
#include "qt_host.h"
#include "quillon_app.h"

namespace {

using namespace quillon;

constexpr int kWidth = 640, kHeight = 360;

// The share of pixels that are not the black ground: a figure was drawn.
bool Drawn(const QImage& image) {
    int lit = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(0, 0, 0)) ++lit;
    return lit > 100;
}

void RecalculateAndPaint(benchmark::State& state, const bench::FullCase& c) {
    bench::OpenedCase opened(c);
    if (!opened.Solved()) {
        state.SkipWithError("the full case did not compute");
        return;
    }
    qt::PictureView view;
    view.resize(kWidth, kHeight);
    view.SetPicture(&opened.Figure());
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    view.render(&image);
    if (!Drawn(image)) {
        state.SkipWithError("nothing was painted");
        return;
    }
    for (auto _ : state) {
        opened.Run();
        view.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}

// One key case, then the window's widgets mirrored and painted into an image, as the screen
// shows the window after the keys.
void KeysAndPaint(benchmark::State& state, const bench::KeyCase& c) {
    bench::KeyedCase keyed(c);
    if (!keyed.Solved()) {
        state.SkipWithError("the key case did not compute");
        return;
    }
    const auto platform = qt::SystemPlatform();
    qt::QtHost host(*platform);
    qt::FormView view(keyed.Window(), host);
    view.Sync();
    view.adjustSize();
    QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        keyed.Run();
        view.Sync();
        view.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    if (!keyed.Solved()) state.SkipWithError("a timed run computed something else");
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The style and the font the program uses, so that texts are measured and drawn alike.
    qt::ApplyAppearance(app);
    for (const bench::FullCase& c : bench::FullCases())
        benchmark::RegisterBenchmark((std::string("RecalculateAndPaint/") + c.window).c_str(),
                                     RecalculateAndPaint, c)
            ->Unit(benchmark::kMicrosecond);
    for (const bench::KeyCase& c : bench::KeyCases())
        benchmark::RegisterBenchmark((std::string("KeysAndPaint/") + c.window).c_str(),
                                     KeysAndPaint, c)
            ->Unit(benchmark::kMicrosecond);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
