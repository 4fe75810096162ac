// Stands in for the order reader's wording until it is built beside this.
#include <orders/Order.h>

std::string RefusalText(const RowRefusal& refusal)
{
    return refusal ? "不能使用" : "";
}
