// Rewrites the stream serial number of every page of an Ogg file (and the
// page checksums with it). libsndfile picks the serial from the clock, which
// would make two builds of the pack differ.
#pragma once

#include <cstdint>
#include <vector>

namespace korvid::packgen {

// Returns the number of pages rewritten; 0 means the bytes were not Ogg.
int SetOggSerial(std::vector<std::uint8_t>& bytes, std::uint32_t serial);

// The Ogg page checksum (CRC-32, polynomial 0x04C11DB7, not reflected, start 0).
std::uint32_t OggCrc(const std::uint8_t* data, std::size_t size);

}  // namespace korvid::packgen
