// Tunnels over a chain of selected track: what the selection allows, and placing or
// removing the tunnel with its two portals.
#pragma once

#include <string>
#include <vector>

#include "model/document.h"
#include "model/piece_lookup.h"

struct TunnelAnalysis {
  bool enabled = false;
  bool inTunnel = false;  // the selection is exactly an existing tunnel
  int tunnelId = -1;
  int pieceA = -1;  // the two end pieces of the chain
  int pieceB = -1;
  int connA = -1;  // their outward connectors
  int connB = -1;
  std::vector<int> covers;  // every selected piece, in layout order
};

// The scenery item placed at each end of a tunnel.
inline constexpr const char* kTunnelPortalId = "tunnel_portal_single";

// A tunnel can go over the selected pieces when they form one connected chain with two
// ends, each with a free (or outward) connector, and no other tunnel covers any of them.
// A selection that is exactly an existing tunnel can remove it.
TunnelAnalysis AnalyzeTunnelSelection(const Layout& layout);
// The same for the selected pieces at `selected` (places in the layout, in layout order),
// finding other pieces through `ids`: costs the selection and the tunnels, not the layout.
TunnelAnalysis AnalyzeTunnelSelection(const Layout& layout,
                                      const std::vector<std::size_t>& selected, PieceLookup& ids);

// The Tunnel command: places a portal at the outward connector of each end of the chain
// and records the tunnel, or removes the tunnel the selection is and its portals (the
// track stays). One undo step; false when the selection allows neither.
bool ToggleTunnel(Document& doc);

// What the tool bar shows for the command.
struct TunnelToolState {
  bool enabled = false;
  std::string label;  // "Tunnel" or "Remove Tunnel"
};
TunnelToolState TunnelTool(const Layout& layout);
TunnelToolState TunnelTool(const TunnelAnalysis& analysis);
