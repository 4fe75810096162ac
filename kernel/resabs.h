#pragma once

// Absolute length tolerance in millimetres: lengths whose magnitude is below
// it count as zero.
extern double resabs;
