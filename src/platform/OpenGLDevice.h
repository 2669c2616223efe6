// The OpenGL 3.3 render device: the CRenderDevice interface on the context of a CGLWindow.
#pragma once

#include "platform/RenderDevice.h"

#include <memory>
#include <string>

class CGLWindow;

// Creates the device's GL objects on the window's current context and installs the result-code
// names for Errors.log. Returns nullptr with the reason in error when the context is unusable.
std::unique_ptr<CRenderDevice> CreateOpenGLDevice(CGLWindow& window, std::string& error);
