// Helpers of the PDF library tests: parsing from text, serialising to text.
#pragma once

#include "zpdf/BufferReader.h"
#include "zpdf/Object.h"
#include "zpdf/Parser.h"

#include <memory>
#include <string>

// A parser over its own copy of the bytes.
class TextParser {
public:
    explicit TextParser(const std::string& bytes, zpdf::ObjectOwner* owner = nullptr);

    zpdf::Parser& parser() { return m_parser; }
    zpdf::Reader& reader() { return m_parser.reader(); }
    zpdf::Parser* operator->() { return &m_parser; }

private:
    std::unique_ptr<zpdf::DataBuffer> m_bytes;
    zpdf::Parser m_parser;
};

// The one object the text holds (null when none starts there).
zpdf::IPtr<zpdf::Object> parseObject(const std::string& text);

// The serialised bytes of an object.
std::string serialise(const zpdf::Object& object);

zpdf::DataBuffer bufferOf(const std::string& bytes);
std::string toString(const zpdf::DataBuffer& buffer);

// Runs f and returns the message of the exception E it throws ("" when none).
template <typename E, typename F>
std::string messageOf(F f)
{
    try {
        f();
    } catch (const E& e) {
        return e.what();
    }
    return std::string();
}
