// The computer's robot: one friendly figure in five moods.
#include <array>
#include <cmath>
#include <stdexcept>

#include "tools/pictures/painters.h"
#include "tools/pictures/painting.h"

namespace zelkan::pictures {
namespace {

constexpr int width = 51;
constexpr int height = 65;

const Colour outline = rgb(34, 42, 58);
const Colour metal = rgb(196, 212, 228);
const Colour metalDark = rgb(132, 150, 172);
const Colour visor = rgb(22, 34, 48);
const Colour glow = rgb(110, 240, 255);

enum Mood { resting, waiting, thinking, pleased, dismayed };

// Fills the current path with brushed metal from top to bottom, then outlines it.
void metalFill(cairo_t* cr, double top, double bottom) {
  cairo_pattern_t* p = cairo_pattern_create_linear(0, top, 0, bottom);
  cairo_pattern_add_color_stop_rgb(p, 0, 0.93, 0.96, 0.99);
  cairo_pattern_add_color_stop_rgb(p, 0.5, metal.r, metal.g, metal.b);
  cairo_pattern_add_color_stop_rgb(p, 1, metalDark.r, metalDark.g, metalDark.b);
  cairo_set_source(cr, p);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
  setColour(cr, outline);
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
}

void line(cairo_t* cr, double x0, double y0, double x1, double y1, double w, Colour c) {
  setColour(cr, c);
  cairo_set_line_width(cr, w);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_move_to(cr, x0, y0);
  cairo_line_to(cr, x1, y1);
  cairo_stroke(cr);
}

void disc(cairo_t* cr, double x, double y, double r, Colour c, double alpha = 1) {
  setColour(cr, c, alpha);
  cairo_arc(cr, x, y, r, 0, 2 * M_PI);
  cairo_fill(cr);
}

// An arm from the shoulder to the hand, as a thick outlined stroke with a round hand.
void arm(cairo_t* cr, double sx, double sy, double ex, double ey, double hx, double hy) {
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  for (int pass = 0; pass < 2; ++pass) {
    setColour(cr, pass == 0 ? outline : metalDark);
    cairo_set_line_width(cr, pass == 0 ? 4.6 : 2.4);
    cairo_move_to(cr, sx, sy);
    cairo_line_to(cr, ex, ey);
    cairo_line_to(cr, hx, hy);
    cairo_stroke(cr);
  }
  cairo_arc(cr, hx, hy, 2.6, 0, 2 * M_PI);
  metalFill(cr, hy - 2.6, hy + 2.6);
}

void paintFace(cairo_t* cr, Mood mood) {
  const double ly = 19.5;  // eye line
  const double lx = 19.5;
  const double rx = 31.5;
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  switch (mood) {
    case resting:
      // Closed eyes, a small calm mouth.
      for (double x : {lx, rx}) {
        setColour(cr, glow, 0.55);
        cairo_set_line_width(cr, 1.4);
        cairo_arc(cr, x, ly - 1, 2.6, M_PI * 0.15, M_PI * 0.85);
        cairo_stroke(cr);
      }
      line(cr, 23.5, 25, 27.5, 25, 1.2, glow);
      break;
    case waiting:
      for (double x : {lx, rx}) {
        disc(cr, x, ly, 3.4, glow, 0.25);
        disc(cr, x, ly, 2.2, glow);
      }
      setColour(cr, glow);
      cairo_set_line_width(cr, 1.3);
      cairo_arc(cr, 25.5, 22.5, 3.4, M_PI * 0.2, M_PI * 0.8);
      cairo_stroke(cr);
      break;
    case thinking:
      // Eyes turned up and aside, mouth pressed flat to one side.
      for (double x : {lx, rx}) {
        disc(cr, x, ly, 3.0, glow, 0.18);
        disc(cr, x + 1.2, ly - 1.3, 1.7, glow);
      }
      line(cr, 23.5, 25, 29, 24, 1.3, glow);
      break;
    case pleased:
      // Happy arcs for eyes and a wide open smile.
      for (double x : {lx, rx}) {
        setColour(cr, glow);
        cairo_set_line_width(cr, 1.6);
        cairo_arc(cr, x, ly + 1.2, 2.6, M_PI * 1.1, M_PI * 1.9);
        cairo_stroke(cr);
      }
      cairo_move_to(cr, 21, 22.5);
      cairo_arc_negative(cr, 25.5, 22.5, 4.5, M_PI, 0);
      cairo_close_path(cr);
      setColour(cr, glow);
      cairo_fill(cr);
      break;
    case dismayed:
      // Eyes squeezed shut as > <, a wobbly mouth.
      line(cr, lx - 2.5, ly - 2.2, lx + 2, ly, 1.4, glow);
      line(cr, lx + 2, ly, lx - 2.5, ly + 2.2, 1.4, glow);
      line(cr, rx + 2.5, ly - 2.2, rx - 2, ly, 1.4, glow);
      line(cr, rx - 2, ly, rx + 2.5, ly + 2.2, 1.4, glow);
      setColour(cr, glow);
      cairo_set_line_width(cr, 1.2);
      cairo_move_to(cr, 21.5, 25.5);
      cairo_curve_to(cr, 23, 23.5, 24, 23.5, 25.5, 25);
      cairo_curve_to(cr, 27, 26.5, 28, 26.5, 29.5, 24.5);
      cairo_stroke(cr);
      break;
  }
}

}  // namespace

SurfaceHolder paintRobot(int frame, int scale) {
  if (frame < 0 || frame > 4) throw std::out_of_range("robot frame");
  const Mood mood = static_cast<Mood>(frame);
  Sheet sheet = newPicture(width, height, scale);
  cairo_t* cr = sheet.cr.get();
  fillPixels(cr, 0, 0, width, height, panelGrey);

  // Shadow on the floor.
  cairo_save(cr);
  cairo_translate(cr, 25.5, 61);
  cairo_scale(cr, 1, 0.18);
  disc(cr, 0, 0, 14, rgb(40, 40, 44), 0.45);
  cairo_restore(cr);

  // Arms behind the body, posed by mood.
  switch (mood) {
    case resting:
      arm(cr, 14, 38, 11, 45, 13, 51);
      arm(cr, 37, 38, 40, 45, 38, 51);
      break;
    case waiting:
      arm(cr, 14, 38, 10, 45, 10, 51);
      arm(cr, 37, 38, 41, 45, 41, 51);
      break;
    case thinking:
      arm(cr, 14, 38, 9, 45, 11, 51);
      arm(cr, 37, 38, 44, 39, 38, 31);  // hand to the chin
      break;
    case pleased:
      arm(cr, 14, 38, 7, 32, 5, 24);
      arm(cr, 37, 38, 44, 32, 46, 24);
      break;
    case dismayed:
      arm(cr, 14, 38, 12, 46, 16, 53);
      arm(cr, 37, 38, 39, 46, 35, 53);
      break;
  }

  // Legs and feet.
  for (double x : {19.5, 31.5}) {
    cairo_rectangle(cr, x - 2.5, 54, 5, 4);
    metalFill(cr, 54, 58);
    roundedRectangle(cr, x - 4.5, 57.5, 9, 4.5, 2);
    metalFill(cr, 57.5, 62);
  }

  // Body with a chest light.
  roundedRectangle(cr, 13.5, 33.5, 24, 22, 4);
  metalFill(cr, 33.5, 55.5);
  roundedRectangle(cr, 19.5, 38.5, 12, 9, 2);
  setColour(cr, visor);
  cairo_fill(cr);
  const Colour lamp = mood == resting    ? rgb(90, 100, 110)
                      : mood == thinking ? rgb(255, 200, 40)
                      : mood == pleased  ? rgb(120, 240, 110)
                      : mood == dismayed ? rgb(255, 90, 80)
                                         : rgb(110, 240, 255);
  for (int i = 0; i < 3; ++i)
    disc(cr, 22.5 + i * 3, 43, 1.1, lamp, mood == thinking && i != 1 ? 0.4 : 1.0);

  // Neck and head.
  cairo_rectangle(cr, 22.5, 30, 6, 4);
  metalFill(cr, 30, 34);
  roundedRectangle(cr, 9.5, 9.5, 32, 22, 7);
  metalFill(cr, 9.5, 31.5);
  // Ears.
  for (double x : {7.5, 43.5}) {
    roundedRectangle(cr, x - 2, 16, 4, 9, 1.5);
    metalFill(cr, 16, 25);
  }
  // The face screen.
  roundedRectangle(cr, 13.5, 13.5, 24, 15, 5);
  setColour(cr, visor);
  cairo_fill(cr);
  paintFace(cr, mood);

  // Antenna with its bulb.
  line(cr, 25.5, 9.5, 25.5, 5.5, 1.4, outline);
  const bool lit = mood != resting;
  if (lit) disc(cr, 25.5, 4.5, 3.3, lamp, 0.35);
  cairo_arc(cr, 25.5, 4.5, 2.3, 0, 2 * M_PI);
  setColour(cr, lit ? lamp : rgb(150, 156, 164));
  cairo_fill_preserve(cr);
  setColour(cr, outline);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);

