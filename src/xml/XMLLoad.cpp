// The reader option sets of the game's files.
#include "xml/XMLLoad.h"

namespace vexo {

namespace {

XMLReaderOptions TrimAll(bool collapse) {
    XMLReaderOptions options;
    options.trimPI = options.trimComments = options.trimCDATA = options.trimAttributes =
        options.trimCharData = true;
    options.collapsePI = options.collapseComments = options.collapseCDATA = options.collapseAttributes =
        options.collapseCharData = collapse;
    return options;
}

} // namespace

XMLReaderOptions SettingsReaderOptions() {
    return TrimAll(true);
}

XMLReaderOptions MissionReaderOptions() {
    XMLReaderOptions options = TrimAll(true);
    options.skipPI = options.skipComments = true;
    return options;
}

XMLReaderOptions DataReaderOptions() {
    XMLReaderOptions options = TrimAll(true);
    options.skipComments = true;
    return options;
}

XMLReaderOptions MissionListReaderOptions() {
    return TrimAll(false);
}

void ParseDocument(CXMLDocument& document, const std::string& text, const XMLReaderOptions& options) {
    CXMLReader reader(text);
    reader.SetOptions(options);
    reader.Reset();
    document.Read(reader);
}

} // namespace vexo
