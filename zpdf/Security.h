// Security: the standard security handler, for encrypted documents that open
// with an empty user password (the common case of files that only restrict
// printing or copying).
//
// RC4 with 40 to 128 bits (revisions 2 and 3), and crypt filters with RC4,
// AES-128 and AES-256 (revisions 4 to 6). Documents that need a real user
// password, or another handler, get no Security: their objects stay as the
// file has them.
//
// The objects of an opened document are decrypted as they load; writing
// encrypts them again with the same key, so that a rewritten file opens with
// the same "Encrypt" dictionary and "ID".
#pragma once

#include "zpdf/DataBuffer.h"
#include "zpdf/Dict.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace zpdf {

class Security {
public:
    // How strings or streams are encrypted.
    enum class Method { None, Rc4, Aes128, Aes256 };

    // The handler for the "Encrypt" dictionary and the first string of the
    // trailer's "ID", when the empty user password opens the document; null
    // otherwise.
    static std::unique_ptr<Security> open(const Dict& encrypt, const DataBuffer& firstId);

    // Decrypts the strings and stream data of an object as read from the
    // file (in place; the object must not be shared yet).
    void decrypt(Object& object, int32_t number, int32_t generation) const;
    // A copy of the object with its strings and stream data encrypted, for
    // writing it under that number and generation.
    IPtr<Object> encrypted(const Object& object, int32_t number, int32_t generation) const;

private:
    Security() = default;
    void transform(Object& object, int32_t number, int32_t generation, bool encrypting) const;
    DataBuffer crypt(Method method, const DataBuffer& bytes, int32_t number, int32_t generation, bool encrypting,
                     uint32_t ordinal) const;
    std::vector<uint8_t> objectKey(Method method, int32_t number, int32_t generation) const;

    std::vector<uint8_t> m_key;
    Method m_strings = Method::None;
    Method m_streams = Method::None;
    bool m_encryptMetadata = true;
};

} // namespace zpdf
