#pragma once

// Defines VARNHOLT_SANITIZED in a build with AddressSanitizer (g++ or clang),
// whose pace the tests that fork or time themselves scale down to.
#if defined(__SANITIZE_ADDRESS__)
#define VARNHOLT_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VARNHOLT_SANITIZED 1
#endif
#endif
