#include "zpdf/Rc4.h"

#include <utility>

namespace zpdf {

Rc4::Rc4(const uint8_t* key, size_t keyBytes)
{
    for (int i = 0; i < 256; ++i)
        m_s[i] = static_cast<uint8_t>(i);
    if (keyBytes == 0)
        return;
    uint8_t j = 0;
    for (int i = 0; i < 256; ++i) {
        j = static_cast<uint8_t>(j + m_s[i] + key[static_cast<size_t>(i) % keyBytes]);
        std::swap(m_s[i], m_s[j]);
    }
}

void Rc4::apply(uint8_t* bytes, size_t count)
{
    for (size_t n = 0; n < count; ++n) {
        m_i = static_cast<uint8_t>(m_i + 1);
        m_j = static_cast<uint8_t>(m_j + m_s[m_i]);
        std::swap(m_s[m_i], m_s[m_j]);
        bytes[n] ^= m_s[static_cast<uint8_t>(m_s[m_i] + m_s[m_j])];
    }
}

} // namespace zpdf
