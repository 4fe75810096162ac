#pragma once

#include <orders/Order.h>

#include <optional>
#include <string>

class TiXmlDocument;
struct zip;

// The problems an order workbook reports, naming the part.
OrderFile NotXlsxFile(std::string part);
OrderFile TooLargeFile(OrderFileLimit what, long long limit, std::string part);

// An XLSX workbook's zip, read from memory and discarded (never written
// back) however reading ends. Its parts are unpacked only up to
// kMaxXlsxPartBytes, whatever their headers claim, and parsed only once
// what their XML would build is known to stay within bounds.
class XlsxPackage {
public:
    explicit XlsxPackage(const std::string& bytes);
    ~XlsxPackage();
    XlsxPackage(const XlsxPackage&) = delete;
    XlsxPackage& operator=(const XlsxPackage&) = delete;

    bool open() const { return m_zip != nullptr; }

    // The part (its name without regard to case) parsed into document; the
    // problem when it cannot be, and for a part the workbook lacks unless it
    // may be missing (then document stays empty).
    std::optional<OrderFile> parse(const std::string& name, TiXmlDocument& document, bool mayBeMissing = false);

private:
    std::optional<OrderFile> read(unsigned long long index, const std::string& name, std::string& text);

    zip* m_zip = nullptr;
};
