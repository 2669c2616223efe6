// Reading the graphics description files (Sprites.xml, Fonts.xml): the document, its root element
// and the child records with their values.
#pragma once

#include "xml/XMLDocument.h"

#include <string>
#include <string_view>
#include <vector>

namespace gfx_xml {

// Parses text into doc (whitespace trimmed and collapsed, comments skipped) and returns the root
// element rootName; raises missingRootMessage when the document has none.
const vexo::CXMLElement& ReadRoot(vexo::CXMLDocument& doc, const std::string& text, std::string_view rootName,
                                  const std::string& missingRootMessage, int line);

// The child elements named name, in document order.
std::vector<const vexo::CXMLElement*> Children(const vexo::CXMLElement& parent, std::string_view name);

} // namespace gfx_xml
