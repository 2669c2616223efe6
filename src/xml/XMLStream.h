// State shared by the reader and the writer: the start tag in progress and the newline style.
#pragma once

namespace vexo {

class CXMLStream {
public:
    // Between an element's name and the ">" or "/>" that ends its start tag.
    bool inStartTag = false;
    // 0 keeps line ends as they are; 1 CR LF, 2 LF, 3 CR.
    int newlineStyle = 0;
};

} // namespace vexo
