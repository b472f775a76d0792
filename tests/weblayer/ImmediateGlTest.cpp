// web/gl's GL 1.1 calls on the desktop, against worked-out batches: the
// module `webgl` holds web/gl with RecordingRenderer in place of WebGL
// (linked -Bsymbolic and opened with RTLD_LOCAL, beside Mesa's gl*).
#include <GL/gl.h>
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "RecordingRenderer.h"

namespace {

void* Module()
{
    static void* module = dlopen(WEB_GL_MODULE, RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {  // dlsym would look in the whole program, Mesa too
        fprintf(stderr, "%s\n", dlerror());
        abort();
    }
    return module;
}

#define WEB(name) reinterpret_cast<decltype(&name)>(dlsym(Module(), #name))

// The web/gl entry points the cases call.
struct WebGl {
    decltype(&glBegin) Begin = WEB(glBegin);
    decltype(&glEnd) End = WEB(glEnd);
    decltype(&glVertex3f) Vertex = WEB(glVertex3f);
    decltype(&glColor4f) Color = WEB(glColor4f);
    decltype(&glTexCoord2f) TexCoord = WEB(glTexCoord2f);
    decltype(&glEnable) Enable = WEB(glEnable);
    decltype(&glDisable) Disable = WEB(glDisable);
    decltype(&glPointSize) PointSize = WEB(glPointSize);
    decltype(&glMatrixMode) MatrixMode = WEB(glMatrixMode);
    decltype(&glTranslatef) Translate = WEB(glTranslatef);
    decltype(&glRotatef) Rotate = WEB(glRotatef);
    decltype(&glFrustum) Frustum = WEB(glFrustum);
    decltype(&glPushMatrix) PushMatrix = WEB(glPushMatrix);
    decltype(&glPopMatrix) PopMatrix = WEB(glPopMatrix);
    decltype(&glGetError) GetError = WEB(glGetError);
    decltype(&glGenTextures) GenTextures = WEB(glGenTextures);
    decltype(&glBindTexture) BindTexture = WEB(glBindTexture);
    decltype(&glTexParameteri) TexParameter = WEB(glTexParameteri);
    decltype(&glTexImage2D) TexImage = WEB(glTexImage2D);
    void (*Swap)() = reinterpret_cast<void (*)()>(dlsym(Module(), "SDL_GL_SwapBuffers"));
    Recording* recorded = reinterpret_cast<Recording* (*)()>(dlsym(Module(), "RecordedGl"))();

    // The same start whatever ran before in this process: the layer made, with its white texel,
    // blending and texturing off, nothing gathered.
    WebGl()
    {
        Disable(GL_BLEND);
        Disable(GL_TEXTURE_2D);
        PointSize(1);
        Swap();
        *recorded = Recording();
    }

    void Quad()
    {
        Begin(GL_QUADS);
        for (int corner = 0; corner < 4; ++corner)
            Vertex(corner, 0, 0);
        End();
    }
    // Each batch as its kind and vertex count: quads "q4", blended "Q4", points "p3", or
    // "p2:3" when 2 pixels wide.
    std::vector<std::string> Batches() const
    {
        std::vector<std::string> out;
        for (const RecordedBatch& b : recorded->batches) {
            const bool wide = b.state.points && b.state.pointSize != 1;
            out.push_back(std::string(b.state.points  ? "p"
                                      : b.state.blend ? "Q"
                                                      : "q") +
                          (wide ? std::to_string(int(b.state.pointSize)) + ":" : "") +
                          std::to_string(b.vertices.size()));
        }
        return out;
    }
};

TEST(WebGl, GathersDrawsUnderOneStateIntoOneBatch)
{
    WebGl gl;
    gl.Begin(GL_POINTS);
    gl.Vertex(0, 0, 0);
    gl.Vertex(1, 0, 0);
    gl.End();
    gl.Begin(GL_POINTS);  // the same state: the same batch
    gl.Vertex(2, 0, 0);
    gl.End();
    gl.PointSize(2);
    gl.Begin(GL_POINTS);
    gl.Vertex(3, 0, 0);
    gl.End();
    gl.Quad();  // the point size does not part quads
    gl.PointSize(1);
    gl.Quad();
    gl.Enable(GL_BLEND);
    gl.Quad();
    gl.Begin(GL_QUADS);  // a quad and a half: the half is dropped
    for (int corner = 0; corner < 6; ++corner)
        gl.Vertex(corner, 0, 0);
    gl.End();
    gl.Swap();
    EXPECT_EQ((std::vector<std::string>{"p3", "p2:1", "q8", "Q8"}), gl.Batches());
}

// A batch holds at most 65536 vertices, and a full one is drawn between two quads.
TEST(WebGl, FullBatchesEndBetweenQuadsAndPoints)
{
    WebGl gl;
    gl.Begin(GL_QUADS);
    for (int vertex = 0; vertex < 65536 + 8; ++vertex)
        gl.Vertex(0, 0, 0);
    gl.End();
    gl.Begin(GL_POINTS);
    for (int vertex = 0; vertex < 65536 + 1; ++vertex)
        gl.Vertex(0, 0, 0);
    gl.End();
    gl.Swap();
    EXPECT_EQ((std::vector<std::string>{"q65536", "q8", "p65536", "p1"}), gl.Batches());
}

TEST(WebGl, VerticesGoThroughTheModelViewStackWithTheirColour)
{
    WebGl gl;
    gl.MatrixMode(GL_PROJECTION);
    gl.Frustum(-1, 1, -1, 1, 1, 3);
    gl.MatrixMode(GL_MODELVIEW);
    gl.Translate(10, 0, -2);
    gl.PushMatrix();
    gl.Rotate(90, 0, 0, 1);
    gl.Color(1, 0.5f, 0, 0.25f);
    gl.Begin(GL_POINTS);
    gl.Vertex(1, 0, 0);  // turned to (0, 1, 0), then moved
    gl.PopMatrix();
    gl.Vertex(1, 2, 3);
    gl.End();
    gl.PopMatrix();  // below the bottom of the stack
    EXPECT_EQ(GLenum(GL_STACK_UNDERFLOW), gl.GetError());
    EXPECT_EQ(GLenum(GL_NO_ERROR), gl.GetError());
    ASSERT_EQ(1u, gl.recorded->batches.size());
    const RecordedBatch& batch = gl.recorded->batches[0];
    // clang-format off
    const float expected[][7] = {
        {10, 1, -2, 255, 128, 0, 64},
        {11, 2, 1, 255, 128, 0, 64},
    };
    // clang-format on
    for (int i = 0; i < 2; ++i) {
        const RenderVertex& v = batch.vertices[i];
        EXPECT_EQ((std::vector<float>(expected[i], expected[i] + 7)),
                  (std::vector<float>{v.x, v.y, v.z, float(v.rgba[0]), float(v.rgba[1]),
                                      float(v.rgba[2]), float(v.rgba[3])}));
    }
    // glFrustum(-1, 1, -1, 1, 1, 3): 2n/(r-l) = 1, -(f+n)/(f-n) = -2, -2fn/(f-n) = -3.
    const float* p = batch.projection.m;
    EXPECT_EQ((std::vector<float>{1, 1, -2, -1, -3}),
              (std::vector<float>{p[0], p[5], p[10], p[11], p[14]}));
}

// The atlas, texture 1, holds the white texel at (1, 1), then a 4 x 2 image at (4, 1); a filtered
// image gets a texture of its own, 2; one that needs mipmaps, or texturing off, draws in white.
TEST(WebGl, TextureCoordinatesMapIntoTheImagesTexture)
{
    WebGl gl;
    GLuint names[3];
    gl.GenTextures(3, names);
    const uint8_t image[4 * 2 * 4] = {};
    const GLint filters[3][2] = {
        {GL_NEAREST, GL_NEAREST}, {GL_LINEAR, GL_LINEAR}, {GL_NEAREST_MIPMAP_NEAREST, GL_NEAREST}};
    for (int i = 0; i < 3; ++i) {
        gl.BindTexture(GL_TEXTURE_2D, names[i]);
        gl.TexParameter(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filters[i][0]);
        gl.TexParameter(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filters[i][1]);
        gl.TexImage(GL_TEXTURE_2D, 0, GL_RGBA, 4, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, image);
    }
    gl.Enable(GL_TEXTURE_2D);
    for (int i = 0; i < 4; ++i) {
        if (i == 3)
            gl.Disable(GL_TEXTURE_2D);
        gl.BindTexture(GL_TEXTURE_2D, names[i % 3]);
        gl.Begin(GL_POINTS);
        gl.TexCoord(0.5f, 1);
        gl.Vertex(0, 0, 0);
        gl.End();
    }
    gl.Swap();
    std::vector<std::vector<float>> drawn;  // texture, s and t in texels of a 1024 side
    for (const RecordedBatch& b : gl.recorded->batches)
        for (const RenderVertex& v : b.vertices)
            drawn.push_back({float(b.state.texture), v.s * 1024, v.t * 1024});
    EXPECT_EQ((std::vector<std::vector<float>>{
                  {1, 6, 3}, {2, 512, 1024}, {1, 1.5f, 1.5f}, {1, 1.5f, 1.5f}}),
              drawn);
    std::vector<std::vector<int>> updates;  // each with its border
    for (const TextureUpdate& u : gl.recorded->updates)
        updates.push_back({int(u.texture), u.x, u.y, u.width, u.height});
    EXPECT_EQ((std::vector<std::vector<int>>{{1, 3, 0, 6, 4}}), updates);
}

}  // namespace
