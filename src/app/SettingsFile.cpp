// Settings.xml: reading the stored values against the enumeration, and writing them back.
#include "app/SettingsFile.h"

#include "support/Convert.h"
#include "support/Error.h"
#include "support/Files.h"
#include "support/Text1250.h"
#include "xml/XMLLoad.h"
#include "xml/XMLWriter.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

using vexo::CXMLElement;
using namespace vexo::literals;

namespace {

const char* const kRoot = "settings";
const char* const kFullScreenBlock = "fullscreen-settings";
const char* const kWindowedBlock = "windowed-settings";

// An index outside its list selects the list's first entry; the list is not empty.
template <class T> const T& EntryOrFirst(const std::vector<T>& list, int index) {
    return index >= 0 && std::size_t(index) < list.size() ? list[std::size_t(index)] : list.front();
}

template <class T> int IndexOf(const std::vector<T>& list, const T* entry) {
    for (std::size_t i = 0; i < list.size(); ++i)
        if (&list[i] == entry) return int(i);
    return -1;
}

bool Listed(const std::vector<std::uint32_t>& list, std::uint32_t value) {
    return std::find(list.begin(), list.end(), value) != list.end();
}

// The stored value where the combination offers it, else the best-mode value, else its first.
std::uint32_t Offered(const std::vector<std::uint32_t>& list, std::uint32_t stored, std::uint32_t best) {
    if (Listed(list, stored)) return stored;
    if (Listed(list, best) || list.empty()) return best;
    return list.front();
}

std::uint32_t QualityCount(const CDeviceCombo& combo, std::uint32_t type) {
    for (std::size_t i = 0; i < combo.multisampleTypes.size(); ++i)
        if (combo.multisampleTypes[i] == type) return combo.multisampleQualities[i];
    return 0;
}

// The full-screen mode of a block: the stored one when it is in the combination's format, else
// the best-mode one when it is, else the mode the best-mode search would take for that format.
const CDisplayMode* StoredFullScreenMode(const CXMLElement& block, const CAdapterInfo& adapter,
                                         const CDeviceCombo& combo, const CDisplayMode& best) {
    if (adapter.modes.empty()) return nullptr;
    const CDisplayMode& stored = EntryOrFirst(adapter.modes, vexo::ToInt(block.Value("display-mode")));
    if (stored.format == combo.adapterFormat) return &stored;
    for (const CDisplayMode& mode : adapter.modes)
        if (mode == best && mode.format == combo.adapterFormat) return &mode;
    return ChooseFullScreenMode(adapter, combo.adapterFormat);
}

// One block over the best-mode values in device and mode; they stay where the block names
// nothing this case can use. False when anything stored did not fit.
bool ReadBlock(const CXMLElement& block, const CD3DEnumeration& enumeration, bool windowed,
               CDeviceSettings& device, CDisplayMode& mode) {
    if (enumeration.adapters.empty()) return false;
    const int adapterIndex = vexo::ToInt(block.Value("adapter"));
    const CAdapterInfo& adapter = EntryOrFirst(enumeration.adapters, adapterIndex);
    if (adapter.devices.empty()) return false;
    const int deviceIndex = vexo::ToInt(block.Value("device"));
    const CDeviceInfo& info = EntryOrFirst(adapter.devices, deviceIndex);
    if (info.combos.empty()) return false;
    const int comboIndex = vexo::ToInt(block.Value("combo"));
    const CDeviceCombo& combo = EntryOrFirst(info.combos, comboIndex);
    // A combination of the other case cannot be created for this one.
    if (combo.windowed != windowed) return false;
    bool fits = IndexOf(enumeration.adapters, &adapter) == adapterIndex &&
                IndexOf(adapter.devices, &info) == deviceIndex && IndexOf(info.combos, &combo) == comboIndex;

    CDisplayMode chosenMode = adapter.desktop;
    if (!windowed) {
        const CDisplayMode* stored = StoredFullScreenMode(block, adapter, combo, mode);
        if (!stored) return false;
        fits = fits && IndexOf(adapter.modes, stored) == vexo::ToInt(block.Value("display-mode"));
        chosenMode = *stored;
    }

    const CDeviceSettings best = device;
    const std::uint32_t depth = vexo::ToUInt(block.Value("depth-stencil-buffer-format", "0"));
    const std::uint32_t type = vexo::ToUInt(block.Value("multisample/@type", "0"));
    const std::uint32_t quality = vexo::ToUInt(block.Value("multisample/@quality", "0"));
    const std::uint32_t processing = vexo::ToUInt(block.Value("vertex-processing-type", "0"));
    // Read unsigned: the immediate interval 2147483648 is past the signed range.
    const std::uint32_t interval = vexo::ToUInt(block.Value("presentation-interval", "0"));
    CDeviceSettings read = FirstChoices(combo);
    read.depthStencilFormat = Offered(combo.depthStencilFormats, depth, best.depthStencilFormat);
    read.multisampleType = Offered(combo.multisampleTypes, type, best.multisampleType);
    const std::uint32_t qualities = QualityCount(combo, read.multisampleType);
    if (quality < qualities)
        read.multisampleQuality = quality;
    else if (best.multisampleType == read.multisampleType && best.multisampleQuality < qualities)
        read.multisampleQuality = best.multisampleQuality;
    read.vertexProcessing = Offered(combo.vertexProcessingTypes, processing, best.vertexProcessing);
    read.presentInterval = Offered(combo.presentIntervals, interval, best.presentInterval);
    device = read;
    mode = chosenMode;
    return fits && read.depthStencilFormat == depth && read.multisampleType == type &&
           read.multisampleQuality == quality && read.vertexProcessing == processing &&
           read.presentInterval == interval;
}

// The player or a copied file gave values this machine does not offer; the log says which block
// fell back, since the game shows nothing of it.
void ReportMismatch(const char* what) {
    vexo::CError(std::string("Ustawienia z pliku \"Settings.xml\" nie pasują do tego komputera: "_pl) + what +
                     std::string("; użyto najlepszych dostępnych."_pl),
                 "d3dapp", __LINE__);
}

void WriteBlock(CXMLElement& block, const CD3DEnumeration& enumeration, bool windowed,
                const CDeviceSettings& device, const CDisplayMode& mode) {
    const CAdapterInfo* adapter = enumeration.FindAdapter(device.adapter);
    if (adapter) {
        block.SetValue("adapter", vexo::UIntToString(std::uint32_t(IndexOf(enumeration.adapters, adapter))));
        const CDeviceInfo* info = enumeration.FindDevice(device.adapter, device.deviceType);
        if (info) {
            block.SetValue("device", vexo::UIntToString(std::uint32_t(IndexOf(adapter->devices, info))));
            if (const CDeviceCombo* combo = enumeration.FindCombo(device, windowed))
                block.SetValue("combo", vexo::UIntToString(std::uint32_t(IndexOf(info->combos, combo))));
        }
        const auto listed = std::find(adapter->modes.begin(), adapter->modes.end(), mode);
        if (listed != adapter->modes.end())
            block.SetValue("display-mode",
                           vexo::UIntToString(std::uint32_t(listed - adapter->modes.begin())));
    }
    block.SetValue("depth-stencil-buffer-format", vexo::IntToString(std::int32_t(device.depthStencilFormat)));
    block.SetValue("multisample/@type", vexo::IntToString(std::int32_t(device.multisampleType)));
    block.SetValue("multisample/@quality", vexo::UIntToString(device.multisampleQuality));
    block.SetValue("vertex-processing-type", vexo::IntToString(std::int32_t(device.vertexProcessing)));
    block.SetValue("presentation-interval", vexo::UIntToString(device.presentInterval));
}

// A stored size outside the sizes a window can have keeps the current one.
int StoredSize(const CXMLElement& root, const char* path, int current) {
    if (!root.Exists(path)) return current;
    const int value = vexo::ToInt(root.Value(path));
    if (value >= kMinStoredWindowSize && value <= kMaxStoredWindowSize) return value;
    ReportMismatch(path);
    return current;
}

} // namespace

