// The web benchmark's floor: a page built with the game's Emscripten flags
// that draws a frame of the game's kind (20000 stars, a screen of tiles
// from one tileset texture, 1000 bullets and a ship) in plain WebGL 1 from
// buffers made once: four draws a frame, one shader, nothing computed per
// frame. ?resolution= picks one of the game's resolutions, as on the
// game's page; it keeps window.flyerStats.frames as the game's page does.
#include <GLES2/gl2.h>
#include <SDL.h>
#include <emscripten.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/Resolutions.h"

namespace {

struct Vertex {
    float x, y, z, s, t;
    unsigned char r, g, b, a;
};

struct Batch {
    GLuint buffer;
    GLsizei count;
    GLenum mode;
    bool textured;
    bool blended;
};

const char* const kVertexShader = R"(
attribute vec3 position;
attribute vec2 texCoord;
attribute vec4 colour;
uniform mat4 transform;
varying vec2 uv;
varying vec4 tint;
void main() {
    gl_Position = transform * vec4(position, 1.0);
    gl_PointSize = 1.0;
    uv = texCoord;
    tint = colour;
})";

const char* const kFragmentShader = R"(
precision mediump float;
uniform sampler2D tileset;
uniform float textured;
varying vec2 uv;
varying vec4 tint;
void main() {
    gl_FragColor = tint * mix(vec4(1.0), texture2D(tileset, uv), textured);
})";

std::vector<Batch> g_Batches;
GLint g_Textured = -1;
int g_Frames = 0;

Batch Upload(const std::vector<Vertex>& vertices, GLenum mode, bool textured, bool blended)
{
    Batch batch{0, static_cast<GLsizei>(vertices.size()), mode, textured, blended};
    glGenBuffers(1, &batch.buffer);
    glBindBuffer(GL_ARRAY_BUFFER, batch.buffer);
    glBufferData(GL_ARRAY_BUFFER, vertices.size() * sizeof(Vertex), vertices.data(),
                 GL_STATIC_DRAW);
    return batch;
}

// Two triangles covering (x, y)-(x + size, y + size), showing the texture's
// square (s, t)-(s + side, t + side) upright, tinted (grey, grey, 1).
void AddQuad(std::vector<Vertex>& out, float x, float y, float size, float s, float t, float side,
             unsigned char grey)
{
    const Vertex corners[4] = {{x, y, 0, s, t + side, grey, grey, 255, 255},
                               {x, y + size, 0, s, t, grey, grey, 255, 255},
                               {x + size, y + size, 0, s + side, t, grey, grey, 255, 255},
                               {x + size, y, 0, s + side, t + side, grey, grey, 255, 255}};
    for (int corner : {0, 1, 2, 0, 2, 3})
        out.push_back(corners[corner]);
}

GLuint Compile(GLenum kind, const char* source)
{
    const GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    return shader;
}

void MakeProgram(int width, int height)
{
    const GLuint program = glCreateProgram();
    glAttachShader(program, Compile(GL_VERTEX_SHADER, kVertexShader));
    glAttachShader(program, Compile(GL_FRAGMENT_SHADER, kFragmentShader));
    glBindAttribLocation(program, 0, "position");
    glBindAttribLocation(program, 1, "texCoord");
    glBindAttribLocation(program, 2, "colour");
    glLinkProgram(program);
    glUseProgram(program);
    // The game's frustum (x -1..1 at distance 1, near 1, far 1000) times the
    // camera's step back to width / 32 above the ship at (512, 512).
    const float a = static_cast<float>(height) / width, d = width / 32.0f;
    const float depth = -1001.0f / 999.0f, w = -2000.0f / 999.0f;
    const float transform[16] = {1, 0,     0,  0,    0,        1 / a,          0, 0, 0,
                                 0, depth, -1, -512, -512 / a, -d * depth + w, d};
    glUniformMatrix4fv(glGetUniformLocation(program, "transform"), 1, GL_FALSE, transform);
    g_Textured = glGetUniformLocation(program, "textured");
}

