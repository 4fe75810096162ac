#pragma once

#include <string>

// How the texts of a drawing (layer names) are stored.
struct TextEncoding {
    std::string charset;  // iconv name of the code page; empty for UTF-8
    bool guessed = false; // the drawing names no known code page: UTF-8 text is kept as it is
};

// Drawings before AutoCAD 2007 ($ACADVER below AC1021) store text in the code
// page of $DWGCODEPAGE; later ones in UTF-8.
TextEncoding drawingTextEncoding(const std::string& codePage, const std::string& version);

// Decodes one text of the drawing to UTF-8, including \U+XXXX escapes. Text
// that does not decode is kept as it is.
std::string decodeDrawingText(const std::string& raw, const TextEncoding& encoding);

// What a layer name says about the face it holds.
enum class FaceHint { None, Top, Side };
FaceHint faceHintOfLayer(const std::string& utf8Name);
