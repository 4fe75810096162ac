#include <kernel/resabs.h>

double resabs = 1e-6;