void MakeTexture()
{
    // A 512x256 texture with the 19x10 tiles of 16x16 in its top-left corner.
    std::vector<unsigned> pixels(512 * 256);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 512; ++x)
            pixels[y * 512 + x] = 0xff000000u | ((x * 7 + y * 3) & 0xff) << 8 | ((x ^ y) & 0xff);
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 512, 256, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
}

void MakeBatches(int width, int height)
{
    std::vector<Vertex> stars, tiles, bullets, ship;
    srand(357);
    for (int i = 0; i < 20000; ++i) {
        const unsigned char r = 128 + rand() % 10 * 12, b = 128 + rand() % 10 * 12;
        const float x = rand() % 10500 / 10.0f - 13, y = rand() % 10500 / 10.0f - 13;
        stars.push_back({x, y, -(rand() % 1000 / 10.0f), 0, 0, r, 178, b, 255});
    }
    const int x0 = 512 - width / 32, y0 = 512 - height / 32;
    for (int x = x0; x <= x0 + width / 16; ++x)
        for (int y = y0; y <= y0 + height / 16; ++y) {
            const int tile = (x * 31 + y * 17) % 190;
            AddQuad(tiles, x, y, 1, tile % 19 * 16 / 512.0f, tile / 19 * 16 / 256.0f, 16 / 512.0f,
                    255);
        }
    for (int i = 0; i < 1000; ++i)
        AddQuad(bullets, -0.25f, -0.25f, 0.5f, 0, 0, 8 / 512.0f, 0);
    AddQuad(ship, 511, 511, 2, 0, 0, 36 / 512.0f, 255);
    // The bullets and the ship are blended, as in the game.
    g_Batches = {Upload(stars, GL_POINTS, false, false), Upload(tiles, GL_TRIANGLES, true, false),
                 Upload(bullets, GL_TRIANGLES, true, true), Upload(ship, GL_TRIANGLES, true, true)};
}

void Frame()
{
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
    }
    glClear(GL_COLOR_BUFFER_BIT);
    for (const Batch& batch : g_Batches) {
        if (batch.blended)
            glEnable(GL_BLEND);
        glUniform1f(g_Textured, batch.textured ? 1.0f : 0.0f);
        glBindBuffer(GL_ARRAY_BUFFER, batch.buffer);
        glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, sizeof(Vertex), nullptr);
        glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex),
                              reinterpret_cast<void*>(12));
        glVertexAttribPointer(2, 4, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(Vertex),
                              reinterpret_cast<void*>(20));
        glDrawArrays(batch.mode, 0, batch.count);
    }
    glDisable(GL_BLEND);
    SDL_GL_SwapBuffers();
    EM_ASM({ window.flyerStats = {frames : $0}; }, ++g_Frames);
}

// The game's resolution that ?resolution= names, else its example one.
const Resolution& ChosenResolution()
{
    const std::string chosen =
        emscripten_run_script_string("new URLSearchParams(location.search).get('resolution')");
    const Resolution* example = &kResolutions[0];
    for (const Resolution& row : kResolutions) {
        if (chosen == row.argument)
            return row;
        if (strcmp(row.argument, kExampleResolution) == 0)
            example = &row;
    }
    return *example;
}

}  // namespace

int main()
{
    const Resolution& resolution = ChosenResolution();
    const int width = resolution.width;
    const int height = resolution.height;
    SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER);
    SDL_SetVideoMode(width, height, 32, SDL_OPENGL);
    glClearColor(0, 0, 0.05f, 0);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glViewport(0, 0, width, height);
    for (GLuint attribute : {0, 1, 2})
        glEnableVertexAttribArray(attribute);
    MakeProgram(width, height);
    MakeTexture();
    MakeBatches(width, height);
    emscripten_set_main_loop(Frame, 0, 1);
}