bool CSettingsFile::Load(CWindowSettings& window) {
    document.Clear();
    root = nullptr;
    // A run killed while saving left its temporary; nothing else ever removes it.
    vexo::RemoveStaleTemporaries(path);
    std::string text;
    if (!vexo::FileExists(path)) return false;
    if (!vexo::ReadFileToString(path, text)) {
        // The best modes serve instead; the player learns why his settings were not taken.
        vexo::CWin32APIError(std::string("Nie można wczytać ustawień z pliku \""_pl) + path + "\".", "d3dapp",
                             __LINE__);
        return false;
    }
    vexo::ParseDocument(document, text, vexo::SettingsReaderOptions());
    root = document.FindElement(kRoot);
    if (!root) return false;
    window.width = StoredSize(*root, "window-size/@width", window.width);
    window.height = StoredSize(*root, "window-size/@height", window.height);
    if (root->Exists("fullscreen")) window.fullScreen = vexo::ParseBool(root->Value("fullscreen"));
    if (root->Exists("maximized")) window.maximized = vexo::ParseBool(root->Value("maximized"));
    return true;
}

void CSettingsFile::ReadBlocks(const CD3DEnumeration& enumeration, CDisplaySettings& settings) const {
    if (!root) return;
    const CXMLElement* block = root->FindElement(kFullScreenBlock);
    if (block && !ReadBlock(*block, enumeration, false, settings.fullScreenDevice, settings.fullScreenMode))
        ReportMismatch(kFullScreenBlock);
    block = root->FindElement(kWindowedBlock);
    if (block && !ReadBlock(*block, enumeration, true, settings.windowedDevice, settings.windowedMode))
        ReportMismatch(kWindowedBlock);
}

