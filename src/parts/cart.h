// The store cart for a layout: which variants in which quantities, and which articles
// the store does not sell.
#pragma once

#include <string>
#include <vector>

#include "model/layout.h"

struct Cart {
  // "<variant>:<count>" for each article and then each recommended accessory, joined
  // by ","; empty when the store sells nothing the layout needs.
  std::string items;
  // The layout's articles without a store variant, once each, in ascending order.
  std::vector<std::string> unavailable;
};

// The tally's counts without the bridge decks (they come in the bridge's box), plus
// the recommended motors and decoders, the C-Track motor ordered as 74492.
Cart ComputeCart(const Layout& layout);

// The store base, "/cart/" and the items. Only variant ids, counts, ":" and "," follow
// the base: nothing typed into a layout file reaches the address.
std::string CartAddress(const Cart& cart);
