// Writing the parts list as CSV or as aligned text.
#include "parts/parts_list.h"

#include <algorithm>

#include "catalog/text_mark.h"
#include "model/atomic_file.h"

namespace {

void AppendCsvField(std::string& out, const std::string& field) {
  if (field.find_first_of(",\"\r\n") == std::string::npos) {
    out += field;
    return;
  }
  out += '"';
  for (char c : field) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

// Characters, not bytes: UTF-8 continuation bytes do not take a column.
std::size_t TextWidth(const std::string& s) {
  return static_cast<std::size_t>(std::count_if(
      s.begin(), s.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

void AppendPadded(std::string& out, const std::string& s, std::size_t width) {
  out += s;
  out.append(width - std::min(width, TextWidth(s)), ' ');
}

void AppendRight(std::string& out, const std::string& s, std::size_t width) {
  out.append(width - std::min(width, TextWidth(s)), ' ');
  out += s;
}

}  // namespace

std::string PartsListCsv(const std::vector<TallyRow>& rows) {
  std::string out = "article,name,count\r\n";
  for (const TallyRow& r : rows) {
    AppendCsvField(out, r.article);
    out += ',';
    AppendCsvField(out, r.name);
    out += ',';
    if (r.kind != TallyRowKind::Heading) out += std::to_string(r.count);
    out += "\r\n";
  }
  return out;
}

std::string PartsListText(const std::vector<TallyRow>& rows) {
  const std::string article_head = TrMark("Article"), name_head = TrMark("Name"),
                    count_head = "Count";
  std::size_t article_w = TextWidth(article_head), name_w = TextWidth(name_head),
              count_w = TextWidth(count_head);
  for (const TallyRow& r : rows) {
    if (r.kind == TallyRowKind::Heading) continue;
    article_w = std::max(article_w, TextWidth(r.article));
    name_w = std::max(name_w, TextWidth(r.name));
    count_w = std::max(count_w, std::to_string(r.count).size());
  }
  const auto line = [&](std::string& out, const std::string& a, const std::string& n,
                        const std::string& c) {
    AppendPadded(out, a, article_w + 2);
    AppendPadded(out, n, name_w + 2);
    AppendRight(out, c, count_w);
    out += '\n';
  };
  std::string out;
  line(out, article_head, name_head, count_head);
  for (const TallyRow& r : rows) {
    if (r.kind == TallyRowKind::Heading)
      out += "\n" + r.name + "\n";
    else
      line(out, r.article, r.name, std::to_string(r.count));
  }
  return out;
}

PartsListFormat PartsListFormatFor(const std::filesystem::path& file, PartsListFormat otherwise) {
  std::string ext = file.extension().string();
  for (char& c : ext)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  if (ext == ".csv") return PartsListFormat::Csv;
  if (ext == ".txt") return PartsListFormat::Text;
  return otherwise;
}

std::string SavePartsList(const Layout& layout, const std::filesystem::path& file,
                          PartsListFormat format) {
  const std::vector<TallyRow> rows = TallyRows(ComputeTally(layout));
  return WriteFileAtomically(
      file, format == PartsListFormat::Csv ? PartsListCsv(rows) : PartsListText(rows));
}
