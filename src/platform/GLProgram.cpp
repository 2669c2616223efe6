// The OpenGL device's shader programs.
#include "platform/GLProgram.h"

#include "platform/RenderDevice.h"

#include <epoxy/gl.h>

namespace {

const char* const kVertexShader = R"(#version 330 core
layout(location = 0) in vec4 position;
layout(location = 1) in vec4 color;
layout(location = 2) in vec2 texCoord;
uniform vec2 screenSize;
out vec4 diffuse;
out vec2 uv;
void main() {
    // Direct3D 9 puts pixel centres on whole coordinates, OpenGL half a pixel further on. An
    // edge through a pixel centre belongs to the pixel below and right of it in Direct3D; the
    // slight pull towards the top-left makes OpenGL, whose y axis runs upward, agree.
    vec2 ndc = (position.xy + vec2(0.5 - 1.0 / 64.0, 0.5 - 1.0 / 64.0)) / screenSize * 2.0 - 1.0;
    gl_Position = vec4(ndc.x, -ndc.y, position.z * 2.0 - 1.0, 1.0);
    diffuse = color;
    uv = texCoord;
}
)";

std::string Arg(std::uint32_t arg) {
    return arg == std::uint32_t(TextureArg::Texture) ? "texel" : "diffuse";
}

std::string Operation(std::uint32_t op, std::uint32_t arg1, std::uint32_t arg2) {
    switch (static_cast<TextureOp>(op)) {
    case TextureOp::SelectArg1:
        return Arg(arg1);
    case TextureOp::SelectArg2:
        return Arg(arg2);
    case TextureOp::Modulate:
        return Arg(arg1) + " * " + Arg(arg2);
    case TextureOp::Modulate2X:
        return "min(" + Arg(arg1) + " * " + Arg(arg2) + " * 2.0, vec4(1.0))";
    case TextureOp::Disable:
        break;
    }
    return "diffuse";
}

std::string FragmentShader(const CGLPrograms::CStage& stage) {
    // A disabled colour operation switches the whole stage off: the vertex colour passes through.
    const bool off = stage.colorOp == std::uint32_t(TextureOp::Disable);
    return std::string("#version 330 core\nuniform sampler2D image;\nin vec4 diffuse;\nin vec2 uv;\n"
                       "out vec4 fragColor;\nvoid main() {\n    vec4 texel = ") +
           (stage.textured ? "texture(image, uv)" : "vec4(1.0)") + ";\n    vec4 c = " +
           (off ? "diffuse" : Operation(stage.colorOp, stage.colorArg1, stage.colorArg2)) +
           ";\n    vec4 a = " +
           (off ? "diffuse" : Operation(stage.alphaOp, stage.alphaArg1, stage.alphaArg2)) +
           ";\n    fragColor = vec4(c.rgb, a.a);\n}\n";
}

GLuint Compile(GLenum kind, const char* source, std::string& error) {
    const GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok) return shader;
    char log[1024] = {};
    glGetShaderInfoLog(shader, sizeof log - 1, nullptr, log);
    error = std::string("shader: ") + log;
    glDeleteShader(shader);
    return 0;
}

} // namespace

bool CGLPrograms::Create(std::string& error) {
    vertexShader = Compile(GL_VERTEX_SHADER, kVertexShader, error);
    if (!vertexShader) return false;
    const CStage sprites{std::uint32_t(TextureOp::Modulate2X),
                        std::uint32_t(TextureArg::Texture),
                        std::uint32_t(TextureArg::Diffuse),
                        std::uint32_t(TextureOp::Modulate),
                        std::uint32_t(TextureArg::Texture),
                        std::uint32_t(TextureArg::Diffuse),
                        true};
    return Build(sprites, error) != nullptr;
}

void CGLPrograms::Destroy() {
    for (const auto& [key, program] : programs)
        glDeleteProgram(program.name);
    programs.clear();
    current = nullptr;
    if (vertexShader) glDeleteShader(vertexShader);
    vertexShader = 0;
}

CGLPrograms::CProgram* CGLPrograms::Build(const CStage& stage, std::string& error) {
    const std::string source = FragmentShader(stage);
    const GLuint fragment = Compile(GL_FRAGMENT_SHADER, source.c_str(), error);
    if (!fragment) return nullptr;
    CProgram program;
    program.name = glCreateProgram();
    glAttachShader(program.name, vertexShader);
    glAttachShader(program.name, fragment);
    glLinkProgram(program.name);
    glDetachShader(program.name, vertexShader);
    glDeleteShader(fragment);
    GLint ok = GL_FALSE;
    glGetProgramiv(program.name, GL_LINK_STATUS, &ok);
    if (!ok) {
        char log[1024] = {};
        glGetProgramInfoLog(program.name, sizeof log - 1, nullptr, log);
        error = std::string("shader program: ") + log;
        glDeleteProgram(program.name);
        return nullptr;
    }
    program.screenSizeAt = glGetUniformLocation(program.name, "screenSize");
    glUseProgram(program.name);
    glUniform1i(glGetUniformLocation(program.name, "image"), 0);
    current = &(programs[stage.Key()] = program);
    return current;
}

void CGLPrograms::SetScreenSize(float w, float h) {
    width = w;
    height = h;
}

bool CGLPrograms::Use(const CStage& stage) {
    const auto found = programs.find(stage.Key());
    CProgram* program = nullptr;
    if (found != programs.end()) {
        program = &found->second;
        if (program != current) glUseProgram(program->name);
    } else {
        std::string error;
        program = Build(stage, error);
        if (!program) return false;
    }
    current = program;
    if (program->width != width || program->height != height) {
        glUniform2f(program->screenSizeAt, width, height);
        program->width = width;
        program->height = height;
    }
    return true;
}
