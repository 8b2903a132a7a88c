// Benchmarks that need a display: registered by main only once wxWidgets is running.
#pragma once

void RegisterPaintBenchmarks();
