// SPDX-License-Identifier: MIT
// Marks a plain pixel loop to be compiled twice, once for processors with
// 32-byte integer operations and once for the rest; the wider version is
// chosen when the program starts.
#pragma once

#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define QV_WIDE_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define QV_WIDE_VECTOR_CLONES
#endif

namespace qv::gdi {

// True when the wide versions of the loops above run on this processor: a
// caller with a faster narrow form of its own keeps that one otherwise.
inline bool hasWideVectors() {
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
    return __builtin_cpu_supports("avx2");
#else
    return false;
#endif
}

}  // namespace qv::gdi
