// CSettingsFile: Settings.xml, read once at start and written once at shutdown: the window's size
// and state and both display settings blocks, with indexes into the enumeration's lists.
#pragma once

#include "app/DisplayEnumeration.h"
#include "xml/XMLDocument.h"

#include <string>

// The window sizes a stored value may give; anything else keeps the default.
inline constexpr int kMinStoredWindowSize = 320;
inline constexpr int kMaxStoredWindowSize = 16384;

class CSettingsFile {
public:
    explicit CSettingsFile(std::string path = "Settings.xml") : path(std::move(path)) {}

    // Reads the file and replaces the values of window it holds. False when there is no file or
    // no root "settings". A syntax error raises vexo::CXMLError.
    bool Load(CWindowSettings& window);
    // Replaces both blocks of settings (which hold the best-mode choices) with the stored ones.
    // A block the file lacks, and a value the enumeration does not offer, keeps the best-mode
    // value. Only after Load returned true.
    void ReadBlocks(const CD3DEnumeration& enumeration, CDisplaySettings& settings) const;
    // The whole file, as Save writes it.
    static std::string Format(const CD3DEnumeration& enumeration, const CWindowSettings& window,
                              const CDisplaySettings& settings);
    // Writes the file so that a failure part way leaves the previous one whole.
    void Save(const CD3DEnumeration& enumeration, const CWindowSettings& window,
              const CDisplaySettings& settings);

private:
    std::string path;
    vexo::CXMLDocument document;
    const vexo::CXMLElement* root = nullptr;
};
