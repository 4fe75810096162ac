#pragma once

#include <functional>
#include <string>

class DataExchange;
class QLineEdit;

// Exchanges a model's name field. While reading, a name that cannot become a
// file name of the library (a path separator, "." or "..", a control
// character) is refused like an unreadable number.
void ExchangeModelName(DataExchange& dx, QLineEdit* field, std::string& gbkName);

// Asked on OK with the name that was read; false keeps the dialog open for
// another name. The commands use it to ask before a model of the same name is
// replaced.
using NameAcceptor = std::function<bool(const std::string& gbkName)>;
