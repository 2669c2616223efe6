// The streaming XML writer: appends tags and text to a byte string with a configurable layout.
#pragma once

#include "xml/XMLStream.h"

#include <string>
#include <vector>

namespace vexo {

// An element without content is written as an empty-element tag. With every layout field at its
// default the output is one line; Settings.xml uses indent "  " and newline "\r\n".
// Misuse (an attribute outside a start tag, closing with no element open) raises CXMLError.
class CXMLWriter : public CXMLStream {
public:
    // Appends to what `output` already holds; it must outlive the writer.
    explicit CXMLWriter(std::string& output) : text(&output) {}

    void StartElement(const std::string& name);
    void WriteAttribute(const std::string& name, const std::string& value, bool doubleQuotes);
    void EndElement(bool allowEmptyTag);
    void WriteText(const std::string& value);
    void WriteCDATA(const std::string& value);
    void WriteComment(const std::string& value);
    void WritePI(const std::string& target, const std::string& data);
    // Closes every open element, empty ones as empty-element tags.
    void Flush();

    std::string* text;
    // The names of the elements open at the current position; its size is the depth.
    std::vector<std::string> openElements;
    std::string piSeparator = " ";
    std::string attributeSeparator = " ";
    std::string beforeEquals;
    std::string afterEquals;
    std::string beforeTagEnd;
    std::string indent;
    std::string newline;
    // 0 writes values as they are; 1 indents the lines inside a value to the current depth;
    // 2 one level deeper than that. Needs both indent and newline.
    int continuationIndent = 0;

private:
    void CloseStartTag();
    void WriteIndent();
    std::string Prepare(const std::string& value) const;
    // CloseStartTag, indentation, then open + prepared value + close + newline.
    void WriteItem(const std::string& open, const std::string& value, const char* close);
};

} // namespace vexo
