// Reading the graphics description files.
#include "gfx/GfxXml.h"

#include "support/Error.h"
#include "xml/XMLLoad.h"

#include <utility>

namespace gfx_xml {

const vexo::CXMLElement& ReadRoot(vexo::CXMLDocument& doc, const std::string& text, std::string_view rootName,
                                  const std::string& missingRootMessage, int line) {
    vexo::ParseDocument(doc, text, vexo::DataReaderOptions());
    const vexo::CXMLElement* root = std::as_const(doc).FindElement(rootName);
    if (!root) throw vexo::CError(missingRootMessage, "Gfx", line);
    return *root;
}

std::vector<const vexo::CXMLElement*> Children(const vexo::CXMLElement& parent, std::string_view name) {
    std::vector<const vexo::CXMLElement*> found;
    for (std::size_t i = 0; i < parent.GetCount(); ++i) {
        const vexo::CXMLItem* item = parent.GetItem(i);
        if (item->GetType() != vexo::XML_ELEMENT) continue;
        const auto* element = static_cast<const vexo::CXMLElement*>(item);
        if (element->GetName() == name) found.push_back(element);
    }
    return found;
}

} // namespace gfx_xml
