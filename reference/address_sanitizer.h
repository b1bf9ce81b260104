#pragma once

// Whether this build runs under AddressSanitizer, whose shadow memory leaves no room for any
// address-space limit.
#if defined(__SANITIZE_ADDRESS__)
#define FLIGHTCOMPARE_ADDRESS_SANITIZER
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define FLIGHTCOMPARE_ADDRESS_SANITIZER
#endif
#endif

#ifdef FLIGHTCOMPARE_ADDRESS_SANITIZER
constexpr bool kUnderAddressSanitizer = true;
#else
constexpr bool kUnderAddressSanitizer = false;
#endif
