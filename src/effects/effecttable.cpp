// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The table of the 172 effects. The names are the display names the effects have always had,
// spelling included: applications select effects by them.
#include "effects.h"

// FIXME: weak references while the effect families are being written; an effect that is not
// linked in yet has a null procedure, which the renderer reports. Drop once all 172 exist.
#define TAPSY_WEAK_EFFECT(n) __attribute__((weak)) TAPSY_DECLARE_EFFECT(n)
TAPSY_WEAK_EFFECT(001);
TAPSY_WEAK_EFFECT(002);
TAPSY_WEAK_EFFECT(003);
TAPSY_WEAK_EFFECT(004);
TAPSY_WEAK_EFFECT(005);
TAPSY_WEAK_EFFECT(006);
TAPSY_WEAK_EFFECT(007);
TAPSY_WEAK_EFFECT(008);
TAPSY_WEAK_EFFECT(009);
TAPSY_WEAK_EFFECT(010);
TAPSY_WEAK_EFFECT(011);
TAPSY_WEAK_EFFECT(012);
TAPSY_WEAK_EFFECT(013);
TAPSY_WEAK_EFFECT(014);
TAPSY_WEAK_EFFECT(015);
TAPSY_WEAK_EFFECT(016);
TAPSY_WEAK_EFFECT(017);
TAPSY_WEAK_EFFECT(018);
TAPSY_WEAK_EFFECT(019);
TAPSY_WEAK_EFFECT(020);
TAPSY_WEAK_EFFECT(021);
TAPSY_WEAK_EFFECT(022);
TAPSY_WEAK_EFFECT(023);
TAPSY_WEAK_EFFECT(024);
TAPSY_WEAK_EFFECT(025);
TAPSY_WEAK_EFFECT(026);
TAPSY_WEAK_EFFECT(027);
TAPSY_WEAK_EFFECT(028);
TAPSY_WEAK_EFFECT(029);
TAPSY_WEAK_EFFECT(030);
TAPSY_WEAK_EFFECT(031);
TAPSY_WEAK_EFFECT(032);
TAPSY_WEAK_EFFECT(033);
TAPSY_WEAK_EFFECT(034);
TAPSY_WEAK_EFFECT(035);
TAPSY_WEAK_EFFECT(036);
TAPSY_WEAK_EFFECT(037);
TAPSY_WEAK_EFFECT(038);
TAPSY_WEAK_EFFECT(039);
TAPSY_WEAK_EFFECT(040);
TAPSY_WEAK_EFFECT(041);
TAPSY_WEAK_EFFECT(042);
TAPSY_WEAK_EFFECT(043);
TAPSY_WEAK_EFFECT(044);
TAPSY_WEAK_EFFECT(045);
TAPSY_WEAK_EFFECT(046);
TAPSY_WEAK_EFFECT(047);
TAPSY_WEAK_EFFECT(048);
TAPSY_WEAK_EFFECT(049);
TAPSY_WEAK_EFFECT(050);
TAPSY_WEAK_EFFECT(051);
TAPSY_WEAK_EFFECT(052);
TAPSY_WEAK_EFFECT(053);
TAPSY_WEAK_EFFECT(054);
TAPSY_WEAK_EFFECT(055);
TAPSY_WEAK_EFFECT(056);
TAPSY_WEAK_EFFECT(057);
TAPSY_WEAK_EFFECT(058);
TAPSY_WEAK_EFFECT(059);
TAPSY_WEAK_EFFECT(060);
TAPSY_WEAK_EFFECT(061);
TAPSY_WEAK_EFFECT(062);
TAPSY_WEAK_EFFECT(063);
TAPSY_WEAK_EFFECT(064);
TAPSY_WEAK_EFFECT(065);
TAPSY_WEAK_EFFECT(066);
TAPSY_WEAK_EFFECT(067);
TAPSY_WEAK_EFFECT(068);
TAPSY_WEAK_EFFECT(069);
TAPSY_WEAK_EFFECT(070);
TAPSY_WEAK_EFFECT(071);
TAPSY_WEAK_EFFECT(072);
TAPSY_WEAK_EFFECT(073);
TAPSY_WEAK_EFFECT(074);
TAPSY_WEAK_EFFECT(075);
TAPSY_WEAK_EFFECT(076);
TAPSY_WEAK_EFFECT(077);
TAPSY_WEAK_EFFECT(078);
TAPSY_WEAK_EFFECT(079);
TAPSY_WEAK_EFFECT(080);
TAPSY_WEAK_EFFECT(081);
TAPSY_WEAK_EFFECT(082);
TAPSY_WEAK_EFFECT(083);
TAPSY_WEAK_EFFECT(084);
TAPSY_WEAK_EFFECT(085);
TAPSY_WEAK_EFFECT(086);
TAPSY_WEAK_EFFECT(087);
TAPSY_WEAK_EFFECT(088);
TAPSY_WEAK_EFFECT(089);
TAPSY_WEAK_EFFECT(090);
TAPSY_WEAK_EFFECT(091);
TAPSY_WEAK_EFFECT(092);
TAPSY_WEAK_EFFECT(093);
TAPSY_WEAK_EFFECT(094);
TAPSY_WEAK_EFFECT(095);
TAPSY_WEAK_EFFECT(096);
TAPSY_WEAK_EFFECT(097);
TAPSY_WEAK_EFFECT(098);
TAPSY_WEAK_EFFECT(099);
TAPSY_WEAK_EFFECT(100);
TAPSY_WEAK_EFFECT(101);
TAPSY_WEAK_EFFECT(102);
TAPSY_WEAK_EFFECT(103);
TAPSY_WEAK_EFFECT(104);
TAPSY_WEAK_EFFECT(105);
TAPSY_WEAK_EFFECT(106);
TAPSY_WEAK_EFFECT(107);
TAPSY_WEAK_EFFECT(108);
TAPSY_WEAK_EFFECT(109);
TAPSY_WEAK_EFFECT(110);
TAPSY_WEAK_EFFECT(111);
TAPSY_WEAK_EFFECT(112);
TAPSY_WEAK_EFFECT(113);
TAPSY_WEAK_EFFECT(114);
TAPSY_WEAK_EFFECT(115);
TAPSY_WEAK_EFFECT(116);
TAPSY_WEAK_EFFECT(117);
TAPSY_WEAK_EFFECT(118);
TAPSY_WEAK_EFFECT(119);
TAPSY_WEAK_EFFECT(120);
TAPSY_WEAK_EFFECT(121);
TAPSY_WEAK_EFFECT(122);
TAPSY_WEAK_EFFECT(123);
TAPSY_WEAK_EFFECT(124);
TAPSY_WEAK_EFFECT(125);
TAPSY_WEAK_EFFECT(126);
TAPSY_WEAK_EFFECT(127);
TAPSY_WEAK_EFFECT(128);
TAPSY_WEAK_EFFECT(129);
TAPSY_WEAK_EFFECT(130);
TAPSY_WEAK_EFFECT(131);
TAPSY_WEAK_EFFECT(132);
TAPSY_WEAK_EFFECT(133);
TAPSY_WEAK_EFFECT(134);
TAPSY_WEAK_EFFECT(135);
TAPSY_WEAK_EFFECT(136);
TAPSY_WEAK_EFFECT(137);
TAPSY_WEAK_EFFECT(138);
TAPSY_WEAK_EFFECT(139);
TAPSY_WEAK_EFFECT(140);
TAPSY_WEAK_EFFECT(141);
TAPSY_WEAK_EFFECT(142);
TAPSY_WEAK_EFFECT(143);
TAPSY_WEAK_EFFECT(144);
TAPSY_WEAK_EFFECT(145);
TAPSY_WEAK_EFFECT(146);
TAPSY_WEAK_EFFECT(147);
TAPSY_WEAK_EFFECT(148);
TAPSY_WEAK_EFFECT(149);
TAPSY_WEAK_EFFECT(150);
TAPSY_WEAK_EFFECT(151);
TAPSY_WEAK_EFFECT(152);
TAPSY_WEAK_EFFECT(153);
TAPSY_WEAK_EFFECT(154);
TAPSY_WEAK_EFFECT(155);
TAPSY_WEAK_EFFECT(156);
TAPSY_WEAK_EFFECT(157);
TAPSY_WEAK_EFFECT(158);
TAPSY_WEAK_EFFECT(159);
TAPSY_WEAK_EFFECT(160);
TAPSY_WEAK_EFFECT(161);
TAPSY_WEAK_EFFECT(162);
TAPSY_WEAK_EFFECT(163);
TAPSY_WEAK_EFFECT(164);
TAPSY_WEAK_EFFECT(165);
TAPSY_WEAK_EFFECT(166);
TAPSY_WEAK_EFFECT(167);
TAPSY_WEAK_EFFECT(168);
TAPSY_WEAK_EFFECT(169);
TAPSY_WEAK_EFFECT(170);
TAPSY_WEAK_EFFECT(171);
TAPSY_WEAK_EFFECT(172);

