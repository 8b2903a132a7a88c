// Buy Track: the messages around the cart address.
#include "interact/buy_track.h"

#include <algorithm>
#include <vector>

#include "model/translate.h"
#include "parts/cart.h"

namespace {

std::string UnavailableText(const std::vector<std::string>& articles) {
  std::string text =
      TrMark("The following pieces are not available in the store and will be skipped:\n");
  const std::size_t listed = std::min(articles.size(), std::size_t{kMaxUnavailableListed});
  for (std::size_t i = 0; i < listed; ++i) text += "  " + articles[i] + "\n";
  if (articles.size() > listed)
    text += "  \xE2\x80\xA6 and " + std::to_string(articles.size() - listed) + Tr(" more\n");
  return text;
}

}  // namespace

std::optional<std::string> BuyTrack(const Layout& layout, Prompter& prompter) {
  const Cart cart = ComputeCart(layout);
  if (cart.items.empty()) {
    prompter.Notify("Buy Track", TrMark("No purchasable track pieces found in your layout."),
                    PromptIcon::Information);
    return std::nullopt;
  }
  if (!cart.unavailable.empty())
    prompter.Notify(TrMark("Some pieces not available"), UnavailableText(cart.unavailable),
                    PromptIcon::Warning);
  return CartAddress(cart);
}
