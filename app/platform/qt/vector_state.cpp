// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platform/qt/vector_state.h"

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#include <immintrin.h>
#define ORTALBA_X86 1
#endif

namespace ortalba {

#ifdef ORTALBA_X86
namespace {

// AVX usable: the processor has it and the system saves its registers (OSXSAVE).
bool hasAvx() {
  static const bool avx = [] {
    unsigned a = 0, b = 0, c = 0, d = 0;
    if (!__get_cpuid(1, &a, &b, &c, &d)) return false;
    const bool osxsave = c & bit_OSXSAVE;
    const bool avxBit = c & bit_AVX;
    if (!osxsave || !avxBit) return false;
    unsigned lo = 0, hi = 0;
    __asm__ volatile("xgetbv" : "=a"(lo), "=d"(hi) : "c"(0));
    return (lo & 0x6) == 0x6;  // the system keeps both XMM and YMM state
  }();
  return avx;
}

// xgetbv with ecx = 1 (XINUSE) needs the processor's XGETBV_ECX1 feature.
bool canReadInUse() {
  static const bool can = [] {
    unsigned a = 0, b = 0, c = 0, d = 0;
    if (!hasAvx() || !__get_cpuid_count(0xD, 1, &a, &b, &c, &d)) return false;
    return (a & (1u << 2)) != 0;
  }();
  return can;
}

__attribute__((target("avx"))) void zeroUpper() { _mm256_zeroupper(); }

}  // namespace

void clearUpperVectorState() {
  if (hasAvx()) zeroUpper();
}

bool upperVectorStateInUse() {
  if (!canReadInUse()) return false;
  unsigned lo = 0, hi = 0;
  __asm__ volatile("xgetbv" : "=a"(lo), "=d"(hi) : "c"(1));
  return (lo & 0x4) != 0;
}
#else
void clearUpperVectorState() {}
bool upperVectorStateInUse() { return false; }
#endif

}  // namespace ortalba
