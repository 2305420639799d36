#pragma once
// The ANSI side of the registry on Windows NT. NT keeps every text of type
// REG_SZ, REG_EXPAND_SZ and REG_MULTI_SZ as UTF-16LE; the program's ANSI calls
// convert on the way in and out with the system's ANSI code page, here the
// Western one, Windows-1252.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/registry/RegistryApi.h"

namespace zorvanel::registry {

// How many bytes of data RegSetValueExA stores: a text that does not end in
// a NUL gets the one that follows it, the registry taking it that the caller
// counted only the characters.
std::uint32_t StoredSize(std::uint32_t type, const std::uint8_t* data, std::uint32_t size);

// As RegSetValueExA: every byte becomes one UTF-16LE code unit, so size bytes
// become 2 * size bytes. Nothing is added or taken away: a text written
// without its terminator is stored without one, and NULs inside are kept.
std::vector<std::uint8_t> WidenAnsi(const std::uint8_t* data, std::size_t size);

// As RegQueryValueExA: every whole code unit becomes one byte; an odd last
// byte is dropped. A unit that Windows-1252 has no byte for becomes '?', the
// code page's default character.
std::string NarrowToAnsi(const std::uint8_t* data, std::size_t size);

}  // namespace zorvanel::registry
