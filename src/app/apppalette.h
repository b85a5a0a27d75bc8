// The window's own colours. The window is designed in fixed colours (its
// lavender background, black captions); the texts it leaves to the system
// are dark on light in the design, so the system's colour scheme must not
// reach them: a dark desktop would put white captions on the lavender.
#pragma once

#include <QPalette>

// A light palette that does not follow the desktop: the colours of the
// system's usual light scheme, with the design's lavender background.
QPalette designedPalette();
