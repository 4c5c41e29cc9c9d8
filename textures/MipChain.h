#pragma once

#include "Texture.h"

// Level 0 halved each way (a side of 1 stays 1), each texel the rounded mean of the 2 x 2
// texels it covers (of a side of 1 or an odd side's last one, the texels there are).
TextureLevel halvedLevel(const TextureLevel& level);

// Adds levels below the last one, each halved from the one before, down to 1 x 1.
void completeMipChain(Texture& texture);
