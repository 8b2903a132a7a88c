// vantrel-tool: checks and converts layout files without a display.
#include <cstdio>

int main() {
  std::puts("usage: vantrel-tool check FILE | convert IN OUT");
  return 2;
}
