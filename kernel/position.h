#pragma once

// A point in millimetres. Models are drawn in the x/y plane; z carries a depth
// or a position along the door where a file format asks for it.
struct position {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    friend bool operator==(const position&, const position&) = default;
};
