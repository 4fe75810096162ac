#pragma once

class QPrinter;

// The way commands ask where and how to print. The program shows Qt's print
// dialog; tests set the printer up at once (a PDF file).
class PrinterChoice {
public:
    virtual ~PrinterChoice() = default;

    // Sets the printer up as the user chose; false when the user cancels.
    virtual bool choose(QPrinter& printer) = 0;
};
