#pragma once

#include <span>

// The splash window's 125 x 125 logo as PNG bytes, compiled into the program.
std::span<const unsigned char> SplashLogoPng();
