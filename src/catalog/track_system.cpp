// Display names and drawing widths of the track systems.
#include "catalog/track_system.h"
#include "catalog/text_mark.h"

std::string TrackSystemName(int system) {
  switch (system) {
    case MarklinC:
      return TrMark("Marklin C-Track");
    case MarklinK:
      return TrMark("Marklin K-Track");
    case MarklinZ:
      return TrMark("Marklin Z-Track");
    case TrixC:
      return TrMark("TRIX C-Track");
    default:
      return TrMark("Unknown");
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
      return TrMark("Unknown");
  }
}

double TrackHalfWidth(int system) {
  return system == MarklinZ ? 6.0 : 18.7;
}
