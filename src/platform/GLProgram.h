// CGLPrograms: the OpenGL device's shader programs. Each turns pre-transformed pixel vertices
// into clip space and computes stage 0 of the fixed-function texture pipeline; one program is
// built per combination of operations in use, so no pixel pays for branches it does not take.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>

class CGLPrograms {
public:
    // The operations of stage 0 (TextureOp and TextureArg values) and whether a texture is bound;
    // without one the texture argument reads as opaque white.
    struct CStage {
        std::uint32_t colorOp, colorArg1, colorArg2, alphaOp, alphaArg1, alphaArg2;
        bool textured;
        auto Key() const {
            return std::array<std::uint32_t, 7>{colorOp,   colorArg1, colorArg2, alphaOp,
                                                alphaArg1, alphaArg2, textured};
        }
    };

    // Builds the vertex shader and the most common program; false with the reason in error.
    bool Create(std::string& error);
    void Destroy();

    void SetScreenSize(float width, float height);
    // Makes the program for the stage current, building it on first use.
    bool Use(const CStage& stage);

private:
    struct CProgram {
        unsigned name = 0;
        int screenSizeAt = -1;
        float width = 0, height = 0; // what its screen size uniform holds
    };
    CProgram* Build(const CStage& stage, std::string& error);

    unsigned vertexShader = 0;
    std::map<std::array<std::uint32_t, 7>, CProgram> programs;
    CProgram* current = nullptr;
    float width = 1, height = 1;
};
