// The fixed picture set: names, file names and sizes. The picture generator under tools/ and
// the program both read this list, so a picture cannot be drawn at one size and used at another.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace zelkan {

enum class Picture : std::uint8_t {
  KARA,      // an empty cell of the grid
  KURO,      // a black stone on its cell
  SIRO,      // a white stone on its cell
  KUROKETU,  // a black stone picked up for a move
  SIROKETU,  // a white stone picked up for a move
  KUROCYU,   // first capture frame of a black stone
  SIROCYU,   // first capture frame of a white stone
  PA,        // second capture frame, either colour
  KARAKURO,  // an empty cell under black influence
  KARASIRO,  // an empty cell under white influence
  KUROTORI,  // a cell counted for black's captures in the judgement
  SIROTORI,  // a cell counted for white's captures in the judgement
  KUROSOTO,  // the black stone icon of the side panel
  SIROSOTO,  // the white stone icon of the side panel
  KARAYOKO,  // horizontal bar of the board frame
  KARATATE,  // vertical bar of the board frame
  SUUJI_0,
  SUUJI_1,
  SUUJI_2,
  SUUJI_3,
  SUUJI_4,
  SUUJI_5,
  SUUJI_6,
  SUUJI_7,
  SUUJI_8,
  SUUJI_9,
  ROBO_0,  // resting: no computer opponent
  ROBO_1,  // waiting for the player
  ROBO_2,  // thinking
  ROBO_3,  // pleased: the computer won
  ROBO_4,  // dismayed: the computer lost
  RABERU,  // the title plate
};

struct PictureInfo {
  Picture picture;
  std::string_view name;  // also the file name without ".png"
  int width;
  int height;
};

inline constexpr int cellPictureSize = 23;  // on a pitch of 22 pixels: neighbours share a line

inline constexpr std::array<PictureInfo, 32> pictureList{{
    {Picture::KARA, "KARA", 23, 23},          {Picture::KURO, "KURO", 23, 23},
    {Picture::SIRO, "SIRO", 23, 23},          {Picture::KUROKETU, "KUROKETU", 23, 23},
    {Picture::SIROKETU, "SIROKETU", 23, 23},  {Picture::KUROCYU, "KUROCYU", 23, 23},
    {Picture::SIROCYU, "SIROCYU", 23, 23},    {Picture::PA, "PA", 23, 23},
    {Picture::KARAKURO, "KARAKURO", 23, 23},  {Picture::KARASIRO, "KARASIRO", 23, 23},
    {Picture::KUROTORI, "KUROTORI", 23, 23},  {Picture::SIROTORI, "SIROTORI", 23, 23},
    {Picture::KUROSOTO, "KUROSOTO", 23, 23},  {Picture::SIROSOTO, "SIROSOTO", 23, 23},
    {Picture::KARAYOKO, "KARAYOKO", 433, 21}, {Picture::KARATATE, "KARATATE", 21, 433},
    {Picture::SUUJI_0, "SUUJI_0", 9, 25},     {Picture::SUUJI_1, "SUUJI_1", 9, 25},
    {Picture::SUUJI_2, "SUUJI_2", 9, 25},     {Picture::SUUJI_3, "SUUJI_3", 9, 25},
    {Picture::SUUJI_4, "SUUJI_4", 9, 25},     {Picture::SUUJI_5, "SUUJI_5", 9, 25},
    {Picture::SUUJI_6, "SUUJI_6", 9, 25},     {Picture::SUUJI_7, "SUUJI_7", 9, 25},
    {Picture::SUUJI_8, "SUUJI_8", 9, 25},     {Picture::SUUJI_9, "SUUJI_9", 9, 25},
    {Picture::ROBO_0, "ROBO_0", 51, 65},      {Picture::ROBO_1, "ROBO_1", 51, 65},
    {Picture::ROBO_2, "ROBO_2", 51, 65},      {Picture::ROBO_3, "ROBO_3", 51, 65},
    {Picture::ROBO_4, "ROBO_4", 51, 65},      {Picture::RABERU, "RABERU", 120, 41},
}};

constexpr bool pictureListInOrder() {
  for (std::size_t i = 0; i < pictureList.size(); ++i) {
    if (static_cast<std::size_t>(pictureList[i].picture) != i) return false;
  }
  return true;
}
static_assert(pictureListInOrder(), "pictureList must follow the order of Picture");

constexpr const PictureInfo& pictureInfo(Picture p) {
  return pictureList[static_cast<std::size_t>(p)];
}

// The digit picture SUUJI(d) for d in 0..9.
constexpr Picture suuji(int digit) {
  return static_cast<Picture>(static_cast<int>(Picture::SUUJI_0) + digit);
}

// The robot picture ROBO_n for n in 0..4.
constexpr Picture robo(int frame) {
  return static_cast<Picture>(static_cast<int>(Picture::ROBO_0) + frame);
}

// The scales the set is painted at: the desktop's scale factor, limited to these, is the scale
// of the whole drawing. Scale s holds every picture at s times its size above.
inline constexpr int largestScale = 3;

// The window icon is not drawn on the board: it lives beside the pictures as its own file.
inline constexpr std::string_view iconName = "icon";
inline constexpr int iconSize = 32;

// Where the built-in resources keep the pictures: the prefix, then name + ".png".
inline constexpr std::string_view pictureResourcePrefix = "/zelkan/pictures/";

}  // namespace zelkan
