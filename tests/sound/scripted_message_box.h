// A message box that records what it was asked to show and answers from a script.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "flow/message_box.h"

namespace zelkan::test {

class ScriptedMessageBox : public MessageBox {
 public:
  struct Shown {
    std::string text;
    std::string title;
    Buttons buttons;
    Icon icon;
    bool operator==(const Shown&) const = default;
  };

  // Answers in order; once they run out, OK boxes answer OK and a question is a test failure.
  std::deque<Answer> answers;
  std::vector<Shown> shown;

  Answer show(const std::string& text, const std::string& title, Buttons buttons, Icon icon,
              Heading) override {
    shown.push_back({text, title, buttons, icon});
    if (!answers.empty()) {
      const Answer next = answers.front();
      answers.pop_front();
      return next;
    }
    if (buttons == Buttons::yesNo) ADD_FAILURE() << "unscripted question: " << text;
    return buttons == Buttons::ok ? Answer::ok : Answer::no;
  }
};

}  // namespace zelkan::test
