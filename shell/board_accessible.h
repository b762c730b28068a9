// The board as assistive technology reads it (ATK, read over AT-SPI by screen readers): the
// drawing area's accessible object is a grid of the 361 cells, each named as a screen reader
// speaks it, the keyboard cursor's cell focused, a picked-up stone's cell selected, each cell's
// action a click on it; the panel's facts are the grid's description; its last child is a live
// status whose text is what the game last announced. Nothing of this is made until assistive
// technology first asks for the area's accessible object.
#pragma once

#include <gtk/gtk.h>

#include <functional>
#include <string>

#include "flow/game.h"

namespace zelkan {

// A drawing area for the game's image whose accessible object reads `game`; `press` clicks the
// cell (x, y), called from the main loop, never from within a request of assistive technology.
GtkWidget* newBoardArea(const Game& game, std::function<void(int x, int y)> press);

// After each command: assistive technology, where it reads the board, hears of the cells whose
// reading changed, of the focus and selection moving, and of new panel facts.
void tellBoardChanged(GtkWidget* area);

// Puts `text` in the board's live status, which screen readers speak as it changes.
void announceOnBoard(GtkWidget* area, const std::string& text);

}  // namespace zelkan
