#pragma once

#include <span>

// The built-in example picture, a 24-bit BMP of 330 x 314 pixels (see
// make_example.cpp for how it is drawn).
std::span<const unsigned char> ExampleBitmapBytes();
