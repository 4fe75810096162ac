#pragma once

#include <string>

// Writes a drawing of `squares` closed squares, each drawn as four LINE
// entities with a circle inside, laid out on a grid, in millimetres. Entities
// carry handles, layers and subclass markers as CAD programs write them.
void writeSquaresDrawing(const std::string& path, int squares);
