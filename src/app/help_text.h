// The help dialog's text: a welcome block and the user guide, one section per feature.
#pragma once

#include <string>
#include <vector>

// The maker's site behind the "Kestrelmoor" links (a reserved example address).
inline constexpr const char* kMakerSite = "https://www.example.com/kestrelmoor";

struct HelpSection {
  std::string heading;
  // The body; when `link` is set the body is `before`, a link labelled `link` to the
  // maker's site, then `after`.
  std::string before;
  std::string link;
  std::string after;
};

// The welcome block first, then the guide in its fixed order.
const std::vector<HelpSection>& HelpSections();
