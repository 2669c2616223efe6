// The reader option sets of the game's files.
#include "xml/XMLLoad.h"

namespace vexo {

namespace {

CXMLReaderOptions TrimAll(bool collapse) {
    CXMLReaderOptions options;
    options.trimPI = options.trimComments = options.trimCDATA = options.trimAttributes =
        options.trimCharData = true;
    options.collapsePI = options.collapseComments = options.collapseCDATA = options.collapseAttributes =
        options.collapseCharData = collapse;
    return options;
}

} // namespace

CXMLReaderOptions SettingsReaderOptions() {
    return TrimAll(true);
}

CXMLReaderOptions MissionReaderOptions() {
    CXMLReaderOptions options = TrimAll(true);
    options.skipPI = options.skipComments = true;
    return options;
}

CXMLReaderOptions DataReaderOptions() {
    CXMLReaderOptions options = TrimAll(true);
    options.skipComments = true;
    return options;
}

CXMLReaderOptions MissionListReaderOptions() {
    return TrimAll(false);
}

void ParseDocument(CXMLDocument& document, const std::string& text, const CXMLReaderOptions& options) {
    CXMLReader reader(text);
    reader.SetOptions(options);
    reader.Reset();
    document.Read(reader);
}

} // namespace vexo
