#include "golden.h"

#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "temp_dir.h"

namespace {

struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;  // three bytes a pixel, rows from the top
};

void Put32(std::string& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>(v >> shift));
}

std::uint32_t Get32(const std::string& s, std::size_t at) {
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < 4; ++i) v = v << 8 | static_cast<unsigned char>(s[at + i]);
  return v;
}

void Chunk(std::string& out, const char* type, const std::string& data) {
  Put32(out, static_cast<std::uint32_t>(data.size()));
  const std::string body = type + data;
  out += body;
  Put32(out, static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(body.data()),
                                              static_cast<uInt>(body.size()))));
}

constexpr char kSignature[] = "\x89PNG\r\n\x1a\n";

// An 8-bit RGB PNG without interlacing or row filters; false when it cannot be written.
bool WritePng(const std::filesystem::path& file, const RgbImage& image) {
  const std::size_t row = static_cast<std::size_t>(image.width) * 3;
  std::string raw;
  for (int y = 0; y < image.height; ++y) {
    raw.push_back(0);  // no filter
    raw.append(reinterpret_cast<const char*>(&image.rgb[y * row]), row);
  }
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  std::string packed(size, '\0');
  if (compress2(reinterpret_cast<Bytef*>(packed.data()), &size,
                reinterpret_cast<const Bytef*>(raw.data()), static_cast<uLong>(raw.size()),
                9) != Z_OK)
    return false;
  packed.resize(size);
  std::string header;
  Put32(header, static_cast<std::uint32_t>(image.width));
  Put32(header, static_cast<std::uint32_t>(image.height));
  header += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB
  std::string out(kSignature, 8);
  Chunk(out, "IHDR", header);
  Chunk(out, "IDAT", packed);
  Chunk(out, "IEND", "");
  std::ofstream f(file, std::ios::binary);
  f << out;
  return static_cast<bool>(f.flush());
}

// Such a PNG read back; an empty image when the file is missing or not one.
RgbImage ReadPng(const std::filesystem::path& file) {
  const std::string s = TempDir::ReadFile(file);
  if (s.size() < 8 || s.compare(0, 8, std::string(kSignature, 8)) != 0) return {};
  RgbImage image;
  std::string packed;
  for (std::size_t at = 8; at + 12 <= s.size();) {
    const std::size_t length = Get32(s, at);
    if (at + 12 + length > s.size()) return {};
    const std::string type = s.substr(at + 4, 4);
    if (type == "IHDR") {
      if (length < 13 || s[at + 16] != 8 || s[at + 17] != 2 || s[at + 20] != 0) return {};
      image.width = static_cast<int>(Get32(s, at + 8));
      image.height = static_cast<int>(Get32(s, at + 12));
    } else if (type == "IDAT") {
      packed += s.substr(at + 8, length);
    }
    at += 12 + length;
  }
  if (image.width <= 0 || image.height <= 0 || image.width > 1 << 14 || image.height > 1 << 14)
    return {};
  const std::size_t row = static_cast<std::size_t>(image.width) * 3;
  std::string raw((row + 1) * image.height, '\0');
  uLongf size = static_cast<uLongf>(raw.size());
  if (uncompress(reinterpret_cast<Bytef*>(raw.data()), &size,
                 reinterpret_cast<const Bytef*>(packed.data()),
                 static_cast<uLong>(packed.size())) != Z_OK ||
      size != raw.size())
    return {};
  image.rgb.resize(row * image.height);
  // Only rows without a filter, as WritePng writes them.
  for (int y = 0; y < image.height; ++y) {
    if (raw[y * (row + 1)] != 0) return {};
    std::memcpy(&image.rgb[y * row], &raw[y * (row + 1) + 1], row);
  }
  return image;
}

}  // namespace

testing::AssertionResult MatchesGolden(const std::string& name, const RasterPainter& picture,
                                       int most_differing) {
  const std::filesystem::path golden = std::filesystem::path(VANTREL_GOLDEN_DIR) / (name + ".png");
  const RgbImage actual{picture.width(), picture.height(), picture.pixels()};
  const char* update = std::getenv("VANTREL_UPDATE_GOLDEN");
  if (update && std::strcmp(update, "1") == 0) {
    if (!WritePng(golden, actual)) return testing::AssertionFailure() << "cannot write " << golden;
    return testing::AssertionSuccess();
  }
  const RgbImage expected = ReadPng(golden);
  const std::filesystem::path out = VANTREL_GOLDEN_OUT;
  std::filesystem::create_directories(out);
  const std::filesystem::path actual_file = out / (name + ".actual.png");
  if (expected.width != actual.width || expected.height != actual.height) {
    WritePng(actual_file, actual);
    return testing::AssertionFailure()
           << golden << " is missing or " << expected.width << " x " << expected.height << ", not "
           << actual.width << " x " << actual.height << "; the picture drawn is " << actual_file
           << " (VANTREL_UPDATE_GOLDEN=1 stores it)";
  }
  RgbImage diff = expected;
  int differing = 0;
  for (std::size_t i = 0; i < actual.rgb.size(); i += 3) {
    int most = 0;
    for (std::size_t k = 0; k < 3; ++k)
      most = std::max(most, std::abs(actual.rgb[i + k] - expected.rgb[i + k]));
    const int grey = (expected.rgb[i] + expected.rgb[i + 1] + expected.rgb[i + 2]) / 3;
    const auto faded = static_cast<std::uint8_t>(192 + grey / 4);
    if (most > 1) ++differing;
    diff.rgb[i] = most > 1 ? 255 : faded;
    diff.rgb[i + 1] = diff.rgb[i + 2] = most > 1 ? 0 : faded;
  }
  if (differing <= most_differing) return testing::AssertionSuccess();
  const std::filesystem::path diff_file = out / (name + ".diff.png");
  WritePng(actual_file, actual);
  WritePng(diff_file, diff);
  return testing::AssertionFailure()
         << differing << " pixels differ from " << golden << "; the picture drawn is "
         << actual_file << ", the differences in red on " << diff_file;
}
