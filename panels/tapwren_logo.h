#pragma once
// The About dialog's animated logo, a GIF made at build time by
// assets/logo_generator.cpp and compiled into the program.

#include <span>

std::span<const unsigned char> tapwren_logo_gif();
