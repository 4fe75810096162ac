#pragma once

#include <QString>

#include <optional>
#include <string>

// The library keeps texts as GBK bytes; the user interface works in QString.
// These convert at that edge.
QString FromGbk(const std::string& gbk);
// Nothing when the text holds a character GBK cannot encode.
std::optional<std::string> ToGbk(const QString& text);
