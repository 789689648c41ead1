#pragma once

namespace VBScript {

// Rnd and Randomize as the engine computes them: a 24-bit linear congruential sequence that
// starts at the same seed in every run, so that a script without Randomize sees the same
// numbers each time.
class RandomNumbers
{
public:
    // Rnd(number): the next number for a positive or missing argument, the last one again for
    // zero, and a number fixed by a negative argument.
    float next();
    float repeat() const { return float(m_seed) / 16777216.0f; }
    float reseed(float number);
    // Randomize number: mixes the bits of `number` into the seed.
    void randomize(double number);

private:
    unsigned int m_seed = 0x50000;
};

} // namespace VBScript
