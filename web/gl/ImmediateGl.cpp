// The OpenGL 1.1 calls the game makes, answered on WebGL. Emscripten's own
// emulation of them turns every glBegin/glEnd into a WebGL draw call with
// its own upload, some 1,350 a frame, and draws the stars black. Here the
// vertices go through the model-view matrix as they come and gather, with
// their colours and texture coordinates, in one batch until the state that
// a draw call shares changes: the stars make one call, the map window one
// (its tiles all lie in one atlas texture), the exhaust one, the bullets
// and the ship one. The picture is the desktop's: GL_MODULATE texturing, the
// game's blending, and name 0 (or an image that cannot be sampled) drawing
// in the plain vertex colour.
#include <GL/gl.h>
#include <SDL.h>

#include <vector>

#include "gl/Matrix.h"
#include "gl/Renderer.h"
#include "gl/TextureAtlas.h"

namespace {

// Where the image of one texture name lies: the WebGL texture (the atlas
// or one of its own), and how its texture coordinates map into it.
struct TextureImage {
    GLint minFilter = GL_NEAREST_MIPMAP_LINEAR;
    GLint magFilter = GL_LINEAR;
    bool complete = false;
    uint32_t webglTexture = 0;
    float s0 = 0.0f, t0 = 0.0f, sScale = 1.0f, tScale = 1.0f;
};

// The GL 1.1 state the game's calls set, and the renderer they draw with.
struct GlState {
    Renderer renderer;
    TextureAtlas atlas;
    uint32_t atlasTexture = 0;
    std::vector<TextureImage> textures = std::vector<TextureImage>(1);
    TextureImage white;
    GLuint bound = 0;
    bool blend = false;
    bool texturing = false;
    float pointSize = 1.0f;
    uint8_t colour[4] = {255, 255, 255, 255};
    float s = 0.0f, t = 0.0f;
    GLenum matrixMode = GL_MODELVIEW;
    std::vector<Matrix> modelView = {Matrix::Identity()};
    std::vector<Matrix> projection = {Matrix::Identity()};
    bool drawing = false;
    GLenum primitive = GL_POINTS;
    size_t primitiveStart = 0;
    GLenum error = GL_NO_ERROR;
};

// Copies an image into the atlas and gives its top-left texel; false when
// it does not fit.
bool PlaceInAtlas(GlState& gl, int width, int height, const uint8_t* rgba, int* x, int* y)
{
    if (width <= 0 || height <= 0 || !gl.atlas.Place(width, height, x, y))
        return false;
    const int border = TextureAtlas::kBorder;
    gl.renderer.UpdateTexture(gl.atlasTexture, *x - border, *y - border, width + 2 * border,
                              height + 2 * border,
                              TextureAtlas::Bordered(width, height, rgba).data());
    return true;
}

// Made at the first GL call, when SDL has made the WebGL context current.
GlState& State()
{
    static GlState* gl = nullptr;
    if (gl == nullptr) {
        gl = new GlState;
        gl->renderer.Create();
        const int side = TextureAtlas::kSide;
        gl->atlasTexture = gl->renderer.MakeTexture(side, side, nullptr, GL_NEAREST, GL_NEAREST);
        const uint8_t white[4] = {255, 255, 255, 255};
        int x = 0, y = 0;
        PlaceInAtlas(*gl, 1, 1, white, &x, &y);
        gl->white.webglTexture = gl->atlasTexture;
        gl->white.s0 = (x + 0.5f) / side;
        gl->white.t0 = (y + 0.5f) / side;
        gl->white.sScale = 0.0f;
        gl->white.tScale = 0.0f;
    }
    return *gl;
}

void SetError(GLenum error)
{
    if (State().error == GL_NO_ERROR)
        State().error = error;
}

const TextureImage& BoundImage()
{
    GlState& gl = State();
    if (!gl.texturing || gl.bound >= gl.textures.size() || !gl.textures[gl.bound].complete)
        return gl.white;
    return gl.textures[gl.bound];
}

std::vector<Matrix>& Stack()
{
    return State().matrixMode == GL_PROJECTION ? State().projection : State().modelView;
}

void SetTop(const Matrix& matrix)
{
    Stack().back() = matrix;
    if (State().matrixMode == GL_PROJECTION)
        State().renderer.SetProjection(matrix);
}

uint8_t ToByte(float c)
{
    return static_cast<uint8_t>((c < 0.0f ? 0.0f : c > 1.0f ? 1.0f : c) * 255.0f + 0.5f);
}

bool IsPlainFilter(GLint filter)
{
    return filter == GL_NEAREST || filter == GL_LINEAR;
}

}  // namespace

