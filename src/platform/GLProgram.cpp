// The OpenGL device's shader program.
#include "platform/GLProgram.h"

#include <algorithm>
#include <epoxy/gl.h>
#include <iterator>

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

// stage: colour op, arg1, arg2, alpha op, arg1, arg2. Ops: 0 disable, 1 select arg1, 2 select
// arg2, 3 modulate, 4 modulate twice (saturating). Args: 0 diffuse, 1 texture.
const char* const kFragmentShader = R"(#version 330 core
uniform sampler2D image;
uniform bool textured;
uniform int stage[6];
in vec4 diffuse;
in vec2 uv;
out vec4 fragColor;
vec4 Arg(int which, vec4 texel) { return which == 1 ? texel : diffuse; }
vec4 Combine(int op, vec4 a, vec4 b) {
    if (op == 1) return a;
    if (op == 2) return b;
    if (op == 3) return a * b;
    if (op == 4) return min(a * b * 2.0, vec4(1.0));
    return diffuse;
}
void main() {
    vec4 texel = textured ? texture(image, uv) : vec4(1.0);
    if (stage[0] == 0) {
        fragColor = diffuse;
        return;
    }
    vec4 c = Combine(stage[0], Arg(stage[1], texel), Arg(stage[2], texel));
    vec4 a = Combine(stage[3], Arg(stage[4], texel), Arg(stage[5], texel));
    fragColor = vec4(c.rgb, a.a);
}
)";

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

bool CGLProgram::Create(std::string& error) {
    const GLuint vertex = Compile(GL_VERTEX_SHADER, kVertexShader, error);
    if (!vertex) return false;
    const GLuint fragment = Compile(GL_FRAGMENT_SHADER, kFragmentShader, error);
    if (!fragment) {
        glDeleteShader(vertex);
        return false;
    }
    program = glCreateProgram();
    glAttachShader(program, vertex);
    glAttachShader(program, fragment);
    glLinkProgram(program);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    GLint ok = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    if (!ok) {
        char log[1024] = {};
        glGetProgramInfoLog(program, sizeof log - 1, nullptr, log);
        error = std::string("shader program: ") + log;
        Destroy();
        return false;
    }
    glUseProgram(program);
    screenSizeAt = glGetUniformLocation(program, "screenSize");
    texturedAt = glGetUniformLocation(program, "textured");
    stageAt = glGetUniformLocation(program, "stage");
    glUniform1i(glGetUniformLocation(program, "image"), 0);
    return true;
}

void CGLProgram::Destroy() {
    if (program) glDeleteProgram(program);
    program = 0;
}

void CGLProgram::SetScreenSize(float width, float height) { glUniform2f(screenSizeAt, width, height); }

void CGLProgram::SetStage(bool textured, std::uint32_t colorOp, std::uint32_t colorArg1, std::uint32_t colorArg2,
                          std::uint32_t alphaOp, std::uint32_t alphaArg1, std::uint32_t alphaArg2) {
    const int wanted[7] = {int(colorOp), int(colorArg1), int(colorArg2), int(alphaOp), int(alphaArg1), int(alphaArg2),
                           textured ? 1 : 0};
    if (std::equal(std::begin(wanted), std::end(wanted), std::begin(lastStage))) return;
    std::copy(std::begin(wanted), std::end(wanted), std::begin(lastStage));
    glUniform1iv(stageAt, 6, wanted);
    glUniform1i(texturedAt, wanted[6]);
}
