// Angles: the game and its drawing interface take degrees, the maths library
// radians. The factor is single precision, as every rotation is computed.
#pragma once

constexpr float kDegToRad = 0.017453292f;