extern "C" {

void glEnable(GLenum cap)
{
    // Point, line and polygon smoothing, depth test and lighting have no
    // counterpart here: the game keeps them as InitGL leaves them.
    if (cap == GL_BLEND)
        State().blend = true;
    else if (cap == GL_TEXTURE_2D)
        State().texturing = true;
}

void glDisable(GLenum cap)
{
    if (cap == GL_BLEND)
        State().blend = false;
    else if (cap == GL_TEXTURE_2D)
        State().texturing = false;
}

void glPointSize(GLfloat size)
{
    State().pointSize = size;
}

void glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a)
{
    State().renderer.ClearColor(r, g, b, a);
}

void glClear(GLbitfield mask)
{
    State().renderer.Clear(mask);
}

void glBlendFunc(GLenum source, GLenum destination)
{
    State().renderer.BlendFunc(source, destination);
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height)
{
    State().renderer.Viewport(x, y, width, height);
}

GLenum glGetError(void)
{
    const GLenum own = State().error;
    State().error = GL_NO_ERROR;
    const GLenum webgl = State().renderer.Error();
    return own != GL_NO_ERROR ? own : webgl;
}

void glMatrixMode(GLenum mode)
{
    if (mode == GL_MODELVIEW || mode == GL_PROJECTION)
        State().matrixMode = mode;
    else
        SetError(GL_INVALID_ENUM);
}

void glLoadIdentity(void)
{
    SetTop(Matrix::Identity());
}

void glFrustum(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear,
               GLdouble zFar)
{
    SetTop(Stack().back() * Matrix::Frustum(left, right, bottom, top, zNear, zFar));
}

void glTranslatef(GLfloat x, GLfloat y, GLfloat z)
{
    SetTop(Stack().back() * Matrix::Translation(x, y, z));
}

void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z)
{
    SetTop(Stack().back() * Matrix::Rotation(angle, x, y, z));
}

void glPushMatrix(void)
{
    Stack().push_back(Stack().back());
}

void glPopMatrix(void)
{
    if (Stack().size() > 1)
        Stack().pop_back();
    else
        SetError(GL_STACK_UNDERFLOW);
    SetTop(Stack().back());
}

void glGenTextures(GLsizei count, GLuint* names)
{
    for (GLsizei i = 0; i < count; ++i) {
        names[i] = static_cast<GLuint>(State().textures.size());
        State().textures.emplace_back();
    }
}

void glBindTexture(GLenum, GLuint name)
{
    State().bound = name;
}

void glTexParameteri(GLenum, GLenum name, GLint value)
{
    GlState& gl = State();
    if (gl.bound == 0 || gl.bound >= gl.textures.size())
        return;
    if (name == GL_TEXTURE_MIN_FILTER)
        gl.textures[gl.bound].minFilter = value;
    else if (name == GL_TEXTURE_MAG_FILTER)
        gl.textures[gl.bound].magFilter = value;
}

