#include "model/translate.h"

#include <atomic>
#include <mutex>
#include <shared_mutex>
#include <unordered_map>

namespace {

std::atomic<TranslationLookup> g_lookup{nullptr};
std::atomic<PluralLookup> g_plural{nullptr};

// The translations handed out as pointers, by English text; they live until the lookup
// changes. Nodes of an unordered_map do not move, so the pointers stay valid on insert.
std::shared_mutex g_cache_mutex;
std::unordered_map<std::string, std::string>& Cache() {
  static std::unordered_map<std::string, std::string> cache;
  return cache;
}

}  // namespace

void InstallTranslation(TranslationLookup lookup, PluralLookup plural) {
  std::unique_lock lock(g_cache_mutex);
  Cache().clear();
  g_lookup.store(lookup);
  g_plural.store(plural);
}

bool TranslationInstalled() {
  return g_lookup.load() != nullptr;
}

const char* Tr(const char* text) {
  const TranslationLookup lookup = g_lookup.load();
  if (!lookup || !text || !*text) return text;
  {
    std::shared_lock lock(g_cache_mutex);
    const auto it = Cache().find(text);
    if (it != Cache().end()) return it->second.empty() ? text : it->second.c_str();
  }
  std::string translated = lookup(text);
  if (translated == text) translated.clear();
  std::unique_lock lock(g_cache_mutex);
  const auto [it, added] = Cache().try_emplace(text, std::move(translated));
  return it->second.empty() ? text : it->second.c_str();
}

std::string Tr(std::string_view text) {
  const TranslationLookup lookup = g_lookup.load();
  if (!lookup || text.empty()) return std::string(text);
  std::string translated = lookup(text);
  return translated.empty() ? std::string(text) : translated;
}

std::string TrN(std::string_view one, std::string_view many, unsigned long n) {
  if (const PluralLookup plural = g_plural.load()) {
    std::string translated = plural(one, many, n);
    if (!translated.empty()) return translated;
  }
  return std::string(n == 1 ? one : many);
}

std::string Subst(std::string_view pattern, std::initializer_list<std::string_view> values) {
  std::string out;
  out.reserve(pattern.size());
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
    if (pattern[i] == '%' && next == '%') {
      out += '%';
      ++i;
    } else if (pattern[i] == '%' && next >= '1' && next <= '9' &&
               static_cast<std::size_t>(next - '1') < values.size()) {
      out += *(values.begin() + (next - '1'));
      ++i;
    } else {
      out += pattern[i];
    }
  }
  return out;
}
