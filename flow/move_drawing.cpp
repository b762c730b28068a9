// Showing a completed move from its record: the stone moving, its mark and sound, then every
// captured stone in the order the rules took it.
#include "flow/game.h"
#include "view/board_drawing.h"

namespace zelkan {

void Game::replayMove(const MoveRecord& r) {
  描画_桝(canvas_, r.fromX, r.fromY);
  描画_石(canvas_, r.toX, r.toY, r.colour);
  描画_打石印(canvas_, r.toX, r.toY, markColour);
  window_.playSound(sounds.sndStone);
  replayCaptures(r.captures);
}

// Each captured stone takes three frames of 0.3 s: its taken look, the vanishing look, the
// empty cell. A sandwiched stone vanishes with a sound; a surrounded one silently.
void Game::replayCaptures(const CaptureLog& captures) {
  for (int i = 0; i < captures.removalCount; ++i) {
    const Removal& r = captures.removals[i];
    描画_石(canvas_, r.x, r.y, r.colour == cellBlack ? codeBlackTaken : codeWhiteTaken);
    canvas_.refresh();
    wait(0.3);
    if (r.kind == CaptureKind::sandwich) window_.playSound(sounds.sndVanish);
    描画_石(canvas_, r.x, r.y, codeVanish);
    canvas_.refresh();
    wait(0.3);
    描画_桝(canvas_, r.x, r.y);
    canvas_.refresh();
    wait(0.3);
  }
}

}  // namespace zelkan
