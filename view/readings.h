// Pictures in words, for a player who cannot see them: a rules page with its diagrams, and the
// course of a reviewed game.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "com/game_review.h"
#include "view/rules_pages.h"

namespace zelkan {

// The page whole, in reading order: its title, its text, each diagram (its caption, the stones of
// its section by cell name, the move and the stones it took), its notes.
std::string rulesPageReading(const RulesPage& page);

// The graph's course in one sentence: where each side took the lead, and the biggest loss ("black
// ahead from move 12, white from move 61; biggest loss move 40"). Empty before the first row.
std::string reviewCourse(const std::vector<std::optional<ReviewRow>>& rows);

}  // namespace zelkan
