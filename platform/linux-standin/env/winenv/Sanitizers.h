// Whether this build runs under a sanitizer that watches heap blocks. Not a Windows API: the
// stand-in's and the client's block caches turn themselves off then, so that every block the
// code asks for is one the sanitizer sees.
#pragma once

namespace winenv {

constexpr bool SanitizersWatchTheHeap()
{
#if defined(__SANITIZE_ADDRESS__)
    return true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(memory_sanitizer)
    return true;
#else
    return false;
#endif
#else
    return false;
#endif
}

} // namespace winenv
