#pragma once

#include <machining/Features.h>

#include <string>

// The name of a feature as programs and messages show it, in GBK:
// "合页2孔3", "锁面板槽", ...
std::string FeatureName(const FeatureRef& feature);