std::string CSettingsFile::Format(const CD3DEnumeration& enumeration, const CWindowSettings& window,
                                  const CDisplaySettings& settings) {
    vexo::CXMLDocument written;
    written.AddXmlDeclaration();
    CXMLElement& top = *written.AddElement(kRoot);
    top.SetValue("window-size/@width", vexo::UIntToString(std::uint32_t(window.width)));
    top.SetValue("window-size/@height", vexo::UIntToString(std::uint32_t(window.height)));
    top.SetValue("fullscreen", vexo::BoolToString(window.fullScreen, '0'));
    top.SetValue("maximized", vexo::BoolToString(window.maximized, '0'));
    WriteBlock(*top.AddElement(kFullScreenBlock), enumeration, false, settings.fullScreenDevice,
               settings.fullScreenMode);
    WriteBlock(*top.AddElement(kWindowedBlock), enumeration, true, settings.windowedDevice,
               settings.windowedMode);

    std::string text;
    vexo::CXMLWriter writer(text);
    writer.indent = "  ";
    writer.newline = "\r\n";
    written.Write(writer);
    return text;
}

void CSettingsFile::Save(const CD3DEnumeration& enumeration, const CWindowSettings& window,
                         const CDisplaySettings& settings) {
    if (!vexo::WriteStringToFile(path, Format(enumeration, window, settings))) {
        // Said on stderr as well: Errors.log may sit in the same folder that refused the file.
        const int reason = errno;
        std::fprintf(stderr, "Settings could not be saved to %s: %s\n", path.c_str(), std::strerror(reason));
        errno = reason;
        vexo::CWin32APIError(std::string("Nie można zapisać ustawień do pliku \""_pl) + path + "\".",
                             "d3dapp", __LINE__);
    }
    document.Clear();
    root = nullptr;
}
