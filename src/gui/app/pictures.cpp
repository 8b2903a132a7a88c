// Decodes the pictures built into the program with the toolkit's JPEG handler.
#include "gui/app/pictures.h"

#include <wx/mstream.h>

#include <cstddef>

extern const unsigned char kPicture101[];
extern const std::size_t kPicture101Size;
extern const unsigned char kPicture102[];
extern const std::size_t kPicture102Size;
extern const unsigned char kPicture103[];
extern const std::size_t kPicture103Size;

wxImage LoadResourceImage(int number) {
  const unsigned char* data = nullptr;
  std::size_t size = 0;
  switch (number) {
    case 101:
      data = kPicture101;
      size = kPicture101Size;
      break;
    case 102:
      data = kPicture102;
      size = kPicture102Size;
      break;
    case 103:
      data = kPicture103;
      size = kPicture103Size;
      break;
    default:
      return wxImage();
  }
  if (size == 0) return wxImage();
  if (!wxImage::FindHandler(wxBITMAP_TYPE_JPEG)) wxImage::AddHandler(new wxJPEGHandler);
  wxMemoryInputStream stream(data, size);
  wxImage image;
  if (!image.LoadFile(stream, wxBITMAP_TYPE_JPEG)) return wxImage();
  return image;
}
