#pragma once

#include <dialogs/PrinterChoice.h>

// Qt's modal print dialog over the active window.
class QtPrinterChoice final : public PrinterChoice {
public:
    bool choose(QPrinter& printer) override;
};
