// The exceptions of the PDF library. Their messages are fixed texts (several
// of them German, in the single-byte encoding of the files they come from);
// callers show or compare them as they stand.
#pragma once

#include <exception>
#include <stdexcept>
#include <string>

namespace zpdf {

// Structural errors: parser, loader and page tree.
class PdfException : public std::exception {
public:
    explicit PdfException(std::string message) : m_message(std::move(message)) {}
    const char* what() const noexcept override { return m_message.c_str(); }

private:
    std::string m_message;
};

// An index or range outside a buffer.
class IndexOutOfBoundsException : public std::range_error {
public:
    explicit IndexOutOfBoundsException(const std::string& message) : std::range_error(message) {}
};

// A number was expected and none was there.
class NumberFormatException : public std::exception {
public:
    explicit NumberFormatException(std::string message) : m_message(std::move(message)) {}
    const char* what() const noexcept override { return m_message.c_str(); }

private:
    std::string m_message;
};

// A feature of the file that the library does not handle (filters, predictors).
class UnsupportedException : public std::runtime_error {
public:
    explicit UnsupportedException(const std::string& message) : std::runtime_error(message) {}
};

} // namespace zpdf
