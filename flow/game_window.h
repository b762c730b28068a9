// Everything the game asks of the window it runs in. The shell answers with GTK and the sound
// library; the tests answer with a script. Drawing goes to the canvas, not through here.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "com/second_source.h"
#include "core/counts.h"
#include "flow/message_box.h"

namespace zelkan {

// The handles of the five sound buffers; 0 is a buffer that could not be made, and playing it
// does nothing.
struct SoundHandles {
  std::int32_t sndOther = 0;
  std::int32_t sndForbidden = 0;
  std::int32_t sndStone = 0;
  std::int32_t sndBgm = 0;
  std::int32_t sndVanish = 0;
};

// The two check items of the options menu.
enum class MenuOption { SEIRYOKU, BGM };

class GameWindow : public MessageBox, public SecondSource {
 public:
  // The tick mark of an option item.
  virtual bool isTicked(MenuOption option) const = 0;
  virtual void setTicked(MenuOption option, bool ticked) = 0;

  // Sounds by handle: play once (returns at once), loop until stopped, stop.
  virtual void playSound(std::int32_t handle) = 0;
  virtual void playLooping(std::int32_t handle) = 0;
  virtual void stopSound(std::int32_t handle) = 0;

  // The game so far, after every completed move (`end` none), and once more when it has ended,
  // judged, with how it ended: the window keeps it. Nothing by default.
  virtual void keepGame(GameEnd end) { (void)end; }

  // Tells a screen reader what just happened (a move and what it took, whose turn it is, the
  // computer thinking, a judgement), in the player's language. Nothing by default.
  virtual void announce(const std::string& text) { (void)text; }

  // Opens a one-line entry, `prompt` above it and `title` on it, and waits until the player ends
  // it, as a message box waits for its button: the line typed, or none when the player cancels.
  // Cancelled by default.
  virtual std::optional<std::string> askLine(const std::string& prompt, const std::string& title) {
    (void)prompt;
    (void)title;
    return std::nullopt;
  }

  // Ends the program at once, with no shutdown processing (Escape, the menu's "終了").
  virtual void endAtOnce() = 0;
  // Runs the shutdown processing, then ends the program.
  virtual void shutDownAndEnd() = 0;

  // second(), from SecondSource: the seconds field of the local time, for the computer.
};

}  // namespace zelkan
