// One repaint of a full terminal image, through its real paint path (repaint() on a shown
// widget, off screen), beside a plain fill of the same area as the floor:
//   kestrel_bench --benchmark_filter=Paint

#include "screen/ScreenBuffer.h"
#include "screen/TerminalView.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

constexpr QSize TerminalSize(1000, 600);

QByteArray spotLine(int number) {
    return "DX de K1ABC:     14025.0  JA1XYZ       cq cq up 2 number " +
           QByteArray::number(number) + "  1234Z\r\n";
}

// A shown terminal full of spot lines, its first paint done.
struct ShownTerminal {
    ScreenBuffer screen;
    TerminalView view{screen};
    int spots = 0;

    ShownTerminal() {
        while (spots < 100)
            screen.PutString(spotLine(spots++));
        view.resize(TerminalSize);
        view.show();
        view.repaint();
        QCoreApplication::processEvents();
    }
};

void BM_PaintUnchanged(benchmark::State& state) {
    ShownTerminal terminal;
    for (auto _ : state)
        terminal.view.repaint();
}
BENCHMARK(BM_PaintUnchanged)->Unit(benchmark::kMicrosecond);

void BM_PaintOneNewLine(benchmark::State& state) {
    ShownTerminal terminal;
    for (auto _ : state) {
        terminal.screen.PutString(spotLine(terminal.spots++));
        terminal.view.repaint();
    }
}
BENCHMARK(BM_PaintOneNewLine)->Unit(benchmark::kMicrosecond);

void BM_PaintPlainFill(benchmark::State& state) {
    QImage image(TerminalSize, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        painter.fillRect(image.rect(), Qt::white);
    }
}
BENCHMARK(BM_PaintPlainFill)->Unit(benchmark::kMicrosecond);

} // namespace
