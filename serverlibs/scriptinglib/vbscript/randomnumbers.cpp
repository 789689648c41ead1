#include "randomnumbers.h"

#include <cstring>

namespace VBScript {

float RandomNumbers::next()
{
    m_seed = (m_seed * 0x43FD43FDu + 0xC39EC3u) & 0xFFFFFFu;
    return repeat();
}

float RandomNumbers::reseed(float number)
{
    unsigned int bits = 0;
    std::memcpy(&bits, &number, sizeof bits);
    m_seed = (bits + (bits >> 24)) & 0xFFFFFFu;
    return next();
}

void RandomNumbers::randomize(double number)
{
    unsigned long long bits = 0;
    std::memcpy(&bits, &number, sizeof bits);
    unsigned int high = (unsigned int)(bits >> 32);
    high ^= high >> 16;
    m_seed = (m_seed & 0xFFu) | ((high & 0xFFFFu) << 8);
}

} // namespace VBScript
