#pragma once
// The product and who made it, as the About box names and links them. The
// domain is a reserved example domain: the maker keeps no site of its own.
// The build reads these for the version resource and the packages.

namespace zorvanel::app {

inline constexpr const char* kProductName = "Zorvanel";
inline constexpr const char* kMakerHost = "www.example.org";
inline constexpr const char* kMakerDomain = "example.org";
inline constexpr const char* kMakerContact = "tavrik@example.org";
inline constexpr const char* kDeveloperName = "Tavrik";

}  // namespace zorvanel::app
