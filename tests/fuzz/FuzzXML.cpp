// Fuzzes the XML reader and the tree it builds: any text either parses or raises CXMLError,
// and a parsed tree survives writing, re-reading and the path queries.
#include "xml/XMLDocument.h"
#include "xml/XMLError.h"
#include "xml/XMLLoad.h"
#include "xml/XMLWriter.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

// The first two bytes choose the options, so every option and policy is explored.
vexo::CXMLReaderOptions OptionsFrom(std::uint8_t a, std::uint8_t b) {
    vexo::CXMLReaderOptions o;
    bool* flags[] = {
        &o.trimPI,     &o.trimComments,     &o.trimCDATA,     &o.trimAttributes,     &o.trimCharData,
        &o.collapsePI, &o.collapseComments, &o.collapseCDATA, &o.collapseAttributes, &o.collapseCharData,
        &o.skipPI,     &o.skipComments,     &o.skipCDATA,     &o.skipAttributes,     &o.skipCharData};
    const unsigned bits = unsigned(a) | unsigned(b) << 8;
    for (unsigned i = 0; i < 15; ++i)
        *flags[i] = (bits >> i) & 1;
    o.unknownEntityPolicy = (b >> 7) ? 1 : (a & 3);
    return o;
}

void Query(const vexo::CXMLItemList& list) {
    static const char* const paths[] = {"", "map", "map/matrix", "map/rect/@left", "a/@", "@x", "a/b/c", "/"};
    for (const char* path : paths) {
        (void)list.Value(path, "?");
        (void)list.Exists(path);
        (void)list.FindElement(path);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const vexo::CXMLReaderOptions options = OptionsFrom(data[0], data[1]);
    const std::string text(reinterpret_cast<const char*>(data) + 2, size - 2);
    vexo::CXMLDocument doc;
    try {
        vexo::ParseDocument(doc, text, options);
    } catch (const vexo::CXMLError&) {
    }
    Query(doc);
    if (const vexo::CXMLElement* root = doc.FindElement("map")) Query(*root);

    std::string written;
    vexo::CXMLWriter writer(written);
    writer.indent = "  ";
    writer.newline = "\r\n";
    doc.Write(writer);
    writer.Flush();
    vexo::CXMLDocument again;
    try {
        vexo::ParseDocument(again, written, vexo::SettingsReaderOptions());
    } catch (const vexo::CXMLError&) {
    }
    return 0;
}
