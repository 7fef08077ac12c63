// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Effects that bring the picture in along one axis: it expands, slides, is revealed, unrolls or
// is built up out of a thin strip, first across the width (1 … 17, driven by X), then down the
// height (18 … 34, driven by Y). Both halves are the same seventeen designs, written once along
// an axis of length L reached to the extent E: across the width L and E are W and X, down the
// height H and Y, bottom and top playing the parts of right and left. Each is one or two
// transfers from Picture to Screen; the device clips whatever falls outside the bitmaps, so no
// formula below needs clamping.
#include "effects/effecthelpers.h"
#include "effects/effects.h"

#include <algorithm>

namespace {

// How dark the edges of the roll get; its middle stays nearly untouched.
constexpr uint8_t RollShade = 64;

// The axis an effect runs along. Its transfers cover the whole picture across the axis; a
// position, a length and a source position are given along it.
class TAxis {
public:
    static TAxis Across(TGdiBitmap& Screen, TGdiBitmap& Picture, int32_t W, int32_t H, int32_t X)
    {
        return { Screen, Picture, false, W, H, X };
    }
    static TAxis Down(TGdiBitmap& Screen, TGdiBitmap& Picture, int32_t W, int32_t H, int32_t Y)
    {
        return { Screen, Picture, true, H, W, Y };
    }

    const int32_t L; // the length of the axis
    const int32_t E; // the extent reached along it

    void Copy(int32_t to, int32_t length, int32_t from) const
    {
        if (m_down)
            ::Copy(m_screen, m_picture, 0, to, m_width, length, 0, from);
        else
            ::Copy(m_screen, m_picture, to, 0, length, m_width, from, 0);
    }
    void Stretch(int32_t to, int32_t length, int32_t from, int32_t sourceLength) const
    {
        if (m_down)
            ::Stretch(m_screen, m_picture, 0, to, m_width, length, 0, from, m_width, sourceLength);
        else
            ::Stretch(m_screen, m_picture, to, 0, length, m_width, from, 0, sourceLength, m_width);
    }
    // The shading of a roll of `count` lines from `first` on.
    void Shade(int32_t first, int32_t count) const
    {
        if (m_down)
            ApplyVReflect(m_screen, RollShade, first, count);
        else
            ApplyHReflect(m_screen, RollShade, first, count);
    }

private:
    TAxis(TGdiBitmap& Screen, TGdiBitmap& Picture, bool down, int32_t length, int32_t width, int32_t extent)
        : L(length)
        , E(extent)
        , m_screen(Screen)
        , m_picture(Picture)
        , m_down(down)
        , m_width(width)
    {
    }

    TGdiBitmap& m_screen;
    TGdiBitmap& m_picture;
    bool m_down;
    int32_t m_width; // of the picture across the axis
};

// Thickness of the roll: it grows from nothing, stays a tenth of the length and shrinks to
// nothing again, so the first and the last frame show no roll.
int32_t RollThickness(const TAxis& a)
{
    const int32_t R = a.L / 10;
    if (a.E < R)
        return a.E;
    if (a.L - a.E < 2 * R)
        return (a.L - a.E) / 2;
    return R;
}

// The roll: R lines drawn backwards from `rollEnd` out of the R lines that start at `back` (the
// back of the strip still to come), the part already in place, then the shading of the roll.
void Unroll(const TAxis& a, int32_t R, int32_t rollEnd, int32_t back, int32_t placed)
{
    a.Stretch(rollEnd, -R, back, R);
    a.Copy(placed, a.E, placed);
    a.Shade(rollEnd - R + 1, R);
}

void ExpandFromFarEnd(const TAxis& a) { a.Stretch(a.L - a.E, a.E, 0, a.L); }
void ExpandFromNearEnd(const TAxis& a) { a.Stretch(0, a.E, 0, a.L); }
void SlideInFromFarEnd(const TAxis& a) { a.Copy(a.L - a.E, a.L, 0); }
void SlideInFromNearEnd(const TAxis& a) { a.Copy(a.E - a.L, a.L, 0); }
void RevealFromNearEnd(const TAxis& a) { a.Copy(0, a.E, 0); }
void RevealFromFarEnd(const TAxis& a) { a.Copy(a.L - a.E, a.E, a.L - a.E); }
void ExpandInFromFarEnd(const TAxis& a) { a.Stretch(0, 2 * a.L - a.E, 0, a.E); }
void ExpandInFromNearEnd(const TAxis& a) { a.Stretch(a.E - a.L, 2 * a.L - a.E, a.L - a.E, a.E); }
void ExpandInToMiddle(const TAxis& a) { a.Stretch(a.E - a.L, 3 * a.L - 2 * a.E, (a.L - a.E) / 2, a.E); }
void ExpandOutFromMiddle(const TAxis& a) { a.Stretch((a.L - a.E) / 2, a.E, 0, a.L); }
void RevealOutFromMiddle(const TAxis& a) { a.Copy((a.L - a.E) / 2, a.E, (a.L - a.E) / 2); }

// Two halves of E div 2 each: for an odd length the middle line is never drawn.
void RevealInFromBothEnds(const TAxis& a)
{
    a.Copy(0, a.E / 2, 0);
    a.Copy(a.L - a.E / 2, a.E / 2, a.L - a.E / 2);
}

// For an odd length the far half lands one line further on than where it came from.
void ExpandInFromBothEnds(const TAxis& a)
{
    a.Stretch(0, a.E / 2, 0, a.L / 2);
    a.Stretch(a.L - a.E / 2, a.E / 2, a.L / 2, a.L / 2);
}

void UnrollFromNearEnd(const TAxis& a)
{
    const int32_t R = RollThickness(a);
    Unroll(a, R, a.E + R - 1, a.E + R, 0);
}

// The back of the roll is taken one line nearer than a mirror image of the unroll from the near
// end would take it. When the roll is exactly half of what is left (E = L - 2R), its first source
// line lies off the picture and the roll's line next to the part in place keeps the old picture.
void UnrollFromFarEnd(const TAxis& a)
{
    const int32_t R = RollThickness(a);
    Unroll(a, R, a.L - a.E - 1, a.L - a.E - 2 * R - 1, a.L - a.E);
}

// The lines still to come are smeared out of the (at most L div 10) lines next to the part in
// place, so the picture seems drawn out of that strip.
void BuildUpFromFarEnd(const TAxis& a)
{
    a.Copy(0, a.E, 0);
    a.Stretch(a.E, a.L - a.E, a.E, std::min(a.L - a.E, a.L / 10));
}

void BuildUpFromNearEnd(const TAxis& a)
{
    a.Copy(a.L - a.E, a.E, a.L - a.E);
    const int32_t S = std::max(a.L - a.E - a.L / 10, 0);
    a.Stretch(0, a.L - a.E, S, a.L - a.E - S);
}

} // namespace

