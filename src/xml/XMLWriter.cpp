// The XML writer.
#include "xml/XMLWriter.h"

#include "support/Strings.h"
#include "xml/XMLError.h"

namespace vexo {

void CXMLWriter::CloseStartTag() {
    if (!inStartTag) return;
    *text += beforeTagEnd;
    *text += '>';
    *text += newline;
    inStartTag = false;
}

void CXMLWriter::WriteIndent() {
    if (indent.empty()) return;
    for (std::size_t i = 0; i < openElements.size(); ++i)
        *text += indent;
}

std::string CXMLWriter::Prepare(const std::string& value) const {
    std::string prepared = NormalizeNewlines(value, newlineStyle);
    if (continuationIndent == 0 || indent.empty() || newline.empty()) return prepared;
    std::string continuation = newline;
    const std::size_t levels = openElements.size() + (continuationIndent == 2 ? 1 : 0);
    for (std::size_t i = 0; i < levels; ++i)
        continuation += indent;
    return ReplaceAll(prepared, newline, continuation);
}

void CXMLWriter::WriteItem(const std::string& open, const std::string& value, const char* close) {
    CloseStartTag();
    WriteIndent();
    *text += open;
    *text += Prepare(value);
    *text += close;
    *text += newline;
}

void CXMLWriter::StartElement(const std::string& name) {
    CloseStartTag();
    WriteIndent();
    *text += '<';
    *text += name;
    inStartTag = true;
    openElements.push_back(name);
}

void CXMLWriter::WriteAttribute(const std::string& name, const std::string& value, bool doubleQuotes) {
    if (!inStartTag) throw CXMLError(XML_ERROR_ATTRIBUTE_OUTSIDE_TAG, *text, CXMLError::kEndOfText);
    std::string escaped = ReplaceAll(ReplaceAll(value, "&", "&amp;"), "<", "&lt;");
    escaped = doubleQuotes ? ReplaceAll(escaped, "\"", "&quot;") : ReplaceAll(escaped, "'", "&apos;");
    const char quote = doubleQuotes ? '"' : '\'';
    *text += attributeSeparator;
    *text += name;
    *text += beforeEquals;
    *text += '=';
    *text += afterEquals;
    *text += quote;
    *text += Prepare(escaped);
    *text += quote;
}

void CXMLWriter::EndElement(bool allowEmptyTag) {
    if (openElements.empty()) throw CXMLError(XML_ERROR_NO_OPEN_ELEMENT, *text, CXMLError::kEndOfText);
    const std::string name = std::move(openElements.back());
    openElements.pop_back();
    if (!inStartTag) {
        WriteIndent();
    } else if (allowEmptyTag) {
        *text += beforeTagEnd + "/>" + newline;
        inStartTag = false;
        return;
    } else {
        *text += beforeTagEnd + ">" + newline;
        WriteIndent();
    }
    *text += "</" + name + beforeTagEnd + ">" + newline;
    inStartTag = false;
}

void CXMLWriter::WriteText(const std::string& value) {
    WriteItem("", ReplaceAll(ReplaceAll(ReplaceAll(value, "&", "&amp;"), "<", "&lt;"), "]]>", "]]&gt;"), "");
}

void CXMLWriter::WriteCDATA(const std::string& value) {
    WriteItem("<![CDATA[", value, "]]>");
}

void CXMLWriter::WriteComment(const std::string& value) {
    WriteItem("<!--", value, "-->");
}

void CXMLWriter::WritePI(const std::string& target, const std::string& data) {
    WriteItem("<?" + target + piSeparator, data, "?>");
}

void CXMLWriter::Flush() {
    while (!openElements.empty())
        EndElement(true);
}

} // namespace vexo
