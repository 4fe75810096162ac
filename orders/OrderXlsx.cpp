#include <orders/OrderXlsx.h>

OrderFile ReadXlsxOrder(const std::string&)
{
    OrderFile file;
    file.problem = OrderFileProblem::NotXlsx;
    file.detail = "zip";
    return file;
}
