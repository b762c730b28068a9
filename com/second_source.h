// Where the computer's scoring reads the clock: the seconds field (0..59) of the time of day.
// The game passes the local time; the engine and the tests pass a fixed or scripted second.
#pragma once

namespace zelkan {

class SecondSource {
 public:
  // Asked afresh for every candidate move, so a search that spans a change of second scores its
  // later candidates differently.
  virtual int second() = 0;

 protected:
  ~SecondSource() = default;
};

class FixedSecond final : public SecondSource {
 public:
  explicit FixedSecond(int second) : second_(second) {}
  int second() override { return second_; }

 private:
  int second_;
};

}  // namespace zelkan
