// Turning the article counts into the store's cart items.
#include "parts/cart.h"

#include "parts/store_variants.h"
#include "parts/tally.h"

namespace {

void AddItem(std::string& items, const std::string& variant, int count) {
  if (!items.empty()) items += ',';
  items += variant;
  items += ':';
  items += std::to_string(count);
}

}  // namespace

Cart ComputeCart(const Layout& layout) {
  const ArticleCounts counts = CountArticles(layout, BridgeDecks::LeftOut);
  Cart cart;
  for (const auto& [article, n] : counts) {
    if (const std::string* variant = FindStoreVariant(article))
      AddItem(cart.items, *variant, n);
    else
      cart.unavailable.push_back(article);
  }
  const AccessoryCounts accessories = CountAccessories(counts);
  for (const Accessory& a : Accessories()) {
    const int n = accessories.*a.count;
    const std::string* variant = FindStoreVariant(std::string(a.cart_article));
    if (n >= 1 && variant) AddItem(cart.items, *variant, n);
  }
  return cart;
}

std::string CartAddress(const Cart& cart) {
  return std::string(kStoreBaseUrl) + "/cart/" + cart.items;
}
