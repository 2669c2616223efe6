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
    return Append(std::make_unique<CXMLElement>(name));
}

CXMLCharData* CXMLItemList::AddCharData(std::string text) {
    return Append(std::make_unique<CXMLCharData>(std::move(text)));
}

CXMLCDATASection* CXMLItemList::AddCDATASection(std::string text) {
    return Append(std::make_unique<CXMLCDATASection>(std::move(text)));
}

CXMLComment* CXMLItemList::AddComment(std::string text) {
    return Append(std::make_unique<CXMLComment>(std::move(text)));
}

CXMLPI* CXMLItemList::AddPI(std::string_view target, std::string data) {
    return Append(std::make_unique<CXMLPI>(target, std::move(data)));
}

CXMLPI* CXMLItemList::AddXmlDeclaration() {
    return AddPI("xml", "version=\"1.0\" encoding=\"windows-1250\" standalone=\"yes\"");
}

bool CXMLItemList::OnItem(CXMLReader& reader, int kind) {
    // The reader overwrites name and value with the next token, so their text can be taken.
    switch (kind) {
    case XML_TOKEN_ELEMENT_START:
        // Recursion is bounded: the reader refuses elements nested deeper than kMaxXMLDepth.
        AddElement(reader.name)->Read(reader);
        return true;
    case XML_TOKEN_CHARDATA:
        AddCharData(std::move(reader.value));
        return true;
    case XML_TOKEN_CDATA:
        AddCDATASection(std::move(reader.value));
        return true;
    case XML_TOKEN_PI:
        AddPI(reader.name, std::move(reader.value));
        return true;
    case XML_TOKEN_COMMENT:
        AddComment(std::move(reader.value));
        return true;
    default:
        return false;
    }
}

void CXMLItemList::Read(CXMLReader& reader) {
    while (OnItem(reader, reader.NextToken())) {
    }
}

void CXMLItemList::Write(CXMLWriter& writer) const {
    for (std::size_t i = 0; i < GetCount(); ++i)
        GetItem(i)->Write(writer);
}

bool CXMLElement::OnItem(CXMLReader& reader, int kind) {
    if (kind != XML_TOKEN_ATTRIBUTE) return CXMLItemList::OnItem(reader, kind);
    attributes.Add(reader.name, std::move(reader.value));
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

void CXMLAttributeList::Set(std::string_view name, std::string value) {
    if (CXMLAttribute* attribute = Find(name))
        attribute->value = std::move(value);
    else
        Add(name, std::move(value));
}

CXMLAttribute* CXMLAttributeList::Add(std::string_view name, std::string value) {
    // A mission's unit carries up to seven attributes: room for them at once spares regrowing.
    if (entries.empty()) entries.reserve(8);
    return &entries.emplace_back(name, std::move(value));
}

void CXMLAttributeList::Write(CXMLWriter& writer) const {
    for (const CXMLAttribute& attribute : entries)
        writer.WriteAttribute(attribute.GetName(), attribute.value, true);
}

} // namespace vexo
