// 3D picture export: load, rebuild the scene with the window's starting camera, draw
// it into a GLX pixel buffer, encode PNG and write it atomically.
#include "gui/export/scene_export.h"

#include <wx/image.h>
#include <wx/log.h>
#include <wx/mstream.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "gui/view3d/gl_scene.h"
#include "gui/view3d/offscreen_gl.h"
#include "model/atomic_file.h"
#include "model/layout_file.h"
#include "model/layout_ops.h"

std::string ExportScenePicture(const std::filesystem::path& layout_file,
                               const std::filesystem::path& picture, PictureSize size) {
  Layout layout;
  const LoadResult loaded = LoadLayout(layout, layout_file);
  if (!loaded.error.empty()) return "Cannot read " + layout_file.string() + ": " + loaded.error;
  EnsureDefaultLevel(layout);
  Scene3D scene;
  Camera3D camera;
  GluTessellator tessellator;
  RebuildScene(scene, camera, layout, tessellator);
  OffscreenGl gl(size.width, size.height);
  if (!gl.error().empty()) return "Cannot draw the 3D view: " + gl.error();
  SetUpGlState();
  DrawPlan plan;
  DrawScene(scene, camera, size.width, size.height, plan);
  std::vector<unsigned char> rgb = gl.ReadRgb();
  wxLogNull quiet;
  auto* pixels = static_cast<unsigned char*>(std::malloc(rgb.size()));  // wxImage frees it
  if (!pixels) return "Cannot write " + picture.string() + ": out of memory";
  std::memcpy(pixels, rgb.data(), rgb.size());
  wxImage image(size.width, size.height, pixels);
  wxMemoryOutputStream png;
  if (!image.SaveFile(png, wxBITMAP_TYPE_PNG))
    return "Cannot write " + picture.string() + ": PNG encoding failed";
  std::string data(static_cast<std::size_t>(png.GetLength()), '\0');
  png.CopyTo(data.data(), data.size());
  const std::string error = WriteFileAtomically(picture, data);
  if (!error.empty()) return "Cannot write " + picture.string() + ": " + error;
  return {};
}

bool IsSceneExportCommand(int argc, char** argv) {
  return argc >= 2 && std::strcmp(argv[1], "--export-3d") == 0;
}

int RunSceneExport(int argc, char** argv) {
  std::vector<std::string> files;
  PictureSize size = kScenePictureSize;
  if (!ParseExportArguments(argc, argv, files, size)) return 1;
  if (files.size() != 2) {
    std::fputs(
        "usage: vantrel --export-3d LAYOUT.vtl OUT.png [--size WIDTHxHEIGHT] (1000x700 unless "
        "given)\n",
        stderr);
    return 1;
  }
  wxImage::AddHandler(new wxPNGHandler);
  const std::string error = ExportScenePicture(files[0], files[1], size);
  if (!error.empty()) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  return 0;
}
