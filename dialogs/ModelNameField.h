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

// Asks the acceptor, when there is one, about the name that was read. On a
// refusal the name field takes the focus with its text selected, so that
// another name can be typed at once. True when the dialog may close.
bool AcceptModelName(const NameAcceptor& acceptor, QLineEdit* field, const std::string& gbkName);
