// Path queries: "settings/window-size/@width" addresses the attribute "width" of the first
// "window-size" child of the first "settings" element. Steps match names exactly; only the first
// element of a name is reachable, and "@" introduces an attribute only below an element.
#include "xml/XMLDocument.h"

namespace vexo {

namespace {

// Cuts at the first "/"; the rest is empty when there is none.
void SplitPath(std::string_view path, std::string_view& first, std::string_view& rest) {
    const std::size_t slash = path.find('/');
    first = path.substr(0, slash);
    rest = slash == std::string_view::npos ? std::string_view() : path.substr(slash + 1);
}

bool IsAttributeStep(std::string_view path) {
    return !path.empty() && path[0] == '@';
}

} // namespace

CXMLElement* CXMLItemList::FirstChild(std::string_view name) const {
    for (std::size_t i = 0; i < GetCount(); ++i) {
        CXMLItem* item = GetItem(i);
        if (item->GetType() != XML_ELEMENT) continue;
        auto* element = static_cast<CXMLElement*>(item);
        if (element->name == name) return element;
    }
    return nullptr;
}

void CXMLItemList::GetValue(std::string& result, std::string_view path, std::string_view defaultValue) const {
    std::string_view first, rest;
    SplitPath(path, first, rest);
    const CXMLElement* child = path.empty() ? nullptr : FirstChild(first);
    if (child)
        child->GetValue(result, rest, defaultValue);
    else
        result = defaultValue;
}

void CXMLItemList::SetValue(std::string_view path, std::string_view value) {
    if (path.empty()) {
        Clear();
        AddCharData(std::string(value));
        return;
    }
    std::string_view first, rest;
    SplitPath(path, first, rest);
    CXMLElement* child = FirstChild(first);
    if (!child) child = AddElement(first);
    child->SetValue(rest, value);
}

CXMLElement* CXMLItemList::FindElement(std::string_view path) {
    if (path.empty()) return nullptr;
    std::string_view first, rest;
    SplitPath(path, first, rest);
    CXMLElement* child = FirstChild(first);
    return child ? child->FindElement(rest) : nullptr;
}

CXMLAttribute* CXMLItemList::FindAttribute(std::string_view path) {
    if (path.empty() || IsAttributeStep(path)) return nullptr;
    std::string_view first, rest;
    SplitPath(path, first, rest);
    CXMLElement* child = FirstChild(first);
    return child ? child->FindAttribute(rest) : nullptr;
}

bool CXMLItemList::Exists(std::string_view path) const {
    if (path.empty()) return true;
    std::string_view first, rest;
    SplitPath(path, first, rest);
    const CXMLElement* child = FirstChild(first);
    return child && child->Exists(rest);
}

std::string CXMLItemList::Value(std::string_view path, std::string_view defaultValue) const {
    std::string result;
    GetValue(result, path, defaultValue);
    return result;
}

const CXMLElement* CXMLItemList::FindElement(std::string_view path) const {
    // The search changes nothing; only the caller's access to the result differs.
    return const_cast<CXMLItemList*>(this)->FindElement(path);
}

void CXMLElement::GetValue(std::string& result, std::string_view path, std::string_view defaultValue) const {
    if (IsAttributeStep(path)) return attributes.Get(result, path.substr(1), defaultValue);
    if (!path.empty()) return CXMLItemList::GetValue(result, path, defaultValue);
    // The element's own text: character data and CDATA joined; comments and elements left out.
    std::string text;
    for (std::size_t i = 0; i < GetCount(); ++i) {
        const CXMLItem* item = GetItem(i);
        if (item->GetType() == XML_CHARDATA || item->GetType() == XML_CDATA)
            text += static_cast<const CXMLTextItem*>(item)->text;
    }
    result = std::move(text);
}

void CXMLElement::SetValue(std::string_view path, std::string_view value) {
    if (IsAttributeStep(path))
        attributes.Set(path.substr(1), value);
    else
        CXMLItemList::SetValue(path, value);
}

CXMLElement* CXMLElement::FindElement(std::string_view path) {
    return path.empty() ? this : CXMLItemList::FindElement(path);
}

CXMLAttribute* CXMLElement::FindAttribute(std::string_view path) {
    return IsAttributeStep(path) ? attributes.Find(path.substr(1)) : CXMLItemList::FindAttribute(path);
}

bool CXMLElement::Exists(std::string_view path) const {
    return IsAttributeStep(path) ? attributes.Find(path.substr(1)) != nullptr : CXMLItemList::Exists(path);
}

} // namespace vexo
