#include "tests/zpdf/ZpdfTestUtil.h"

#include "zpdf/Writer.h"

TextParser::TextParser(const std::string& bytes, zpdf::ObjectOwner* owner)
    : m_bytes(std::make_unique<zpdf::DataBuffer>(bufferOf(bytes))),
      m_parser(std::make_shared<zpdf::BufferReader>(*m_bytes), owner)
{
}

zpdf::IPtr<zpdf::Object> parseObject(const std::string& text)
{
    TextParser p(text);
    return p->readObject();
}

std::string serialise(const zpdf::Object& object)
{
    zpdf::BufferWriter writer;
    writer.writeObject(object);
    return toString(writer.buffer());
}

zpdf::DataBuffer bufferOf(const std::string& bytes)
{
    return zpdf::DataBuffer(bytes.data(), static_cast<int>(bytes.size()));
}

std::string toString(const zpdf::DataBuffer& buffer)
{
    return std::string(reinterpret_cast<const char*>(buffer.data()), static_cast<size_t>(buffer.length()));
}
