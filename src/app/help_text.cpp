#include "app/help_text.h"

#include "app/version.h"
#include "model/translate.h"

const std::vector<HelpSection>& HelpSections() {
  static const std::vector<HelpSection> sections = {
      {Tr("Welcome to ") + ProgramTitle(), TrMark("Vantrel by"), "Kestrelmoor",
       TrMark("lets you design and plan your Marklin and TRIX model railway layouts. Supported "
              "systems: Marklin and TRIX HO C-Track, Marklin HO K-Track, and Marklin Z Track.")},
      {TrMark("Getting Started"),
       TrMark(
           "Choose a track system at the top of the palette on the left. To lay a piece, drag it "
           "from the Track list onto the canvas, or double-click it in the list, then move the "
           "mouse: the piece follows it and snaps to the nearest free end; click to place it. "
           "With a piece selected, a double-click in the list instead joins the new piece to the "
           "selected piece's open end at once. Keep adding pieces; save your work with File > "
           "Save."),
       "", ""},
      {TrMark("Canvas Navigation"),
       TrMark(
           "Turn the mouse wheel to zoom about the pointer; + and - zoom too, and Ctrl+0 (or the "
           "Fit button) shows the whole layout. Drag with the middle button, or hold the Space "
           "bar and drag with the left button, to pan. Ctrl+drag on an empty spot pans as well."),
       "", ""},
      {TrMark("Track Selection"),
       TrMark("Click a piece to select it. Ctrl+click adds or removes pieces, Shift+click selects "
              "the track between the selected piece and the clicked one, and dragging a rectangle "
              "on an "
              "empty spot selects "
              "everything inside it. Ctrl+A selects all; Escape or a click on an empty spot clears "
              "the selection. The properties panel on the right describes what is selected."),
       "", ""},
      {TrMark("Autofill Gap"),
       TrMark("Select the two pieces on either side of a gap (click, then Ctrl+click), right-click "
              "one of them and choose Autofill Gap... The program lists combinations of straights "
              "of the same track system that close the gap; choose one and click Place. Autofill "
              "Gap with Curves... also uses curves, for corners, S-bends and U-turns."),
       "", ""},
      {"Library",
       TrMark("Select pieces and scenery and choose File > Save as Library Block... to keep them "
              "under a name of your own. The palette's Library tab lists the blocks of the chosen "
              "track system; double-click one to place a copy (it lands at the origin, selected, "
              "ready to drag). Right-click a block and choose Delete... to remove it."),
       "", ""},
      {TrMark("Moving Pieces"),
       TrMark("Drag a selected piece to move the whole selection. A free end that comes close to "
              "another free end snaps onto it and the two are joined. Joined pieces that are moved "
              "away from the rest are disconnected."),
       "", ""},
      {TrMark("Dragging from the Palette"),
       TrMark(
           "While a piece from the palette follows the mouse the program shows where it will "
           "snap; click to place it, or press Escape to put it back. Press R or turn the wheel to "
           "turn it by 30 degrees (15 with Shift) before you place it. Hover a track row to see "
           "a small drawing of the piece."),
       "", ""},
      {TrMark("Rotating Pieces"),
       TrMark(
           "Hold Ctrl and turn the mouse wheel to rotate the selection by 15 degrees (5 with "
           "Shift) about its centre. A brief indication shows when a piece is at a right angle."),
       "", ""},
      {TrMark("Elevation and Grades"),
       TrMark("Select a piece and use the properties panel to set its height, or start a grade on "
              "it: choose UP or DOWN and the angle in degrees (at most 6), then click Start Grade. "
              "Every piece you add afterwards climbs or falls by that angle until you click End "
              "Grade; the panel shows each graded piece's angle and its grade in percent. Bridges "
              "and piers are shown for raised track."),
       "", ""},
      {"3D View",
       TrMark("Click 3D View on the tool bar to see the layout in three dimensions. Drag with the "
              "left button to orbit, with the right button to pan, turn the wheel to zoom, and "
              "press R to return to the first view. The view follows every change you make."),
       "", ""},
      {TrMark("Layout Shape"),
       TrMark("Layout > Layout Shape... draws the baseboard: a rectangle, an L, U or T shape, a "
              "custom list of corners, or a free-form outline you click on the canvas. All sizes "
              "are in the layout's units of measure."),
       "", ""},
      {TrMark("Polygon Shapes"),
       TrMark("The Polygon button draws free-form shapes such as rivers, hills or access hatches: "
              "click the corners and click the first one again (or press Enter) to close. Tab lets "
              "you type the length of the next side; Backspace removes the last corner and Escape "
              "cancels. Double-click a shape to change its colour, height and label."),
       "", ""},
      {TrMark("Files (.vtl)"),
       TrMark(
           "Layouts are saved as .vtl files; File > Open lists them, and older .xml layouts open "
           "too. Saving never damages the previous file: it is replaced only once the new one is "
           "complete. Import and Export copy layouts from and to other folders."),
       "", ""},
      {"Levels",
       TrMark(
           "Levels are decks at their own height. The Levels button manages them: add, rename, "
           "recolour, show or hide them, and choose the active level on which new pieces are "
           "placed. A helix joins two levels: pick one in the Helix group at the end of the Track "
           "list and click to place it. Track joins it at the outer ends of its four short "
           "stubs, two at the bottom and two at the top a full rise higher: drop track onto a "
           "stub's end, or select the helix and double-click a piece in the list. Track joined "
           "to a stub takes its height. To make a tunnel, select the chain of track it covers "
           "and click Tunnel: portals stand at both ends; click Remove Tunnel with the same "
           "track selected to take it away."),
       "", ""},
      {TrMark("Measuring Tape"),
       TrMark("Click Measure, then click two points: the distance between them stays on the plan "
              "as a dimension line and is saved with the layout. Drag a measurement to move it; "
              "Escape leaves the tool."),
       "", ""},
      {TrMark("Adding Labels"),
       TrMark("Ctrl+click the canvas where the label should go, type its text in the Add Label box "
              "of the properties panel and press Enter. The Hide Labels button hides piece labels "
              "and the join dots."),
       "", ""},
      {TrMark("Piece Tally"),
       TrMark("The properties panel counts every article the layout uses, with the recommended "
              "accessories. Save Parts List writes it as a text or CSV file. Click 'Buy Track' to "
              "open the"),
       "Kestrelmoor",
       TrMark("website in your browser where a shopping cart with your required track will be "
              "waiting for you to review and check out.")},
      {TrMark("Coloring Track"),
       TrMark("Select pieces and pick a colour in the properties panel to mark lines, districts or "
              "stages of building; the colour is kept in the file."),
       "", ""},
      {TrMark("Experience Settings"),
       TrMark("Help > Options... chooses how Vantrel greets you: Keep it Playful shows the welcome "
              "splash and pictures, Down to Business shows neither."),
       "", ""},
      {TrMark("Keyboard Shortcuts"),
       TrMark(
           "Ctrl+N new, Ctrl+O open, Ctrl+S save, Ctrl+Shift+S save as, Ctrl+W close, Ctrl+P "
           "print, Ctrl+Z undo, Ctrl+Y redo, Del delete, Ctrl+A select all, + and - zoom, Ctrl+0 "
           "zoom to fit, Ctrl+G grid, Ctrl+Shift+G snap, R rotate while dragging, Escape clear "
           "the selection or cancel, F1 help."),
       "", ""},
  };
  return sections;
}
