// On the x86-64 host, GCC compiles the marked pixel loops once for each of
// these vector units and picks the widest the processor has at load time.
// Elsewhere (the handheld's ARM compiler, clang) the mark is empty and the
// loops are plain portable code.
#pragma once

#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define QM_VECTOR_CLONES __attribute__((target_clones("arch=x86-64-v4", "arch=x86-64-v3", "default")))
#else
#define QM_VECTOR_CLONES
#endif
