#pragma once

#include <kernel/ColorRef.h>

#include <QPixmap>

// The grid's small images: ten 16 x 15 images side by side. Image 0 is an
// expanded node, 1 a collapsed node, 2 a node without children; the other
// seven are spare. Pixels of the mask colour are transparent.
inline constexpr int kGridImageWidth = 16;
inline constexpr int kGridImageHeight = 15;
inline constexpr int kGridImageCount = 10;
inline constexpr COLORREF kGridImageMaskColor = 0x808000;

// Width of the check box images drawn between a node's image and its label
// when the grid shows check boxes.
inline constexpr int kCheckBoxImageWidth = 16;

enum GridImage { ExpandedNodeImage = 0, CollapsedNodeImage = 1, LeafImage = 2 };

QPixmap MakeGridImageStrip();
