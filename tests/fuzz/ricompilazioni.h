// How many times a fuzz target lets the checker compile again without the
// lines of the faults found so far: enough to go through that path (and its
// second round), few enough that an input costs three compilations, not the
// forty-one that check allows.
#ifndef TESTS_FUZZ_RICOMPILAZIONI_H_
#define TESTS_FUZZ_RICOMPILAZIONI_H_

inline constexpr int ricompilazioni_fuzz = 2;

#endif  // TESTS_FUZZ_RICOMPILAZIONI_H_
