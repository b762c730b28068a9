// The board as assistive technology reads it (ATK, read over AT-SPI by screen readers): the
// drawing area's accessible object holds a grid of the 361 cells, each named as a screen reader
// speaks it, its rows numbered from black's side as the cells' names are, the keyboard cursor's
// cell focused, a picked-up stone's cell selected, each cell's action a click on it and its box
// where it is drawn; the panel's facts are the board's description; beside the grid, a status
// bar says what the game announces (see shell/spoken_notice.h). Nothing of this is made until
// assistive technology first asks for the area's accessible object, and all of it is let go with
// the area.
#pragma once

#include <gtk/gtk.h>

#include <functional>
#include <string>

#include "flow/game.h"
#include "shell/event_gate.h"
#include "view/fitting.h"

namespace zelkan {

// A drawing area for the game's image, shown as `fit` says, whose accessible object reads `game`;
// `press` clicks the cell (x, y), called from the main loop, never from within a request of
// assistive technology. What assistive technology asks runs under `gate`'s guard.
GtkWidget* newBoardArea(const Game& game, const Fit& fit, EventGate& gate,
                        std::function<void(int x, int y)> press);

// After each command: assistive technology, where it reads the board, hears of the cells whose
// reading changed, of the focus and selection moving, and of new panel facts. The next command's
// first announcement replaces whatever was said before.
void tellBoardChanged(GtkWidget* area);

// A box opens and is read over whatever was being said: the next announcement starts afresh.
void speakAfresh(GtkWidget* area);

// Says `text` to a screen reader, wherever its focus is; said while the same command's last
// sentence is still being spoken, it is said together with that sentence, which is not cut short.
void announceOnBoard(GtkWidget* area, const std::string& text);

}  // namespace zelkan
