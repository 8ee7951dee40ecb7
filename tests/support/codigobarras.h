#pragma once
// Reads the bar codes of an image file with zbarimg.
#include <string>
#include <vector>

// True when zbarimg is installed.
bool HayZbar();
// The decoded texts in the order zbarimg gives them, each as "TYPE:data" (empty when none).
std::vector<std::string> LeeCodigosBarras(const std::string &imagen);
