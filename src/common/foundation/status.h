#pragma once
// Results of operations: 32-bit, negative for failure, zero for success (the COM convention).
// Portable code cannot see the platform's macros, so the values are spelled out here.
#include <cstdint>

namespace zuna {

using Status = std::int32_t;

inline constexpr Status kOk = 0;
inline constexpr Status kFalse = 1;
inline constexpr Status kAbort = static_cast<Status>(0x80004004u);
inline constexpr Status kFail = static_cast<Status>(0x80004005u);
inline constexpr Status kUnexpected = static_cast<Status>(0x8000FFFFu);
inline constexpr Status kNotImplemented = static_cast<Status>(0x80004001u);
inline constexpr Status kOutOfMemory = static_cast<Status>(0x8007000Eu);
inline constexpr Status kInvalidArg = static_cast<Status>(0x80070057u);
inline constexpr Status kAccessDenied = static_cast<Status>(0x80070005u);
inline constexpr Status kPointer = static_cast<Status>(0x80004003u);
inline constexpr Status kFileNotFound = static_cast<Status>(0x80070002u);
// The disk has no room left (the platform's ERROR_DISK_FULL as a status).
inline constexpr Status kDiskFull = static_cast<Status>(0x80070070u);

constexpr bool Succeeded(Status s) {
  return s >= 0;
}
constexpr bool Failed(Status s) {
  return s < 0;
}

}  // namespace zuna
