// The graphics manager: lifecycle fan-out, the loading protocol and the screen size.
#include "gfx/Gfx.h"

#include "support/Error.h"
#include "support/StartupTimes.h"
#include "support/Text1250.h"

#include <utility>

using namespace vexo::literals;

namespace {
CGfx* g_instance = nullptr;
}

CGfx::CGfx() : objects{&font, &line, &filledRect, &sprite} {
    g_instance = this;
}

CGfx::~CGfx() {
    if (g_instance == this) g_instance = nullptr;
}

CGfx* CGfx::Instance() {
    return g_instance;
}

void CGfx::Create(CRenderDevice* device) {
    CGfxObject::Create(device);
    for (CGfxObject* object : objects)
        object->Create(device);
}

void CGfx::Destroy() {
    for (auto it = objects.rbegin(); it != objects.rend(); ++it)
        (*it)->Destroy();
}

void CGfx::Restore() {
    for (CGfxObject* object : objects)
        object->Restore();
    vexo::MarkStartup("fonts and device objects");
}

void CGfx::Invalidate() {
    for (auto it = objects.rbegin(); it != objects.rend(); ++it)
        (*it)->Invalidate();
}

void CGfx::BeginLoading(bool firstPass) {
    loader = nullptr;
    for (CGfxObject* object : objects)
        object->BeginLoading(firstPass);
}

void CGfx::EndLoading(bool firstPass) {
    for (auto it = objects.rbegin(); it != objects.rend(); ++it)
        (*it)->EndLoading(firstPass);
    loader = nullptr;
}

int CGfx::WantsFile(bool firstPass, const std::string& name, std::uint32_t size) {
    for (CGfxObject* object : objects) {
        if (const int answer = object->WantsFile(firstPass, name, size)) {
            loader = object;
            return answer;
        }
    }
    return kFileNotWanted;
}

void CGfx::LoadData(bool firstPass, const std::string& name, std::uint32_t size, const std::uint8_t* bytes) {
    if (!loader)
        throw vexo::CError(std::string("[Load_Data] To niemożliwe! Jak to się stało?!"_pl), "Gfx", __LINE__);
    // Cleared first: the entry is handed over once, whether the loader succeeds or raises.
    CGfxObject* target = std::exchange(loader, nullptr);
    target->LoadData(firstPass, name, size, bytes);
}

void CGfx::LoadText(bool firstPass, const std::string& name, std::uint32_t size, const std::string& text) {
    if (!loader)
        throw vexo::CError(std::string("[Load_String] To niemożliwe! Jak to się stało?!"_pl), "Gfx",
                           __LINE__);
    CGfxObject* target = std::exchange(loader, nullptr);
    target->LoadText(firstPass, name, size, text);
}

void CGfx::SetScreenSize(std::uint32_t width, std::uint32_t height) {
    screenWidth = width;
    screenHeight = height;
    screenWidthF = static_cast<float>(width);
    screenHeightF = static_cast<float>(height);
}
