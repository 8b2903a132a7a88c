// Display names and drawing widths of the track systems.
#include "catalog/track_system.h"

std::string TrackSystemName(int system) {
  switch (system) {
    case MarklinC:
      return "Marklin C-Track";
    case MarklinK:
      return "Marklin K-Track";
    case MarklinZ:
      return "Marklin Z-Track";
    case TrixC:
      return "TRIX C-Track";
    default:
      return "Unknown";
  }
}

std::string TrackSystemShortName(int system) {
  switch (system) {
    case MarklinC:
      return "Märklin C";
    case MarklinK:
      return "Märklin K";
    case MarklinZ:
      return "Märklin Z";
    case TrixC:
      return "TRIX C";
    case RokuhanZ:
      return "Rokuhan Z";
    case MinitrixN:
      return "Minitrix N";
    case KatoN:
      return "Kato N";
    default:
      return "Unknown";
  }
}

double TrackHalfWidth(int system) {
  return system == MarklinZ ? 6.0 : 18.7;
}
