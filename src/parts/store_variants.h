// The store's article table: which articles and scenery keys can be put into the web
// store's cart, each under the store's own 14-digit variant id.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

// Cart addresses are this base followed by "/cart/"; the help's link points here too.
inline constexpr std::string_view kStoreBaseUrl = "https://shop.example.com";

// Article number or scenery key -> variant id (exactly 14 decimal digits). Built on
// first use; the first use is safe from any thread.
const std::unordered_map<std::string, std::string>& StoreVariants();

// The variant id of an article, or null when the store does not sell it.
const std::string* FindStoreVariant(const std::string& article);
