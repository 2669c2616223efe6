// The parser's and writer's error: where in the text it went wrong, by offset, line and column.
#pragma once

#include "support/Error.h"

#include <cstddef>
#include <string>

namespace vexo {

// Kinds of CXMLError.
enum XMLErrorKind {
    XML_ERROR_CONVERSION = 0,
    XML_ERROR_OPEN = 1,
    XML_ERROR_WRITE = 2,
    XML_ERROR_READ = 3,
    XML_ERROR_ATTRIBUTE_OUTSIDE_TAG = 4,
    XML_ERROR_NO_OPEN_ELEMENT = 5,
    XML_ERROR_SYNTAX = 6,
    XML_ERROR_REFERENCE = 7,
    XML_ERROR_END_TAG = 8,
    XML_ERROR_UNEXPECTED_END = 9,
};

class CXMLError : public CError {
public:
    // Stands for the length of the text: the error is at its end.
    static constexpr std::size_t kEndOfText = std::size_t(-1);

    // Works out line and column of `position` in `text`, then writes the record: the base part
    // with "Błąd parsera XML" and an "XML" section.
    CXMLError(int kind, const std::string& text, std::size_t position);

    // The Polish description of a kind, as the record shows it.
    static std::string KindMessage(int kind);

    int kind;
    std::size_t position;
    unsigned textLine;
    unsigned textColumn;
};

} // namespace vexo
