// CGfxObject: the common base of the graphics manager and its drawing objects, with the device's
// lifecycle and the two-pass game data loading protocol.
#pragma once

#include <cstdint>
#include <string>

class CRenderDevice;

class CGfxObject {
public:
    CGfxObject() = default;
    CGfxObject(const CGfxObject&) = delete;
    CGfxObject& operator=(const CGfxObject&) = delete;
    virtual ~CGfxObject() = default;

    // Create and Destroy bracket the device's life; Invalidate and Restore a device reset.
    virtual void Create(CRenderDevice* device) { this->device = device; }
    virtual void Destroy() {}
    virtual void Restore() {}
    virtual void Invalidate() {}

    // Loading runs two passes over the game data (first pass true, then false). For every entry
    // WantsFile answers 0 (not wanted), 1 (wanted as bytes, LoadData) or 2 (as text, LoadText).
    virtual void BeginLoading(bool /*firstPass*/) {}
    virtual void EndLoading(bool /*firstPass*/) {}
    virtual int WantsFile(bool /*firstPass*/, const std::string& /*name*/, std::uint32_t /*size*/) {
        return 0;
    }
    virtual void LoadData(bool /*firstPass*/, const std::string& /*name*/, std::uint32_t /*size*/,
                          const std::uint8_t* /*bytes*/) {}
    virtual void LoadText(bool /*firstPass*/, const std::string& /*name*/, std::uint32_t /*size*/,
                          const std::string& /*text*/) {}

    CRenderDevice* GetDevice() const { return device; }

protected:
    CRenderDevice* device = nullptr; // not owned
};

// The answers of WantsFile.
inline constexpr int kFileNotWanted = 0;
inline constexpr int kFileAsData = 1;
inline constexpr int kFileAsText = 2;