  // What the mood adds around the figure.
  switch (mood) {
    case resting: {
      // Floating "z"s.
      auto z = [&](double x, double y, double s) {
        setColour(cr, rgb(235, 240, 250));
        cairo_set_line_width(cr, 1.1);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_move_to(cr, x, y);
        cairo_line_to(cr, x + s, y);
        cairo_line_to(cr, x, y + s);
        cairo_line_to(cr, x + s, y + s);
        cairo_stroke(cr);
      };
      z(39.5, 4.5, 3.5);
      z(44.5, 1.8, 2.8);
      break;
    }
    case thinking: {
      // A thought bubble with three dots.
      disc(cr, 40.5, 11.5, 1.1, rgb(240, 244, 250));
      disc(cr, 43, 9.3, 1.4, rgb(240, 244, 250));
      roundedRectangle(cr, 33.5, 1.5, 15, 6, 3);
      setColour(cr, rgb(240, 244, 250));
      cairo_fill(cr);
      for (int i = 0; i < 3; ++i)
        disc(cr, 37 + i * 4, 4.5, 0.9, outline);
      break;
    }
    case pleased:
      // Sparkles.
      for (const auto& s : {std::array<double, 3>{6, 8, 3.2}, std::array<double, 3>{44, 6, 2.6},
                            std::array<double, 3>{47, 15, 1.8}}) {
        line(cr, s[0] - s[2], s[1], s[0] + s[2], s[1], 1.1, rgb(255, 236, 120));
        line(cr, s[0], s[1] - s[2], s[0], s[1] + s[2], 1.1, rgb(255, 236, 120));
      }
      break;
    case dismayed: {
      // A drop of sweat running down the head.
      cairo_move_to(cr, 42, 5);
      cairo_curve_to(cr, 44.5, 9, 45, 11, 42, 11.5);
      cairo_curve_to(cr, 39, 11, 39.5, 9, 42, 5);
      setColour(cr, rgb(150, 210, 255));
      cairo_fill_preserve(cr);
      setColour(cr, rgb(40, 90, 150));
      cairo_set_line_width(cr, 0.8);
      cairo_stroke(cr);
      break;
    }
    case waiting:
      break;
  }
  return std::move(sheet.surface);
}

}  // namespace zelkan::pictures