void glTexImage2D(GLenum, GLint level, GLint, GLsizei width, GLsizei height, GLint, GLenum format,
                  GLenum type, const GLvoid* pixels)
{
    GlState& gl = State();
    if (gl.bound == 0 || gl.bound >= gl.textures.size() || level != 0 || format != GL_RGBA ||
        type != GL_UNSIGNED_BYTE) {
        SetError(GL_INVALID_OPERATION);
        return;
    }
    TextureImage& image = gl.textures[gl.bound];
    std::vector<uint8_t> blank;
    if (pixels == nullptr) {
        blank.resize(static_cast<size_t>(width) * height * 4);
        pixels = blank.data();
    }
    const uint8_t* rgba = static_cast<const uint8_t*>(pixels);
    int x = 0, y = 0;
    // Images sampled texel by texel share the atlas; a filtered one would
    // blend in its neighbours' border texels there, so it gets its own.
    if (image.minFilter == GL_NEAREST && image.magFilter == GL_NEAREST &&
        PlaceInAtlas(gl, width, height, rgba, &x, &y)) {
        const float side = TextureAtlas::kSide;
        image.webglTexture = gl.atlasTexture;
        image.s0 = x / side;
        image.t0 = y / side;
        image.sScale = width / side;
        image.tScale = height / side;
    } else {
        image.webglTexture =
            gl.renderer.MakeTexture(width, height, rgba, image.minFilter, image.magFilter);
    }
    image.complete = IsPlainFilter(image.minFilter) && width > 0 && height > 0;
}

void glColor3f(GLfloat r, GLfloat g, GLfloat b)
{
    uint8_t* colour = State().colour;
    colour[0] = ToByte(r);
    colour[1] = ToByte(g);
    colour[2] = ToByte(b);
    colour[3] = 255;
}

void glColor3fv(const GLfloat* rgb)
{
    glColor3f(rgb[0], rgb[1], rgb[2]);
}

void glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a)
{
    glColor3f(r, g, b);
    State().colour[3] = ToByte(a);
}

void glTexCoord2f(GLfloat s, GLfloat t)
{
    State().s = s;
    State().t = t;
}

void glBegin(GLenum mode)
{
    GlState& gl = State();
    if (mode != GL_POINTS && mode != GL_QUADS) {
        SetError(GL_INVALID_ENUM);
        return;
    }
    RenderState state;
    state.texture = BoundImage().webglTexture;
    state.blend = gl.blend;
    state.points = mode == GL_POINTS;
    state.pointSize = gl.pointSize;
    gl.renderer.StartBatch(state);
    gl.drawing = true;
    gl.primitive = mode;
    gl.primitiveStart = gl.renderer.Count();
}

void glVertex3f(GLfloat x, GLfloat y, GLfloat z)
{
    GlState& gl = State();
    if (!gl.drawing)
        return;
    Renderer& renderer = gl.renderer;
    // A full batch is drawn between two points or two quads, never inside a quad.
    const bool full = gl.primitive == GL_POINTS ? renderer.Count() >= Renderer::kMaxVertices
                                                : (renderer.Count() - gl.primitiveStart) % 4 == 0 &&
                                                      renderer.Count() + 4 > Renderer::kMaxVertices;
    if (full) {
        renderer.Flush();
        gl.primitiveStart = 0;
    }
    float eye[3];
    gl.modelView.back().TransformPoint(x, y, z, eye);
    RenderVertex vertex;
    vertex.x = eye[0];
    vertex.y = eye[1];
    vertex.z = eye[2];
    const TextureImage& image = BoundImage();
    vertex.s = image.s0 + gl.s * image.sScale;
    vertex.t = image.t0 + gl.t * image.tScale;
    for (int i = 0; i < 4; ++i)
        vertex.rgba[i] = gl.colour[i];
    renderer.Add(vertex);
}

void glVertex3fv(const GLfloat* v)
{
    glVertex3f(v[0], v[1], v[2]);
}

void glEnd(void)
{
    GlState& gl = State();
    if (gl.drawing && gl.primitive == GL_QUADS) {
        const size_t count = gl.renderer.Count();
        gl.renderer.Truncate(count - (count - gl.primitiveStart) % 4);
    }
    gl.drawing = false;
}

// The end of a frame: what is still gathered is drawn, and the browser
// shows the picture when the frame's callback returns.
void SDL_GL_SwapBuffers(void)
{
    State().renderer.Flush();
}

}  // extern "C"
