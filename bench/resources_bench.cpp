// Times building the shared drawing resources as start-up does, at 96 DPI: strings, fonts, icons, menus, the popup's
// bitmaps for the screen's size, the metrics, and the first colour scheme with its 14 brushes. The benchmark carries
// Ombrix.exe's own resources.

#include "bench_support.h"
#include "bench_windows.h"

#include "system/com_ptr.h"
#include "system/display_metrics.h"
#include "ui/widget_resources.h"

#include <windows.h>

#include <cstdio>
#include <vector>

using namespace n_ombrix;
using namespace n_ombrix_bench;

namespace {

constexpr int runs = 15;

} // namespace

int main() {
    // The icon store loads its default images through the shell, as in the program.
    const n_zql::n_system::n_windows::n_com::t_ComApartment apartment;
    const t_DisplayMetrics display = DisplayAt96Dpi();

    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        times.push_back(TimeMilliseconds([&] {
            t_WidgetResources resources(GetModuleHandleW(nullptr), display);
            resources.ApplyColorScheme(t_ColorScheme{}, true);
        }));
    }
    // A small share of the time between starting the program and showing the popup.
    std::printf("BENCH id=resources.build n=%zu median=%.2f unit=ms target=20\n", t_WidgetResources::stringCount,
                Median(times));
    return 0;
}
