// Benchmarks that need a display: registered by main only once wxWidgets is running.
#pragma once

void RegisterPaintBenchmarks();
// Frames of the canvas: full, pan, carried selection and rubber band.
void RegisterCanvasPaintBenchmarks();
// Frames of the 3D view drawn with OpenGL into an offscreen buffer.
void RegisterScene3DBenchmarks();
// Printed pages drawn on a PDF surface.
void RegisterPrintBenchmarks();
