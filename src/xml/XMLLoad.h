// Loading a document from text with the reader options each kind of file is read with.
#pragma once

#include "xml/XMLDocument.h"
#include "xml/XMLReader.h"

#include <string>

namespace vexo {

// Settings.xml: whitespace trimmed and collapsed everywhere, nothing skipped.
CXMLReaderOptions SettingsReaderOptions();
// Mission files: trimmed and collapsed, instructions and comments skipped.
CXMLReaderOptions MissionReaderOptions();
// Sprites.xml and Fonts.xml: trimmed and collapsed, comments skipped.
CXMLReaderOptions DataReaderOptions();
// The mission list's descriptions: trimmed only, so their inner spacing survives.
CXMLReaderOptions MissionListReaderOptions();

// Parses `text` into `document` (appending to what it holds). A syntax error raises CXMLError
// and leaves the document as far as it got; callers discard it.
void ParseDocument(CXMLDocument& document, const std::string& text, const CXMLReaderOptions& options);

} // namespace vexo
