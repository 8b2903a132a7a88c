// The "Buy Track" button: tells the user what cannot be bought and gives the store
// cart address to open.
#pragma once

#include <optional>
#include <string>

#include "app/prompter.h"
#include "model/layout.h"

// At most this many unavailable articles are named in the message.
inline constexpr int kMaxUnavailableListed = 20;

// The cart address for the layout, after a warning that names the articles the store
// does not sell; nullopt, after a message, when nothing at all can be bought.
std::optional<std::string> BuyTrack(const Layout& layout, Prompter& prompter);
