#pragma once
// The readers' fuzz targets. Each takes one input as the file's bytes,
// runs the reader and what shows its result, and checks what must hold for
// any input; a broken rule stops the program with a message (libFuzzer keeps
// the input). The same functions replay the committed inputs in the
// ordinary test build.
#include <cstddef>
#include <cstdint>
#include <functional>

namespace orvfuzz {

// orvanto.ini: the data line decoded, applied and written back.
int settingsFile(const std::uint8_t* data, std::size_t size);
// An unknown's data file, then every spectrum decoder the viewers use.
int unknownFile(const std::uint8_t* data, std::size_t size);
// A user file of either format, then the summary of finished unknowns.
int userFile(const std::uint8_t* data, std::size_t size);
// An in-use mark, then what is written back.
int markFiles(const std::uint8_t* data, std::size_t size);

// Stops the program with `what` when `ok` is false, or hands `what` to the
// handler when one is set (the replay test names the input and goes on).
void require(bool ok, const char* what);
void setRuleBrokenHandler(std::function<void(const char*)> handler);

} // namespace orvfuzz
