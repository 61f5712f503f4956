// The bytes a second start of the program sends to the running one to have documents opened:
// "VOPN", a count, then each file as a length and its native absolute path (little-endian
// 32-bit numbers). They come from outside the program, so reading is bounded and strict.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr size_t kMaxShellOpenFiles = 64;
constexpr size_t kMaxShellOpenPath = 4096;
constexpr size_t kMaxShellOpenRequest = 8 + kMaxShellOpenFiles * (4 + kMaxShellOpenPath);

// The running program's answer once it has taken a request.
constexpr char kShellOpenAccepted = 'K';

// Empty when the files cannot be sent: none, too many, or one not absolute, empty, too long
// or holding a NUL.
std::vector<uint8_t> EncodeShellOpenRequest(const std::vector<std::string>& files);

enum class ShellOpenStatus { incomplete, complete, invalid };
// `incomplete` while a valid request may still follow from more bytes; `complete` fills
// `files`; `invalid` for anything that breaks the rules above or has bytes after its end.
ShellOpenStatus DecodeShellOpenRequest(const std::vector<uint8_t>& bytes, std::vector<std::string>& files);