const std::array<TEffect, EffectCount> TransitionEffects = { {
    { "Expand from right", Effect001 },
    { "Expand from left", Effect002 },
    { "Slide in from right", Effect003 },
    { "Slide in from left", Effect004 },
    { "Reveal from left", Effect005 },
    { "Reveal from right", Effect006 },
    { "Expand in from right", Effect007 },
    { "Expand in from left", Effect008 },
    { "Expand in to middle", Effect009 },
    { "Expand out from middle", Effect010 },
    { "Reveal out from middle", Effect011 },
    { "Reveal in from sides", Effect012 },
    { "Expand in from sides", Effect013 },
    { "Unroll from left", Effect014 },
    { "Unroll from right", Effect015 },
    { "Build up from right", Effect016 },
    { "Build up from left", Effect017 },
    { "Expand from bottom", Effect018 },
    { "Expand from top", Effect019 },
    { "Slide in from bottom", Effect020 },
    { "Slide in from top", Effect021 },
    { "Reveal from top", Effect022 },
    { "Reveal from bottom", Effect023 },
    { "Expand in from bottom", Effect024 },
    { "Expand in from top", Effect025 },
    { "Expand in to middle (horiz)", Effect026 },
    { "Expand out from middle (horiz)", Effect027 },
    { "Reveal from middle (horiz)", Effect028 },
    { "Slide in from top / bottom", Effect029 },
    { "Expand in from top / bottom", Effect030 },
    { "Unroll from top", Effect031 },
    { "Unroll from bottom", Effect032 },
    { "Expand from bottom", Effect033 },
    { "Expand in from top", Effect034 },
    { "Expand from bottom right", Effect035 },
    { "Expand from top right", Effect036 },
    { "Expand from top left", Effect037 },
    { "Expand from bottom left", Effect038 },
    { "Slide in from bottom right", Effect039 },
    { "Slide in from top right", Effect040 },
    { "Slide in from top left", Effect041 },
    { "Slide in from bottom left", Effect042 },
    { "Reveal from top left", Effect043 },
    { "Reveal from bottom left", Effect044 },
    { "Reveal from bottom right", Effect045 },
    { "Reveal from top right", Effect046 },
    { "Appear and Contract to top left", Effect047 },
    { "Appear and Contract to bottom left", Effect048 },
    { "Appear and Contract to bottom right", Effect049 },
    { "Appear and Contract to top right", Effect050 },
    { "Appear and Contract to middle", Effect051 },
    { "Expand out from centre", Effect052 },
    { "Reveal out from centre", Effect053 },
    { "Reveal in to centre", Effect054 },
    { "Quarters Reveal in to middle", Effect055 },
    { "Quarters Expand to middle", Effect056 },
    { "Quarters Slide in to middle", Effect057 },
    { "Curved Reveal from left", Effect058 },
    { "Curved Reveal from right", Effect059 },
    { "Bars in from right", Effect060 },
    { "Bars in from left", Effect061 },
    { "Bars left then right", Effect062 },
    { "Bars right then left", Effect063 },
    { "Bars from both sides", Effect064 },
    { "Uneven shred from right", Effect065 },
    { "Uneven shred from left", Effect066 },
    { "Uneven shred out from middle (horiz)", Effect067 },
    { "Uneven shred in to middle (horiz)", Effect068 },
    { "Curved Reveal from top", Effect069 },
    { "Curved Reveal from bottom", Effect070 },
    { "Bars from bottom", Effect071 },
    { "Bars from top", Effect072 },
    { "Bars top then bottom", Effect073 },
    { "Bars bottom then top", Effect074 },
    { "Bars from top and bottom", Effect075 },
    { "Unven shred from bottom", Effect076 },
    { "Uneven shred from top", Effect077 },
    { "Uneven shred from horizon", Effect078 },
    { "Uneven shred in to horizon", Effect079 },
    { "Curved reveal from top left", Effect080 },
    { "Curved reveal from top right", Effect081 },
    { "Curved reveal from bottom left", Effect082 },
    { "Curved reveal from bottom right", Effect083 },
    { "Elliptic reveal out from centre", Effect084 },
    { "Elliptic reveal in to centre", Effect085 },
    { "Criss Cross reveal from bottom right", Effect086 },
    { "Criss Cross reveal from top right", Effect087 },
    { "Criss Cross reveal from bottom left", Effect088 },
    { "Criss Cross reveal from top left", Effect089 },
    { "Criss Cross reveal bounce from top left", Effect090 },
    { "Criss Cross reveal bounce from bottom left", Effect091 },
    { "Criss Cross reveal bounce from top right", Effect092 },
    { "Criss Cross reveal bounce from bottom right", Effect093 },
    { "Criss Cross reveal from right top and bottom", Effect094 },
    { "Criss Cross reveal from left top and bottom", Effect095 },
    { "Criss Cross reveal from left right and bottom", Effect096 },
    { "Criss Cross reveal from left right and top", Effect097 },
    { "Criss Cross reveal from top left right and bottom", Effect098 },
    { "Criss Cross reveal from bottom left top right", Effect099 },
    { "Uneven shred from bottom and right", Effect100 },
    { "Uneven shred from top and right", Effect101 },
    { "Uneven shred from bottom and left", Effect102 },
    { "Uneven shred from top and left", Effect103 },
    { "Uneven shred from horiz and right", Effect104 },
    { "Uneven shred from horiz and left", Effect105 },
    { "Uneven shred from bottom and vert middle", Effect106 },
    { "Uneven shred from top and vert middle", Effect107 },
    { "Uneven shred from centre", Effect108 },
    { "Uneven shred to centre", Effect109 },
    { "Reveal diagonal from top left", Effect110 },
    { "Reveal diagonal from top right", Effect111 },
    { "Reveal diagonal from bottom left", Effect112 },
    { "Reveal diagonal from bottom right", Effect113 },
    { "Diagonal sweep from top left bottom right anticlockwise", Effect114 },
    { "Diagonal sweep from top left bottom right clockwise", Effect115 },
    { "Starburst clockwise from center", Effect116 },
    { "Starburst anticlockwise from center", Effect117 },
    { "Triangular shred", Effect118 },
    { "Fade", Effect119 },
    { "Pivot from top left", Effect120 },
    { "Pivot from bottom left", Effect121 },
    { "Pivot from top right", Effect122 },
    { "Pivot from bottom right", Effect123 },
    { "Speckle appear from right", Effect124 },
    { "Speckle appear from left", Effect125 },
    { "Speckle appear from bottom", Effect126 },
    { "Speckle appear from top", Effect127 },
    { "Random squares appear", Effect128 },
    { "Push right", Effect129 },
    { "Push left", Effect130 },
    { "Push and squeeze right", Effect131 },
    { "Push and squeeze left", Effect132 },
    { "Push down", Effect133 },
    { "Push up", Effect134 },
    { "Push and sqeeze down", Effect135 },
    { "Push and sqeeze up", Effect136 },
    { "Blind vertically", Effect137 },
    { "Blind horizontally", Effect138 },
    { "Uneven blind from left", Effect139 },
    { "Uneven blind from right", Effect140 },
    { "Uneven blind from top", Effect141 },
    { "Uneven blind from bottom", Effect142 },
    { "Rectangular shred", Effect143 },
    { "Sweep clockwise", Effect144 },
    { "Sweep anticlockwise", Effect145 },
    { "Rectangles apear from left and disapear to right", Effect146 },
    { "Rectangles apear from right and disapear to left", Effect147 },
    { "Rectangles apear from up and disapear to bottom", Effect148 },
    { "Rectangles apear from bottom and disapear to up", Effect149 },
    { "Rotational rectangle in center", Effect150 },
    { "Rotational star in center", Effect151 },
    { "Spiral rectangle", Effect152 },
    { "Circular shred", Effect153 },
    { "Reveal V from left", Effect154 },
    { "Reveal V from right", Effect155 },
    { "Reveal V from top", Effect156 },
    { "Reveal V from bottom", Effect157 },
    { "Bow Tie Horizontal", Effect158 },
    { "Bow Tie Vertical", Effect159 },
    { "Diagonal Cross In", Effect160 },
    { "Diagonal Cross Out", Effect161 },
    { "Zigzag Horizontal", Effect162 },
    { "Zigzag Vertical", Effect163 },
    { "Diamond shred", Effect164 },
    { "Reveal diamond out from centre", Effect165 },
    { "Reveal diamond in to centre", Effect166 },
    { "Diagonal Box Out", Effect167 },
    { "Pixelate", Effect168 },
    { "Dissolve", Effect169 },
    { "Random Bars Horizontal", Effect170 },
    { "Random Bars Vertical", Effect171 },
    { "Channel Mix", Effect172 },
} };
