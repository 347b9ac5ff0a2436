#pragma once

// Defined when the tests run under AddressSanitizer, whose shadow memory and
// quarantine of freed blocks make a process's memory figures meaningless.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KORAVEL_UNDER_ADDRESS_SANITIZER
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define KORAVEL_UNDER_ADDRESS_SANITIZER
#endif
