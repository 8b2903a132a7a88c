// The printout as a PDF file: each page drawn at true scale as vector graphics, written
// straight into the file, with the same page arithmetic and margins as printing.
#pragma once

#include <filesystem>
#include <string>

#include "model/layout.h"
#include "print/page_printer.h"
#include "print/pdf_request.h"

// Writes the PDF atomically; "" on success, otherwise the reason. Never changes `layout`.
// `name`, the layout's, heads every page and titles the file. `progress` is told of
// every page before it is drawn; when it says stop, nothing is written (a file already
// at `pdf` stays as it was) and kPdfExportCancelled is returned.
inline constexpr const char* kPdfExportCancelled = "cancelled";
std::string WriteLayoutPdf(const Layout& layout, const std::string& name,
                           const PrintOptions& options, const Paper& paper, bool portrait,
                           const std::filesystem::path& pdf, const PageProgress& progress = {});

// "--export-pdf" on the command line.
bool IsPdfExportCommand(int argc, char** argv);
// Runs it (wxWidgets initialised): 0 on success, 1 after a message on standard error.
int RunPdfExport(int argc, char** argv);
