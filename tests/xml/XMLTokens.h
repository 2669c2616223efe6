// Test helpers: the tokens of a text and the error a text raises.
#pragma once

#include "support/TestFiles.h"
#include "xml/XMLError.h"
#include "xml/XMLReader.h"

#include <optional>
#include <string>
#include <vector>

namespace tundrel_test {

struct Token {
    int kind;
    std::string name;
    std::string value;
    bool operator==(const Token&) const = default;
};

inline std::vector<Token> Tokens(const std::string& text, const vexo::XMLReaderOptions& options = {}) {
    vexo::CXMLReader reader(text);
    reader.SetOptions(options);
    reader.Reset();
    std::vector<Token> tokens;
    for (int kind = -1; kind != vexo::XML_TOKEN_END_OF_DOCUMENT;) {
        kind = reader.NextToken();
        tokens.push_back({kind, reader.name, reader.value});
    }
    return tokens;
}

inline std::optional<vexo::CXMLError> ReadError(const std::string& text) {
    return ErrorOf<vexo::CXMLError>([&] { Tokens(text); });
}

} // namespace tundrel_test
