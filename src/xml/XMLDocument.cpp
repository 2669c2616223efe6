// Building, reading and writing the document tree.
#include "xml/XMLDocument.h"

#include "xml/XMLReader.h"
#include "xml/XMLWriter.h"

#include <utility>

namespace vexo {

void CXMLCharData::Write(CXMLWriter& writer) const {
    writer.WriteText(text);
}
void CXMLCDATASection::Write(CXMLWriter& writer) const {
    writer.WriteCDATA(text);
}
void CXMLComment::Write(CXMLWriter& writer) const {
    writer.WriteComment(text);
}
void CXMLPI::Write(CXMLWriter& writer) const {
    writer.WritePI(target.Get(), text);
}

CXMLElement* CXMLItemList::AddElement(std::string_view name) {
    return Emplace<CXMLElement>(name, Arena());
}

CXMLCharData* CXMLItemList::AddCharData(std::string text) {
    return Emplace<CXMLCharData>(std::move(text));
}

CXMLCDATASection* CXMLItemList::AddCDATASection(std::string text) {
    return Emplace<CXMLCDATASection>(std::move(text));
}

CXMLComment* CXMLItemList::AddComment(std::string text) {
    return Emplace<CXMLComment>(std::move(text));
}

CXMLPI* CXMLItemList::AddPI(std::string_view target, std::string data) {
    return Emplace<CXMLPI>(target, std::move(data));
}

CXMLPI* CXMLItemList::AddXmlDeclaration() {
    return AddPI("xml", "version=\"1.0\" encoding=\"windows-1250\" standalone=\"yes\"");
}

bool CXMLItemList::OnItem(CXMLReader& reader, int kind) {
    switch (kind) {
    case XML_TOKEN_ELEMENT_START:
        // Recursion is bounded: the reader refuses elements nested deeper than kMaxXMLDepth.
        AddElement(reader.TokenName())->Read(reader);
        return true;
    case XML_TOKEN_CHARDATA:
        AddCharData(std::string(reader.TokenValue()));
        return true;
    case XML_TOKEN_CDATA:
        AddCDATASection(std::string(reader.TokenValue()));
        return true;
    case XML_TOKEN_PI:
        AddPI(reader.TokenName(), std::string(reader.TokenValue()));
        return true;
    case XML_TOKEN_COMMENT:
        AddComment(std::string(reader.TokenValue()));
        return true;
    default:
        return false;
    }
}

void CXMLItemList::Read(CXMLReader& reader) {
    while (OnItem(reader, reader.ReadToken())) {
    }
}

void CXMLItemList::Write(CXMLWriter& writer) const {
    for (std::size_t i = 0; i < GetCount(); ++i)
        GetItem(i)->Write(writer);
}

bool CXMLElement::OnItem(CXMLReader& reader, int kind) {
    if (kind != XML_TOKEN_ATTRIBUTE) return CXMLItemList::OnItem(reader, kind);
    attributes.Add(reader.TokenName(), reader.TokenValue());
    return true;
}

void CXMLElement::Write(CXMLWriter& writer) const {
    writer.StartElement(name.Get());
    attributes.Write(writer);
    CXMLItemList::Write(writer);
    writer.EndElement(true);
}

const CXMLAttribute* CXMLAttributeList::Find(std::string_view name) const {
    for (const CXMLAttribute& attribute : entries)
        if (attribute.name == name) return &attribute;
    return nullptr;
}

CXMLAttribute* CXMLAttributeList::Find(std::string_view name) {
    return const_cast<CXMLAttribute*>(std::as_const(*this).Find(name));
}

void CXMLAttributeList::Get(std::string& result, std::string_view name, std::string_view defaultValue) const {
    const CXMLAttribute* attribute = Find(name);
    result = attribute ? std::string_view(attribute->value) : defaultValue;
}

void CXMLAttributeList::Set(std::string_view name, std::string_view value) {
    if (CXMLAttribute* attribute = Find(name))
        attribute->value = value;
    else
        Add(name, value);
}

CXMLAttribute* CXMLAttributeList::Add(std::string_view name, std::string_view value) {
    // A mission's unit carries up to seven attributes: room for them at once spares regrowing.
    if (entries.empty()) entries.reserve(8);
    return &entries.emplace_back(name, value);
}

void CXMLAttributeList::Write(CXMLWriter& writer) const {
    for (const CXMLAttribute& attribute : entries)
        writer.WriteAttribute(attribute.GetName(), attribute.value, true);
}

} // namespace vexo
