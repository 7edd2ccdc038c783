// One A4 PDF page of the view, as `shiftcal render -o FILE.pdf` writes it (written to
// /dev/null through the program's own writePdf), against the way it was written before: an
// image of the view, stretched over the printable area, the same page otherwise. Both run in
// this process after the QGuiApplication exists, so the figures are the page's own cost; a
// whole `shiftcal render` adds the same process start to both.
//
// BM_PdfVectorToBitmapRatio runs the two alternately, so that both meet the same machine load,
// and reports their medians and the ratio (vector / bitmap).
//
// Measured 2026-12-08, Release build, 2-core virtual machine shared with other builds (load
// 0.5 to 2), offscreen, the multi-month view of all teams under Norda (the most texts):
//   BM_PdfPageBitmap/0                   2.8-4.0 ms
//   BM_PdfPageVector/0                   10.2-13.8 ms (about 19 ms before the glyph runs)
//   BM_PdfPageVector/1 (calendar)        3.5-5.0 ms
//   BM_PdfVectorToBitmapRatio            1.21 to 1.59 over four runs
// The whole `shiftcal render -o FILE.pdf` took 58.3 ms against 58.1 ms for the image page of
// the build before (hyperfine, see BENCHMARKS.md).
#include "cli/cli_error.h"
#include "cli/output_file.h"
#include "cli/render_options.h"
#include "cli/view_renderer.h"
#include "views/page_placement.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string_view>
#include <vector>

namespace {

using namespace shift;
using Clock = std::chrono::steady_clock;

RenderOptions viewOptions(RenderView view)
{
    RenderOptions options;
    options.view = view;
    options.startYear = 2016;
    options.startMonth = 6;
    options.scheme = 1;
    options.team = view == RenderView::Calendar ? 2 : kAllTeams;
    options.clock = LocalDateTime { 2016, 6, 24, 20, 0, 0, 0 };
    options.output = "/dev/null";
    options.format = ImageFormat::Pdf;
    return options;
}

// The page as it was made before the view was drawn on it: the view's image, stretched.
void writeBitmapPdf(const RenderOptions &options)
{
    const QImage image = renderView(options);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        constexpr int kResolution = 1200;
        QPdfWriter pdf(&buffer);
        pdf.setResolution(kResolution);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
            QPageLayout::Portrait,
            QMarginsF(kPdfMarginMillimetres,
                kPdfMarginMillimetres,
                kPdfMarginMillimetres,
                kPdfMarginMillimetres),
            QPageLayout::Millimeter));
        const QRect area = pdf.pageLayout().paintRectPixels(kResolution);
        const PrintSize printed
            = scaleToPrintableArea(image.width(), image.height(), area.width(), area.height());
        QPainter painter(&pdf);
        painter.drawImage(
            QRect(0, 0, static_cast<int>(printed.width), static_cast<int>(printed.height)), image);
    }
    OutputFile file(options.output);
    file.buffer().append(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    file.commit();
}

void writeVectorPdf(const RenderOptions &options)
{
    writePdf(options, options.output);
}

double secondsOf(void (*write)(const RenderOptions &), const RenderOptions &options)
{
    const Clock::time_point start = Clock::now();
    write(options);
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void BM_PdfPageBitmap(benchmark::State &state)
{
    const RenderOptions options = viewOptions(RenderView(state.range(0)));
    for (auto _ : state)
        writeBitmapPdf(options);
}
BENCHMARK(BM_PdfPageBitmap)->Arg(int(RenderView::Normal))->Unit(benchmark::kMillisecond);

void BM_PdfPageVector(benchmark::State &state)
{
    const RenderOptions options = viewOptions(RenderView(state.range(0)));
    for (auto _ : state)
        writeVectorPdf(options);
}
BENCHMARK(BM_PdfPageVector)
    ->Arg(int(RenderView::Normal))
    ->Arg(int(RenderView::Calendar))
    ->Unit(benchmark::kMillisecond);

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void BM_PdfVectorToBitmapRatio(benchmark::State &state)
{
    const RenderOptions options = viewOptions(RenderView::Normal);
    writeBitmapPdf(options);
    writeVectorPdf(options);
    std::vector<double> bitmap;
    std::vector<double> vector;
    std::vector<double> ratios;
    for (auto _ : state) {
        const double b = secondsOf(writeBitmapPdf, options);
        const double v = secondsOf(writeVectorPdf, options);
        bitmap.push_back(b);
        vector.push_back(v);
        ratios.push_back(v / b);
        state.SetIterationTime(v);
    }
    state.counters["bitmap_ms"] = median(bitmap) * 1e3;
    state.counters["vector_ms"] = median(vector) * 1e3;
    state.counters["ratio"] = median(ratios);
}
BENCHMARK(BM_PdfVectorToBitmapRatio)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(40);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
