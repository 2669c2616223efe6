// State shared by the reader and the writer: the open elements and the newline style.
#pragma once

#include <deque>
#include <string>

namespace vexo {

class CXMLStream {
public:
    // The names of the elements open at the current position; its size is the depth.
    std::deque<std::string> openElements;
    // Between an element's name and the ">" or "/>" that ends its start tag.
    bool inStartTag = false;
    // 0 keeps line ends as they are; 1 CR LF, 2 LF, 3 CR.
    int newlineStyle = 0;
};

} // namespace vexo
