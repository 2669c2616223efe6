// The symbolic names of the device's result codes, for Errors.log.
#include "platform/RenderDevice.h"

const char* RenderResultName(std::uint32_t code) {
    switch (static_cast<RenderResult>(code)) {
    case kRenderOk:
        return "S_OK";
    case kRenderFail:
        return "E_FAIL";
    case kRenderOutOfMemory:
        return "E_OUTOFMEMORY";
    case kRenderInvalidCall:
        return "D3DERR_INVALIDCALL";
    case kRenderNotAvailable:
        return "D3DERR_NOTAVAILABLE";
    case kRenderDeviceLost:
        return "D3DERR_DEVICELOST";
    case kRenderDeviceNotReset:
        return "D3DERR_DEVICENOTRESET";
    case kRenderInvalidData:
        return "D3DXERR_INVALIDDATA";
    default:
        return nullptr;
    }
}
