// The program's built-in JPEG pictures.
#pragma once

#include <wx/image.h>

// Picture 101 (splash), 102 (splash corner, Buy Track help) or 103 (help), decoded; an
// invalid image when it is missing, empty or cannot be decoded.
wxImage LoadResourceImage(int number);