#define TAPSY_ACROSS(design) design(TAxis::Across(Screen, Picture, W, H, X))
#define TAPSY_DOWN(design) design(TAxis::Down(Screen, Picture, W, H, Y))

TAPSY_DECLARE_EFFECT(001) { TAPSY_ACROSS(ExpandFromFarEnd); }
TAPSY_DECLARE_EFFECT(002) { TAPSY_ACROSS(ExpandFromNearEnd); }
TAPSY_DECLARE_EFFECT(003) { TAPSY_ACROSS(SlideInFromFarEnd); }
TAPSY_DECLARE_EFFECT(004) { TAPSY_ACROSS(SlideInFromNearEnd); }
TAPSY_DECLARE_EFFECT(005) { TAPSY_ACROSS(RevealFromNearEnd); }
TAPSY_DECLARE_EFFECT(006) { TAPSY_ACROSS(RevealFromFarEnd); }
TAPSY_DECLARE_EFFECT(007) { TAPSY_ACROSS(ExpandInFromFarEnd); }
TAPSY_DECLARE_EFFECT(008) { TAPSY_ACROSS(ExpandInFromNearEnd); }
TAPSY_DECLARE_EFFECT(009) { TAPSY_ACROSS(ExpandInToMiddle); }
TAPSY_DECLARE_EFFECT(010) { TAPSY_ACROSS(ExpandOutFromMiddle); }
TAPSY_DECLARE_EFFECT(011) { TAPSY_ACROSS(RevealOutFromMiddle); }
TAPSY_DECLARE_EFFECT(012) { TAPSY_ACROSS(RevealInFromBothEnds); }
TAPSY_DECLARE_EFFECT(013) { TAPSY_ACROSS(ExpandInFromBothEnds); }
TAPSY_DECLARE_EFFECT(014) { TAPSY_ACROSS(UnrollFromNearEnd); }
TAPSY_DECLARE_EFFECT(015) { TAPSY_ACROSS(UnrollFromFarEnd); }
TAPSY_DECLARE_EFFECT(016) { TAPSY_ACROSS(BuildUpFromFarEnd); }
TAPSY_DECLARE_EFFECT(017) { TAPSY_ACROSS(BuildUpFromNearEnd); }

TAPSY_DECLARE_EFFECT(018) { TAPSY_DOWN(ExpandFromFarEnd); }
TAPSY_DECLARE_EFFECT(019) { TAPSY_DOWN(ExpandFromNearEnd); }
TAPSY_DECLARE_EFFECT(020) { TAPSY_DOWN(SlideInFromFarEnd); }
TAPSY_DECLARE_EFFECT(021) { TAPSY_DOWN(SlideInFromNearEnd); }
TAPSY_DECLARE_EFFECT(022) { TAPSY_DOWN(RevealFromNearEnd); }
TAPSY_DECLARE_EFFECT(023) { TAPSY_DOWN(RevealFromFarEnd); }
TAPSY_DECLARE_EFFECT(024) { TAPSY_DOWN(ExpandInFromFarEnd); }
TAPSY_DECLARE_EFFECT(025) { TAPSY_DOWN(ExpandInFromNearEnd); }
TAPSY_DECLARE_EFFECT(026) { TAPSY_DOWN(ExpandInToMiddle); }
TAPSY_DECLARE_EFFECT(027) { TAPSY_DOWN(ExpandOutFromMiddle); }
TAPSY_DECLARE_EFFECT(028) { TAPSY_DOWN(RevealOutFromMiddle); }
TAPSY_DECLARE_EFFECT(029) { TAPSY_DOWN(RevealInFromBothEnds); }
TAPSY_DECLARE_EFFECT(030) { TAPSY_DOWN(ExpandInFromBothEnds); }
TAPSY_DECLARE_EFFECT(031) { TAPSY_DOWN(UnrollFromNearEnd); }
TAPSY_DECLARE_EFFECT(032) { TAPSY_DOWN(UnrollFromFarEnd); }
TAPSY_DECLARE_EFFECT(033) { TAPSY_DOWN(BuildUpFromFarEnd); }
TAPSY_DECLARE_EFFECT(034) { TAPSY_DOWN(BuildUpFromNearEnd); }
