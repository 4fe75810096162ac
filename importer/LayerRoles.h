#pragma once

#include <string>

// What a layer's name says about the closed outlines on it.
enum class LayerRole {
    Ordinary,
    Frame,      // the sheet's frame or title block: never a part
    Annotation, // centre lines, dimensions, hatches, texts: never a part or a hole
};

// Folds a layer name (UTF-8) for comparison: full-width ASCII forms and the
// ideographic space become ASCII, ASCII letters upper case.
std::string foldLayerName(const std::string& utf8Name);

LayerRole layerRoleOf(const std::string& utf8Name);
