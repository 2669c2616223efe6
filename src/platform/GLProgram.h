// CGLProgram: the one shader program of the OpenGL device, which turns pre-transformed pixel
// vertices into clip space and computes stage 0 of the fixed-function texture pipeline.
#pragma once

#include <cstdint>
#include <string>

class CGLProgram {
public:
    bool Create(std::string& error);
    void Destroy();

    void SetScreenSize(float width, float height);
    // The TextureOp and TextureArg values of the colour and alpha operations; without a texture
    // the texture argument reads as opaque white.
    void SetStage(bool textured, std::uint32_t colorOp, std::uint32_t colorArg1, std::uint32_t colorArg2,
                  std::uint32_t alphaOp, std::uint32_t alphaArg1, std::uint32_t alphaArg2);

private:
    unsigned program = 0;
    int screenSizeAt = -1, texturedAt = -1, stageAt = -1;
    // The last values sent, so unchanged state costs no calls.
    int lastStage[7] = {-1, -1, -1, -1, -1, -1, -1};
};
