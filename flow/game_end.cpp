// The end of a game: why it ended, the judgement, and whether to play again.
#include <string>

#include "flow/game.h"
#include "view/board_drawing.h"
#include "view/influence_map.h"
#include "view/panel_drawing.h"

namespace zelkan {

void Game::終了(Code white, Code black) {
  // Kept with its result before any box: the game is whole however the program then ends.
  window_.keepGame(s_.moveNumber >= moveLimit ? GameEnd::limit : GameEnd::lead);
  if (s_.moveNumber >= moveLimit) {
    // TRANSLATORS: "The game ends after %d moves". The title means "Game".
    // xgettext:c-format
    message(fill(P_("%d 手なので終了です", moveLimit), {moveLimit}), _("対局"));
  } else {
    // TRANSLATORS: "The game ends: one side leads by far" (it has at most half the other's
    // stones).
    message(_("大差なので終了です"), _("対局"));
  }
  judge(white, black, true);

  const MessageBox::Answer answer = window_.show(
      // TRANSLATORS: "Continue?": Yes starts a new game, No ends the program.
      _("           続けますか？"), _("対局"), MessageBox::Buttons::yesNo, MessageBox::Icon::none);
  if (answer == MessageBox::Answer::no) {
    window_.shutDownAndEnd();
    return;
  }
  setUpAfresh();
  // The judgement's words give way to the fresh position's.
  say(panelReading());
}

}  // namespace zelkan
