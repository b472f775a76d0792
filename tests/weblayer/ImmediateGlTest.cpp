// web/gl's GL 1.1 calls, linked into this program in place of the system's
// GL, with RecordingRenderer.cpp in place of the WebGL calls: the batches,
// vertices and texture updates they give against worked-out ones; and its
// atlas.
#include <GL/gl.h>
#include <SDL.h>

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "gl/TextureAtlas.h"

extern std::vector<std::string> g_Batches;  // RecordingRenderer.cpp
extern std::vector<std::vector<float>> g_Vertices;
extern std::vector<std::vector<int>> g_TextureUpdates;

namespace {

// The same start whatever ran before in this process: the layer made, with
// its white texel, in GL's first state, nothing recorded.
class WebGl : public ::testing::Test {
protected:
    void SetUp() override
    {
        glDisable(GL_BLEND);
        glDisable(GL_TEXTURE_2D);
        glPointSize(1);
        glLoadIdentity();
        SDL_GL_SwapBuffers();
        g_Batches.clear();
        g_Vertices.clear();
        g_TextureUpdates.clear();
    }
};

// `count` vertices along the x axis between one glBegin(mode) and its glEnd.
void Draw(GLenum mode, int count)
{
    glBegin(mode);
    for (int vertex = 0; vertex < count; ++vertex)
        glVertex3f(vertex, 0, 0);
    glEnd();
}

TEST_F(WebGl, GathersDrawsUnderOneStateIntoOneBatch)
{
    Draw(GL_POINTS, 2);
    Draw(GL_POINTS, 1);  // the same state: the same batch
    glPointSize(2);
    Draw(GL_POINTS, 1);
    Draw(GL_QUADS, 4);  // the point size does not part quads
    glPointSize(1);
    Draw(GL_QUADS, 4);
    glEnable(GL_BLEND);
    Draw(GL_QUADS, 4);
    Draw(GL_QUADS, 6);  // a quad and a half: the half is dropped
    SDL_GL_SwapBuffers();
    EXPECT_EQ((std::vector<std::string>{"p3", "p2:1", "q8", "Q8"}), g_Batches);
}

// The atlas, texture 1, holds the white texel at (1, 1), then a 4 x 2 image at (4, 1); a filtered
// image gets a texture of its own, 2; one that needs mipmaps, or texturing off, draws in white.
TEST_F(WebGl, VerticesCarryTheModelViewTheirColourAndTheirImagesTexel)
{
    GLuint names[3];
    glGenTextures(3, names);
    const uint8_t image[4 * 2 * 4] = {};
    const GLint filters[3][2] = {
        {GL_NEAREST, GL_NEAREST}, {GL_LINEAR, GL_LINEAR}, {GL_NEAREST_MIPMAP_NEAREST, GL_NEAREST}};
    for (int i = 0; i < 3; ++i) {
        glBindTexture(GL_TEXTURE_2D, names[i]);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filters[i][0]);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filters[i][1]);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 4, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, image);
    }
    glTranslatef(10, 0, -2);
    glPushMatrix();
    glRotatef(90, 0, 0, 1);
    glColor4f(1, 0.5f, 0, 0.25f);
    glEnable(GL_TEXTURE_2D);
    for (int i = 0; i < 4; ++i) {
        if (i == 3) {  // texturing off, and the translation alone
            glDisable(GL_TEXTURE_2D);
            glPopMatrix();
        }
        glBindTexture(GL_TEXTURE_2D, names[i % 3]);
        glBegin(GL_POINTS);
        glTexCoord2f(0.5f, 1);
        glVertex3f(1, 2, 3);  // turned to (-2, 1, 3), then moved
        glEnd();
    }
    glPopMatrix();  // below the bottom of the stack
    EXPECT_EQ(GLenum(GL_STACK_UNDERFLOW), glGetError());
    EXPECT_EQ(GLenum(GL_NO_ERROR), glGetError());
    SDL_GL_SwapBuffers();
    EXPECT_EQ((std::vector<std::vector<float>>{
                  {1, 8, 1, 1, 255, 128, 0, 64, 6, 3},
                  {2, 8, 1, 1, 255, 128, 0, 64, 512, 1024},
                  {1, 8, 1, 1, 255, 128, 0, 64, 1.5f, 1.5f},
                  {1, 11, 2, 1, 255, 128, 0, 64, 1.5f, 1.5f},
              }),
              g_Vertices);
    EXPECT_EQ((std::vector<std::vector<int>>{{1, 3, 0, 6, 4}}), g_TextureUpdates);
}

// The atlas: where images go, worked out by hand, and their borders.
TEST(WebAtlas, PlacesImagesOnShelvesInsideTheirBorders)
{
    struct Case {
        int width, height;
        bool placed;
        int x, y;
    };
    // clang-format off
    const Case cases[] = {
        {1, 1, true, 1, 1},           // the first shelf: 3 x 3 with the border
        {16, 16, true, 4, 1},         // beside it; the shelf is 18 high now
        {1000, 10, true, 22, 1},      // ends at 1023, one texel short of the side
        {1, 1, true, 1, 19},          // 3 more would pass 1024: a new shelf below the 18
        {1022, 5, true, 1, 22},       // exactly the side with its border: a new shelf
        {1023, 1, false, 0, 0},       // wider than the side with its border
        {10, 996, false, 0, 0},       // the shelf at 28 plus 998 passes the bottom
        {10, 994, true, 1, 29},       // 28 + 996 reaches the bottom exactly
        {1, 1, true, 13, 29},         // the same shelf
    };
    // clang-format on
    TextureAtlas atlas;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        int x = 0, y = 0;
        ASSERT_EQ(c.placed, atlas.Place(c.width, c.height, &x, &y));
        if (c.placed) {
            EXPECT_EQ((std::vector<int>{c.x, c.y}), (std::vector<int>{x, y}));
        }
    }
}

// Each texel is its own number; the border repeats the edge, corners included.
TEST(WebAtlas, BorderRepeatsTheImagesEdges)
{
    struct Case {
        int width, height;
        std::vector<uint32_t> image, bordered;
    };
    // clang-format off
    const Case cases[] = {
        {2, 2, {1, 2, 3, 4}, {1, 1, 2, 2, 1, 1, 2, 2, 3, 3, 4, 4, 3, 3, 4, 4}},
        {3, 1, {5, 6, 7}, {5, 5, 6, 7, 7, 5, 5, 6, 7, 7, 5, 5, 6, 7, 7}},
        {1, 2, {0x11223344, 0xAABBCCDD}, {0x11223344, 0x11223344, 0x11223344, 0x11223344, 0x11223344, 0x11223344,
                                          0xAABBCCDD, 0xAABBCCDD, 0xAABBCCDD, 0xAABBCCDD, 0xAABBCCDD, 0xAABBCCDD}},
    };
    // clang-format on
    for (const Case& c : cases) {
        const std::vector<uint8_t> out = TextureAtlas::Bordered(
            c.width, c.height, reinterpret_cast<const uint8_t*>(c.image.data()));
        std::vector<uint32_t> texels(out.size() / 4);
        memcpy(texels.data(), out.data(), out.size());
        EXPECT_EQ(c.bordered, texels);
    }
}

}  // namespace
