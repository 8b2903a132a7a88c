// Track ranges the program knows, with the names shown in messages and panels.
#pragma once

#include <string>

enum TrackSystem : int {
  MarklinC = 0,
  MarklinK = 1,
  MarklinZ = 2,
  TrixC = 3,
  RokuhanZ = 4,
  MinitrixN = 5,
  KatoN = 6,
};

// Long name, used in messages about track systems ("Marklin C-Track").
std::string TrackSystemName(int system);
// Short name, used in the properties panel ("Märklin C").
std::string TrackSystemShortName(int system);
// Half the width of a drawn track band in millimetres.
double TrackHalfWidth(int system);
