#pragma once
// Who made the program, as the About box names and links them. The domain
// is a reserved example domain: the maker keeps no site of its own.

namespace zorvanel::app {

inline constexpr const char* kMakerHost = "www.example.org";
inline constexpr const char* kMakerDomain = "example.org";
inline constexpr const char* kMakerContact = "tavrik@example.org";
inline constexpr const char* kDeveloperName = "Tavrik";

}  // namespace zorvanel::app
