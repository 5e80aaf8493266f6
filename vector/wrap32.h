// 32-bit arithmetic that wraps on overflow instead of being undefined: the
// vector geometry is defined as 32-bit signed products and sums, and a parsed
// text may hold coordinates up to 2^32 - 1.
#ifndef VORN_VECTOR_WRAP32_H
#define VORN_VECTOR_WRAP32_H

#include <cstdint>

inline int32_t Add32(int32_t a, int32_t b) { return int32_t(uint32_t(a) + uint32_t(b)); }
inline int32_t Sub32(int32_t a, int32_t b) { return int32_t(uint32_t(a) - uint32_t(b)); }
inline int32_t Mul32(int32_t a, int32_t b) { return int32_t(uint32_t(a) * uint32_t(b)); }
inline int32_t Neg32(int32_t a) { return int32_t(0u - uint32_t(a)); }
// Truncating division; the one overflowing case INT32_MIN / -1 wraps to INT32_MIN.
inline int32_t Div32(int32_t a, int32_t b) { return b == -1 ? Neg32(a) : a / b; }

#endif
