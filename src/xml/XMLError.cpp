// The XML error and its section of the error record.
#include "xml/XMLError.h"

#include "support/Text1250.h"

namespace vexo {

namespace {

// A CR LF pair is one line end; so is a lone CR or a lone LF.
void LineAndColumn(const std::string& text, std::size_t position, unsigned& line, unsigned& column) {
    line = 1;
    column = 1;
    for (std::size_t i = 0; i < position; ++i) {
        const char c = text[i];
        if (c == '\r' || (c == '\n' && (i == 0 || text[i - 1] != '\r'))) {
            ++line;
            column = 1;
        } else if (c != '\n') {
            ++column;
        }
    }
}

} // namespace

std::string CXMLError::KindMessage(int kind) {
    switch (kind) {
    case XML_ERROR_CONVERSION:
        return std::string("Błąd konwersji danych"_pl);
    case XML_ERROR_OPEN:
        return std::string("Błąd podczas otwierania pliku"_pl);
    case XML_ERROR_WRITE:
        return std::string("Błąd podczas zapisywania do pliku"_pl);
    case XML_ERROR_READ:
        return std::string("Błąd podczas odczytywania z pliku"_pl);
    case XML_ERROR_ATTRIBUTE_OUTSIDE_TAG:
        return std::string("Błąd podczas zapisywania atrybutu"_pl);
    case XML_ERROR_NO_OPEN_ELEMENT:
        return std::string("Błąd podczas zapisywania zamknięcia elementu"_pl);
    case XML_ERROR_SYNTAX:
        return std::string("Błąd ogólny podczas odczytywania"_pl);
    case XML_ERROR_REFERENCE:
        return std::string("Błąd podczas odczytywania referencji"_pl);
    case XML_ERROR_END_TAG:
        return std::string("Błąd podczas odczytywania zamknięcia elementu"_pl);
    case XML_ERROR_UNEXPECTED_END:
        return std::string("Niespodziewany koniec dokumentu podczas odczytywania"_pl);
    default:
        return std::string("Nieznany błąd"_pl);
    }
}

CXMLError::CXMLError(int kind, const std::string& text, std::size_t position)
    : CError(std::string("Błąd parsera XML"_pl), "", -1, CDeferRecord{}), kind(kind),
      position(position == kEndOfText || position > text.size() ? text.size() : position), textLine(1),
      textColumn(1) {
    LineAndColumn(text, this->position, textLine, textColumn);
    WriteBaseRecord();
    CErrorLog* log = GetErrorLog();
    if (!log) return;
    // The section is a part of its own: opened for appending and closed again.
    const bool opened = log->Open(false);
    log->WriteLine("XML");
    log->WriteLine("  Typ        : " + std::to_string(kind));
    log->WriteLine("  Komunikat  : " + KindMessage(kind));
    log->WriteLine("  Znak       : " + std::to_string(this->position));
    log->WriteLine("  Wiersz     : " + std::to_string(textLine));
    log->WriteLine("  Kolumna    : " + std::to_string(textColumn));
    if (opened) log->Close();
}

} // namespace vexo
