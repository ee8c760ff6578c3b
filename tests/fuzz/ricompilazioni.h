// How many times a fuzz target lets the checker compile again without the
// lines of the faults found so far: none, so that an input costs one
// compilation, not the forty-one that check allows (the tests of the checker
// go through that path).
#ifndef TESTS_FUZZ_RICOMPILAZIONI_H_
#define TESTS_FUZZ_RICOMPILAZIONI_H_

inline constexpr int ricompilazioni_fuzz = 0;

#endif  // TESTS_FUZZ_RICOMPILAZIONI_H_
