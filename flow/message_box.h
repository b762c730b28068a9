// Modal message boxes, as the game asks them of the window it runs in. The shell answers with
// real dialogs; tests answer with a script.
#pragma once

#include <string>

namespace zelkan {

class MessageBox {
 public:
  virtual ~MessageBox() = default;

  enum class Buttons { ok, yesNo };
  enum class Icon { none, warning };
  // Whether the title carries words the text lacks (the judgement's winner): a desktop that
  // draws a box without its title then shows them as the text's first line.
  enum class Heading { none, title };
  enum class Answer { ok, yes, no };

  // Shows `text` under `title` and waits until the player chooses a button, which it returns.
  virtual Answer show(const std::string& text, const std::string& title, Buttons buttons, Icon icon,
                      Heading heading = Heading::none) = 0;
};

}  // namespace zelkan
