// The parts list as a file: RFC 4180 CSV for spreadsheets or aligned plain text, with
// the same rows the properties panel shows.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "model/layout.h"
#include "parts/tally.h"

// Header "article,name,count", one record per row, CRLF line ends; the "We Recommend"
// heading is a record with only its name. Fields holding "," '"' CR or LF are quoted.
std::string PartsListCsv(const std::vector<TallyRow>& rows);

// A header line and one line per row in columns of article, name and count (widths in
// characters, not bytes); a blank line and "We Recommend" before the accessories.
std::string PartsListText(const std::vector<TallyRow>& rows);

enum class PartsListFormat { Csv, Text };

// CSV for a ".csv" file, text for ".txt" (in any letter case), `otherwise` for any
// other name.
PartsListFormat PartsListFormatFor(const std::filesystem::path& file,
                                   PartsListFormat otherwise = PartsListFormat::Text);

// Writes the layout's parts list atomically; "" on success, otherwise an error text
// and the old file is left as it was.
std::string SavePartsList(const Layout& layout, const std::filesystem::path& file,
                          PartsListFormat format);
