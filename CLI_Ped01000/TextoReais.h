#pragma once

#include <string>

// Money as the operator reads it: "R$ 1.234,50", "-R$ 0,10"; the value is rounded to the centavo.
std::string TextoReais(double value);
