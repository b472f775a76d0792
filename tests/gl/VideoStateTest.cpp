#include <GL/gl.h>
#include <SDL.h>

#include "GlContext.h"
#include "app/WorldObjects.h"

namespace {

class VideoState : public GlContextTest {};

TEST_F(VideoState, InitGLLeavesTheFixedState)
{
    EXPECT_TRUE(glIsEnabled(GL_POINT_SMOOTH));
    EXPECT_TRUE(glIsEnabled(GL_POLYGON_SMOOTH));
    EXPECT_TRUE(glIsEnabled(GL_LINE_SMOOTH));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));

    GLfloat value[4];
    glGetFloatv(GL_POINT_SIZE, value);
    EXPECT_EQ(1.0f, value[0]);
    glGetFloatv(GL_COLOR_CLEAR_VALUE, value);
    EXPECT_EQ(0.0f, value[0]);
    EXPECT_EQ(0.0f, value[1]);
    EXPECT_FLOAT_EQ(0.05f, value[2]);
    EXPECT_EQ(0.0f, value[3]);

    GLint blend[2];
    glGetIntegerv(GL_BLEND_SRC, &blend[0]);
    glGetIntegerv(GL_BLEND_DST, &blend[1]);
    EXPECT_EQ(GL_SRC_ALPHA, blend[0]);
    EXPECT_EQ(GL_ONE_MINUS_SRC_ALPHA, blend[1]);

    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(0, viewport[0]);
    EXPECT_EQ(0, viewport[1]);
    EXPECT_EQ(640, viewport[2]);
    EXPECT_EQ(480, viewport[3]);

    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(GL_MODELVIEW, mode);
    GLfloat modelview[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(i % 5 == 0 ? 1.0f : 0.0f, modelview[i]) << i;
    EXPECT_EQ(static_cast<GLenum>(GL_NO_ERROR), glGetError());
    EXPECT_EQ(0, SDL_ShowCursor(SDL_QUERY)) << "the cursor is hidden";
}

TEST_F(VideoState, ProjectionIsTheFrustumOfTheAspect)
{
    // glFrustum(-1, 1, -a, a, 1, 1000) with a = 0.75 at 640 x 480.
    const double a = 0.75, n = 1.0, f = 1000.0;
    const double expected[16] = {
        n, 0, 0, 0,
        0, n / a, 0, 0,
        0, 0, -(f + n) / (f - n), -1,
        0, 0, -2 * f * n / (f - n), 0};
    GLfloat projection[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(expected[i], projection[i], 1e-5) << i;
}

TEST_F(VideoState, CameraTranslatesTheModelview)
{
    Camera camera;
    GLfloat m[16];
    camera.Apply();
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    EXPECT_EQ(0.0f, m[12]);
    EXPECT_EQ(0.0f, m[13]);
    EXPECT_EQ(0.0f, m[14]);

    camera.SetPosition(512.0f, 300.5f);
    camera.SetDistance(20.0f);
    glLoadIdentity();
    camera.Apply();
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    EXPECT_EQ(-512.0f, m[12]);
    EXPECT_EQ(-300.5f, m[13]);
    EXPECT_EQ(-20.0f, m[14]);
}

class WideVideoState : public GlContextTest {
protected:
    int Width() const override { return 1280; }
    int Height() const override { return 1024; }
};

TEST_F(WideVideoState, ProjectionAspectIsPointEight)
{
    GLfloat projection[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    EXPECT_NEAR(1.0 / 0.8, projection[5], 1e-6);
}

}  // namespace
