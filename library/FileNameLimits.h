#pragma once

#include <cstddef>

// The longest file name, in bytes of the file system's encoding (UTF-8),
// that Linux file systems and the shares a workshop uses take.
inline constexpr std::size_t kMaxFileNameBytes = 255;

// A save writes a hidden temporary file beside its target first:
// "." + target name + "." + process id (at most ten digits) + "-" + attempt
// (at most two digits) + ".part". These are the bytes it adds to the target's
// name, so that a name that fits leaves room for its temporary file as well.
inline constexpr std::size_t kTempNameExtraBytes = 1 + 1 + 10 + 1 + 2 + 5;
inline constexpr int kMaxTempAttempts = 100;

// ".xml", the ending of every library file.
inline constexpr std::size_t kXmlSuffixBytes = 4;

// The longest model name, in UTF-8 bytes, whose file and temporary file fit.
inline constexpr std::size_t kMaxModelNameBytes = kMaxFileNameBytes - kXmlSuffixBytes - kTempNameExtraBytes;
