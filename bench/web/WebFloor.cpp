// The web benchmark's floor: a page built with the game's Emscripten flags
// that draws a frame of the game's kind (20000 stars, a screen of tiles
// from one tileset texture, 1000 bullets and a ship) in plain WebGL 1 from
// buffers made once: four draws a frame with the game's own shader
// program, nothing computed per frame. ?resolution= picks one of the game's
// resolutions, as on the game's page; it keeps window.flyerStats.frames as
// the game's page does.
#include <GLES2/gl2.h>
#include <SDL.h>
#include <emscripten.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/Resolutions.h"
#include "gl/ShaderProgram.h"

namespace {

struct Batch {
    GLuint buffer;
    GLsizei count;
    GLenum mode;
    bool blended;
};

// The middle of the texture's white texel.
const float kWhiteS = 511.5f / 512, kWhiteT = 255.5f / 256;

std::vector<Batch> g_Batches;
int g_Frames = 0;
int g_PointRadius = -1;  // the program's uniform

Batch Upload(const std::vector<RenderVertex>& vertices, GLenum mode, bool blended)
{
    Batch batch{0, static_cast<GLsizei>(vertices.size()), mode, blended};
    glGenBuffers(1, &batch.buffer);
    glBindBuffer(GL_ARRAY_BUFFER, batch.buffer);
    glBufferData(GL_ARRAY_BUFFER, vertices.size() * sizeof(RenderVertex), vertices.data(),
                 GL_STATIC_DRAW);
    return batch;
}

// Two triangles covering (x, y)-(x + size, y + size), showing the texture's
// square (s, t)-(s + side, t + side) upright, tinted (grey, grey, 1).
void AddQuad(std::vector<RenderVertex>& out, float x, float y, float size, float s, float t,
             float side, unsigned char grey)
{
    const RenderVertex corners[4] = {{x, y, 0, s, t + side, grey, grey, 255, 255},
                                     {x, y + size, 0, s, t, grey, grey, 255, 255},
                                     {x + size, y + size, 0, s + side, t, grey, grey, 255, 255},
                                     {x + size, y, 0, s + side, t + side, grey, grey, 255, 255}};
    for (int corner : {0, 1, 2, 0, 2, 3})
        out.push_back(corners[corner]);
}

void MakeProgram(int width, int height)
{
    ShaderProgram program;
    program.Create();
    // The game's frustum (x -1..1 at distance 1, near 1, far 1000) times the
    // camera's step back to width / 32 above the ship at (512, 512).
    const float a = static_cast<float>(height) / width, d = width / 32.0f;
    const float depth = -1001.0f / 999.0f, w = -2000.0f / 999.0f;
    const float transform[16] = {1, 0,     0,  0,    0,        1 / a,          0, 0, 0,
                                 0, depth, -1, -512, -512 / a, -d * depth + w, d};
    glUniformMatrix4fv(program.projectionUniform, 1, GL_FALSE, transform);
    g_PointRadius = program.pointRadiusUniform;
}

void MakeTexture()
{
    // A 512x256 texture with the 19x10 tiles of 16x16 in its top-left corner
    // and a white texel, which the stars sample, in its bottom-right one.
    std::vector<unsigned> pixels(512 * 256);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 512; ++x)
            pixels[y * 512 + x] = 0xff000000u | ((x * 7 + y * 3) & 0xff) << 8 | ((x ^ y) & 0xff);
    pixels.back() = 0xffffffffu;
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 512, 256, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
}

void MakeBatches(int width, int height)
{
    std::vector<RenderVertex> stars, tiles, bullets, ship;
    srand(357);
    for (int i = 0; i < 20000; ++i) {
        const unsigned char r = 128 + rand() % 10 * 12, b = 128 + rand() % 10 * 12;
        const float x = rand() % 10500 / 10.0f - 13, y = rand() % 10500 / 10.0f - 13;
        stars.push_back({x, y, -(rand() % 1000 / 10.0f), kWhiteS, kWhiteT, {r, 178, b, 255}});
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
    g_Batches = {Upload(stars, GL_POINTS, false), Upload(tiles, GL_TRIANGLES, false),
                 Upload(bullets, GL_TRIANGLES, true), Upload(ship, GL_TRIANGLES, true)};
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
        glUniform1f(g_PointRadius, batch.mode == GL_POINTS ? 1.0f : 0.0f);
        glBindBuffer(GL_ARRAY_BUFFER, batch.buffer);
        ShaderProgram::ReadVertices();
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
    MakeProgram(width, height);
    MakeTexture();
    MakeBatches(width, height);
    emscripten_set_main_loop(Frame, 0, 1);
}
